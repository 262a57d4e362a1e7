#pragma once
// The OK and Cancel buttons every dialog has, with the captions of the active language.

class QDialog;
class QPushButton;

struct OkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
};

// OK (the default button, accepts) and Cancel (rejects), named Button1 and Button2.
OkCancelButtons MakeOkCancelButtons(QDialog* dialog);
// The shared "ok" and "cancel" texts; dialogs set them each time they are shown. A null
// cancel button is skipped.
void ApplyButtonTexts(QPushButton* ok, QPushButton* cancel);
