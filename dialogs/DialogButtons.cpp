#include "dialogs/DialogButtons.h"

#include "app/main.h"

#include <QDialog>
#include <QPushButton>

OkCancelButtons MakeOkCancelButtons(QDialog* dialog)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("Button2"));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return {ok, cancel};
}

void ApplyButtonTexts(QPushButton* ok, QPushButton* cancel)
{
    const TForm1* form = Form1();
    if (!form) return;
    if (ok) ok->setText(form->Texts.ok);
    if (cancel) cancel->setText(form->Texts.cancel);
}
