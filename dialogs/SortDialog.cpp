#include "dialogs/SortDialog.h"

#include "dialogs/DialogButtons.h"
#include "dialogs/DialogKeys.h"
#include "dialogs/DialogParts.h"
#include "ui/LanguageTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox* NewList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

}  // namespace

SortDialog::SortDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SortDialog"));
    setWindowTitle(QStringLiteral("Sort"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    FirstEdit = NewList(this, "FirstEdit");
    SecondEdit = NewList(this, "SecondEdit");
    FirstOrderEdit = NewList(this, "FirstOrderEdit");
    SecondOrderEdit = NewList(this, "SecondOrderEdit");
    for (QComboBox* order : {FirstOrderEdit, SecondOrderEdit})
        order->addItems({QStringLiteral("Ascending"), QStringLiteral("Descending")});
    FirstLab = NewLabel(this, "FirstLab", QStringLiteral("Sort by"), FirstEdit);
    SecondLab = NewLabel(this, "SecondLab", QStringLiteral("Then by"), SecondEdit);
    FirstOrderEdit->setAccessibleName(FirstLab->text());
    SecondOrderEdit->setAccessibleName(SecondLab->text());

    const OkCancelButtons okCancel = MakeOkCancelButtons(this);
    Button1 = okCancel.ok;
    Button2 = okCancel.cancel;
    auto* grid = new QGridLayout;
    grid->addWidget(FirstLab, 0, 0);
    grid->addWidget(FirstEdit, 0, 1);
    grid->addWidget(FirstOrderEdit, 0, 2);
    grid->addWidget(SecondLab, 1, 0);
    grid->addWidget(SecondEdit, 1, 1);
    grid->addWidget(SecondOrderEdit, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttons);
    // Row by row, as the fields read: each column, then its order.
    setTabOrder(FirstEdit, FirstOrderEdit);
    setTabOrder(FirstOrderEdit, SecondEdit);
    setTabOrder(SecondEdit, SecondOrderEdit);
    setTabOrder(SecondOrderEdit, Button1);
    setTabOrder(Button1, Button2);
    WatchDialogKeys(this);
}

SortDialog::~SortDialog() = default;

void SortDialog::setColumns(const QStringList& names, int current)
{
    FirstEdit->clear();
    FirstEdit->addItems(names);
    FirstEdit->setCurrentIndex(std::clamp(current, 0, int(names.size()) - 1));
    SecondEdit->clear();
    SecondEdit->addItem(none_);
    SecondEdit->addItems(names);
    SecondEdit->setCurrentIndex(0);
}

std::vector<SortKey> SortDialog::keys() const
{
    std::vector<SortKey> keys{{std::max(0, FirstEdit->currentIndex()), FirstOrderEdit->currentIndex() == 0}};
    if (SecondEdit->currentIndex() > 0) keys.push_back({SecondEdit->currentIndex() - 1, SecondOrderEdit->currentIndex() == 0});
    return keys;
}

void SortDialog::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("sortwindow", this);
    texts.Caption("sortby", FirstLab);
    texts.Caption("thenby", SecondLab);
    texts.ListEntries("sortorder", FirstOrderEdit);
    texts.ListEntries("sortorder", SecondOrderEdit);
    texts.Text("sortnone", none_);
    if (SecondEdit->count() > 0) SecondEdit->setItemText(0, none_);
    FirstOrderEdit->setAccessibleName(FirstLab->text());
    SecondOrderEdit->setAccessibleName(SecondLab->text());
    ApplyButtonTexts(texts, Button1, Button2);
}
