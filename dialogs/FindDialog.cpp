#include "dialogs/FindDialog.h"

#include "dialogs/DialogParts.h"
#include "ui/LanguageTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename Widget>
Widget* Named(QWidget* parent, const char* name, const QString& text = QString())
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    if constexpr (std::is_base_of_v<QAbstractButton, Widget>) widget->setText(text);
    return widget;
}

}  // namespace

FindDialog::FindDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("Find and Replace"));
    FindEdit = Named<QLineEdit>(this, "FindEdit");
    ReplaceEdit = Named<QLineEdit>(this, "ReplaceEdit");
    FindLab = NewLabel(this, "FindLab", QStringLiteral("Find"), FindEdit);
    ReplaceLab = NewLabel(this, "ReplaceLab", QStringLiteral("Replace with"), ReplaceEdit);
    CaseEdit = Named<QCheckBox>(this, "CaseEdit", QStringLiteral("Match case"));
    WordsEdit = Named<QCheckBox>(this, "WordsEdit", QStringLiteral("Whole words"));
    RegexEdit = Named<QCheckBox>(this, "RegexEdit", QStringLiteral("Regular expression"));
    InEdit = Named<QComboBox>(this, "InEdit");
    InEdit->addItems({QStringLiteral("The text as shown"), QStringLiteral("The HTML source")});
    InLab = NewLabel(this, "InLab", QStringLiteral("Search in"), InEdit);
    Message = Named<QLabel>(this, "Message");
    NextButton = Named<QPushButton>(this, "NextButton", QStringLiteral("Find Next"));
    PreviousButton = Named<QPushButton>(this, "PreviousButton", QStringLiteral("Find Previous"));
    ReplaceAllButton = Named<QPushButton>(this, "ReplaceAllButton", QStringLiteral("Replace All"));
    CloseButton = Named<QPushButton>(this, "CloseButton", QStringLiteral("Close"));
    NextButton->setDefault(true);
    connect(NextButton, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(PreviousButton, &QPushButton::clicked, this, &FindDialog::findPrevious);
    connect(ReplaceAllButton, &QPushButton::clicked, this, &FindDialog::replaceAll);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);

    auto* grid = new QGridLayout;
    grid->addWidget(FindLab, 0, 0);
    grid->addWidget(FindEdit, 0, 1, 1, 2);
    grid->addWidget(ReplaceLab, 1, 0);
    grid->addWidget(ReplaceEdit, 1, 1, 1, 2);
    grid->addWidget(InLab, 2, 0);
    grid->addWidget(InEdit, 2, 1, 1, 2);
    grid->addWidget(CaseEdit, 3, 1);
    grid->addWidget(WordsEdit, 3, 2);
    grid->addWidget(RegexEdit, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {NextButton, PreviousButton, ReplaceAllButton, CloseButton}) buttons->addWidget(b);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addLayout(buttons);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(Message);
    const QList<QWidget*> order = {FindEdit, ReplaceEdit, InEdit, CaseEdit, WordsEdit, RegexEdit,
                                   NextButton, PreviousButton, ReplaceAllButton, CloseButton};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

FindDialog::~FindDialog() = default;

FindOptions FindDialog::options() const
{
    FindOptions o;
    o.pattern = FindEdit->text();
    o.matchCase = CaseEdit->isChecked();
    o.wholeWords = WordsEdit->isChecked();
    o.regularExpression = RegexEdit->isChecked();
    o.visibleText = InEdit->currentIndex() != 1;
    return o;
}

QString FindDialog::replacement() const
{
    return ReplaceEdit->text();
}

void FindDialog::setReplacing(bool replacing)
{
    for (QWidget* w : std::initializer_list<QWidget*>{ReplaceLab, ReplaceEdit, ReplaceAllButton}) w->setVisible(replacing);
}

void FindDialog::setMessage(const QString& text)
{
    Message->setText(text);
}

void FindDialog::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("findwindow", this);
    texts.Caption("findtext", FindLab);
    texts.Caption("replacetext", ReplaceLab);
    texts.Caption("searchin", InLab);
    texts.ListEntries("searchwhere", InEdit);
    texts.Caption("matchcase", CaseEdit);
    texts.Caption("wholewords", WordsEdit);
    texts.Caption("regex", RegexEdit);
    texts.Caption("findnext", NextButton);
    texts.Caption("findprevious", PreviousButton);
    texts.Caption("replaceall", ReplaceAllButton);
    texts.Caption("close", CloseButton);
}
