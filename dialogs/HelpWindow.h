#pragma once
// The help window: the program's help page in its own browser, with Back, Forward and Close.
// It stays open beside the main window. Addresses outside the help (web sites, mail) go to the
// desktop, and a message says so when nothing there takes them.

#include <QDialog>
#include <QString>

class LanguageTexts;
class QAction;
class QToolBar;
class QWebEngineView;

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);

    QToolBar* ToolBar1;
    QAction *actBack, *actForward, *actClose;

    // The browser, created when the help first shows so that start-up does not load its engine.
    QWebEngineView* Browser() const { return browser_; }
    void applyLanguage(const LanguageTexts& texts);

    // Shows the help page file and brings the window to the front. False (and nothing shown)
    // when the file does not exist; `error` then says which file is missing.
    bool ShowHelp(const QString& fileName, QString* error = nullptr);

private:
    QWebEngineView* browser_ = nullptr;
    QString errorCaption_ = QStringLiteral("Error!");
    QString cantLaunch_ = QStringLiteral("No program on this system opens \"%s\".");
    QString cantOpen_ = QStringLiteral("Error opening file \"%s\"!");
    bool placed_ = false;

    void ensureBrowser();
};
