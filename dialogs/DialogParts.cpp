#include "dialogs/DialogParts.h"

#include "dialogs/DialogButtons.h"
#include "ui/ColorSwatch.h"
#include "ui/Prompts.h"

#include <QDialog>
#include <QFont>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

void UseDesktopSansFallback(QWebEngineView* view)
{
    const QString sans = QFontInfo(QFont(QStringLiteral("sans-serif"))).family();
    view->settings()->setFontFamily(QWebEngineSettings::StandardFont, sans);
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

void PickSwatchColor(QWidget* parent, ColorSwatch* swatch)
{
    const auto chosen = prompts().color(parent, ColorToQColor(swatch->color()));
    if (chosen) swatch->setColor(QColorToColor(*chosen));
}

QStringList FontSizeEntries()
{
    QStringList entries{QString()};
    for (int size = 0; size <= 7; ++size) entries << QString::number(size);
    return entries;
}

AlignmentGrid BuildAlignmentGrid(QWidget* parent, const char* name)
{
    AlignmentGrid grid;
    grid.widget = new QWidget(parent);
    grid.widget->setObjectName(QLatin1String(name));
    auto* layout = new QGridLayout(grid.widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int n = 0; n < 9; ++n) {
        auto* button = new QToolButton(grid.widget);
        button->setObjectName(QStringLiteral("ToolButton%1").arg(n + 1));
        button->setAutoRaise(true);
        button->setIconSize(QSize(20, 20));
        layout->addWidget(button, n / 3, n % 3);
        grid.buttons[std::size_t(n)] = button;
    }
    NameAlignmentButtons(grid.buttons, QStringLiteral("Top left|Top centre|Top right|Middle left|Centre|"
                                                      "Middle right|Bottom left|Bottom centre|Bottom right")
                                           .split(QLatin1Char('|')));
    return grid;
}

void NameAlignmentButtons(const std::array<QToolButton*, 9>& buttons, const QStringList& names)
{
    if (names.size() != 9) return;
    for (int n = 0; n < 9; ++n) {
        buttons[std::size_t(n)]->setAccessibleName(names[n]);
        buttons[std::size_t(n)]->setToolTip(names[n]);
    }
}

ListAndPreview BuildListAndPreview(QDialog* dialog, int listWidth)
{
    auto* list = new QListWidget(dialog);
    list->setObjectName(QStringLiteral("ListBox"));
    list->setFixedWidth(listWidth);
    QObject::connect(list, &QListWidget::itemDoubleClicked, dialog, &QDialog::accept);

    auto* preview = new QScrollArea(dialog);
    preview->setObjectName(QStringLiteral("ScrollBox1"));
    preview->setBackgroundRole(QPalette::Base);
    preview->setWidgetResizable(false);
    preview->setMinimumSize(313, 273);

    const OkCancelButtons okCancel = MakeOkCancelButtons(dialog);
    auto* lists = new QHBoxLayout;
    lists->addWidget(list);
    lists->addWidget(preview, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okCancel.ok);
    buttons->addWidget(okCancel.cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    return {list, preview, okCancel.ok, okCancel.cancel};
}
