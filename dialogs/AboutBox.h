#pragma once
// The About box: the program's name and version, the ownership notice, and two lines that
// open the maker's web site and a new mail to support.

#include <QDialog>
#include <QString>

class LanguageTexts;
class QFrame;
class QLabel;
class QPushButton;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    QLabel* Label1;  // name and version
    QFrame* Bevel1;
    QLabel *Label2, *Label5;  // the ownership notice
    QLabel* Label3;           // the web site
    QLabel* Label4;           // the support mail address
    QPushButton* Button1;

    static const QString WebAddress;
    static const QString MailAddress;

    void applyLanguage(const LanguageTexts& texts);

    void Label3Click();
    void Label4Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString errorCaption_ = QStringLiteral("Error!");
    QString cantLaunch_ = QStringLiteral("No program on this system opens \"%s\".");

    void FormShow();
};
