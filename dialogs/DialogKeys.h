#pragma once
// Keys that a dialog sees before its controls: Enter closes it with OK and Esc with Cancel,
// wherever the focus is, so that a spin box or a combo box cannot swallow them. A drop-down
// list that is open keeps its own keys (Enter picks the entry, Esc closes the list).

class QDialog;

// Watches the dialog and every control in it; call again after adding controls (showing the
// dialog is a good moment: installing twice does no harm).
void WatchDialogKeys(QDialog* dialog);
