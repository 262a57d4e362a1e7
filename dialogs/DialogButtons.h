#pragma once
// The OK and Cancel buttons every dialog has, with the captions of the active language.

class LanguageTexts;
class QDialog;
class QPushButton;

struct OkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
};

// OK (the default button, accepts) and Cancel (rejects), named Button1 and Button2.
OkCancelButtons MakeOkCancelButtons(QDialog* dialog);
// The shared "ok" and "cancel" texts of a language. A null cancel button is skipped.
void ApplyButtonTexts(const LanguageTexts& texts, QPushButton* ok, QPushButton* cancel);
