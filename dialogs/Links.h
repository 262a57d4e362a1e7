#pragma once
// The link dialog: the text, the address (a prefix and the rest) and whether the link opens a
// new window. The address parts and the check box keep what the user left in them.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TLinkDialog : public QDialog {
    Q_OBJECT
public:
    explicit TLinkDialog(QWidget* parent);
    ~TLinkDialog() override;

    QLabel *TextLab, *URLLab;
    QLineEdit *TextEdit, *URLEdit;
    QComboBox* URLType;
    QCheckBox* OpenNewWindow;
    QPushButton *Button1, *Button2;

    // The prefix followed by the rest, exactly as typed: nothing added, removed or checked.
    QString url() const;

    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
};

extern TLinkDialog* LinkDialog;
