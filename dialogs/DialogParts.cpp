#include "dialogs/DialogParts.h"

#include "dialogs/ColorSwatch.h"
#include "dialogs/Prompts.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

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
    return grid;
}
