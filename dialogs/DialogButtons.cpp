#include "dialogs/DialogButtons.h"

#include "ui/LanguageTexts.h"

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

void ApplyButtonTexts(const LanguageTexts& texts, QPushButton* ok, QPushButton* cancel)
{
    texts.Caption("ok", ok);
    if (cancel) texts.Caption("cancel", cancel);
}
