#include "dialogs/ImportReportDialog.h"

#include "dialogs/DialogButtons.h"
#include "ui/LanguageTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ImportReportDialog::ImportReportDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportReport"));
    setWindowTitle(QStringLiteral("Import Report"));
    resize(600, 320);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    // A report has nothing to cancel: OK and Esc close it alike.
    const OkCancelButtons okCancel = MakeOkCancelButtons(this);
    Button1 = okCancel.ok;
    okCancel.cancel->hide();
    CopyButton = new QPushButton(QStringLiteral("Copy"), this);
    CopyButton->setObjectName(QStringLiteral("CopyButton"));
    CopyButton->setAutoDefault(false);
    connect(CopyButton, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(reportText()); });

    // Tab goes from the list to Copy, then to OK, in the order they read.
    setTabOrder(Memo1, CopyButton);
    setTabOrder(CopyButton, Button1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CopyButton);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
}

void ImportReportDialog::setReport(const QString& source, const QStringList& lines)
{
    source_ = source;
    ShowHeading();
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

QString ImportReportDialog::reportText() const
{
    return Label1->text() + QLatin1Char('\n') + Memo1->toPlainText() + QLatin1Char('\n');
}

void ImportReportDialog::ShowHeading()
{
    QString heading = heading_;
    Label1->setText(heading.replace(QLatin1String("%s"), source_));
}

void ImportReportDialog::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("reportwindow", this);
    texts.Text("importreport", heading_);
    texts.Caption("copyreport", CopyButton);
    ApplyButtonTexts(texts, Button1, nullptr);
    ShowHeading();
}
