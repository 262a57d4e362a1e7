#include "dialogs/LinkDialog.h"

#include "dialogs/DialogButtons.h"
#include "dialogs/DialogKeys.h"
#include "ui/LanguageTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LinkDialog::LinkDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LinkDialog"));
    setWindowTitle(QStringLiteral("Insert Link"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    TextEdit = new QLineEdit(this);
    TextEdit->setObjectName(QStringLiteral("TextEdit"));
    URLType = new QComboBox(this);
    URLType->setObjectName(QStringLiteral("URLType"));
    URLType->setEditable(true);
    URLType->setInsertPolicy(QComboBox::NoInsert);
    // Secure addresses are the common case, so a new link starts with them; the empty entry
    // is for an address within the site.
    URLType->addItems({QStringLiteral("https://"), QStringLiteral("http://"), QStringLiteral("ftp://"),
                       QStringLiteral("file://"), QStringLiteral("mailto:"), QString()});
    URLType->setMinimumWidth(79);
    URLEdit = new QLineEdit(this);
    URLEdit->setObjectName(QStringLiteral("URLEdit"));
    URLEdit->setMinimumWidth(241);
    OpenNewWindow = new QCheckBox(QStringLiteral("Open in a new window"), this);
    OpenNewWindow->setObjectName(QStringLiteral("OpenNewWindow"));
    TextLab = new QLabel(QStringLiteral("Text"), this);
    TextLab->setObjectName(QStringLiteral("TextLab"));
    TextLab->setBuddy(TextEdit);
    URLLab = new QLabel(QStringLiteral("URL"), this);
    URLLab->setObjectName(QStringLiteral("URLLab"));
    URLLab->setBuddy(URLType);
    nameAddressParts();

    const OkCancelButtons okCancel = MakeOkCancelButtons(this);
    Button1 = okCancel.ok;
    Button2 = okCancel.cancel;

    // Prefix and rest side by side, so that the address reads as one.
    auto* grid = new QGridLayout;
    grid->addWidget(TextLab, 0, 0);
    grid->addWidget(TextEdit, 0, 1, 1, 2);
    grid->addWidget(URLLab, 1, 0);
    grid->addWidget(URLType, 1, 1);
    grid->addWidget(URLEdit, 1, 2);
    grid->addWidget(OpenNewWindow, 2, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setHorizontalSpacing(4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addStretch();
    main->addLayout(buttons);

    const QList<QWidget*> tabOrder = {TextEdit, URLType, URLEdit, OpenNewWindow, Button1, Button2};
    for (qsizetype i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    resize(396, 135);
    WatchDialogKeys(this);
}

LinkDialog::~LinkDialog() = default;

QString LinkDialog::url() const
{
    return URLType->currentText() + URLEdit->text();
}

void LinkDialog::setLinkText(const QString& text)
{
    TextEdit->setText(text);
}

LinkChoice LinkDialog::link() const
{
    return {TextEdit->text(), url(), OpenNewWindow->isChecked()};
}

void LinkDialog::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("linkwindow", this);
    texts.Caption("linktext", TextLab);
    texts.Caption("urltext", URLLab);
    texts.Caption("newwindow", OpenNewWindow);
    nameAddressParts();
    ApplyButtonTexts(texts, Button1, Button2);
}

void LinkDialog::showEvent(QShowEvent* event)
{
    WatchDialogKeys(this);
    TextEdit->setFocus();
    QDialog::showEvent(event);
}

// The address is two boxes under one label: the prefix list's line and the rest.
void LinkDialog::nameAddressParts()
{
    URLType->lineEdit()->setAccessibleName(URLLab->text());
    URLEdit->setAccessibleName(URLLab->text());
}
