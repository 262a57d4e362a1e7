#pragma once
// The link dialog: the text, the address (a prefix and the rest) and whether the link opens a
// new window. It takes the text to link and gives back the link; the address parts and the
// check box keep what the user left in them.

#include <QDialog>

class LanguageTexts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the dialog gives back.
struct LinkChoice {
    QString text;
    QString url;
    bool newWindow = false;
};

class LinkDialog : public QDialog {
    Q_OBJECT
public:
    explicit LinkDialog(QWidget* parent);
    ~LinkDialog() override;

    QLabel *TextLab, *URLLab;
    QLineEdit *TextEdit, *URLEdit;
    QComboBox* URLType;
    QCheckBox* OpenNewWindow;
    QPushButton *Button1, *Button2;

    void setLinkText(const QString& text);
    LinkChoice link() const;
    void applyLanguage(const LanguageTexts& texts);

    // The prefix followed by the rest, exactly as typed: nothing added, removed or checked.
    QString url() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void nameAddressParts();
};
