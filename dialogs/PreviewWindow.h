#pragma once
// The preview window: the page in an embedded browser, its source in a pane below, and the
// commands to save or copy that source.

#include "dialogs/WindowPlacement.h"

#include <QByteArray>
#include <QDialog>

class LanguageTexts;
class QAction;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class QWebEngineView;

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget* parent);

    QToolBar* ToolBar1;
    QAction *act2Save, *act2Copy, *act2Close;
    QAction* act2Html5;  // checked: the HTML5 page instead of the classic one
    QToolButton* VSKey;
    QSplitter* Splitter1;
    QPlainTextEdit* TextBox;
    QStatusBar* StatusBar1;  // says what Copy put on the clipboard

    // The browser, created on the first preview so that start-up does not load its engine.
    QWebEngineView* Browser() const { return browser_; }
    // The page source exactly as it was read from the file.
    const QByteArray& PageBytes() const { return page_; }

    // Where the window first shows, and where it was when it last closed.
    void setPlacement(const WindowPlacement& placement) { placement_ = placement; }
    const WindowPlacement& placement() const { return placement_; }
    void applyLanguage(const LanguageTexts& texts);

    // Shows the page file; returns when the window closes. Save proposes `saveName`. False
    // (and nothing shown) when the file cannot be read; `error` then says why.
    bool ShowPreview(const QString& fileName, const QString& saveName, QString* error = nullptr);
    // Shows another page file in the open window (the same page in the other style).
    bool LoadPage(const QString& fileName, const QString& saveName, QString* error = nullptr);

    // The page style: the caller writes the page; a change of the user's asks for it anew.
    bool html5Style() const;
    void setHtml5Style(bool html5);

    void VSKeyClick();
    void act2SaveExecute();
    void act2CopyExecute();
    void act2CloseExecute();

signals:
    void pageStyleChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWebEngineView* browser_ = nullptr;
    QByteArray page_;
    QString saveName_;
    QString filterHtml_;  // the save dialog's "desc|pattern|..." filter; empty for the default
    QString errorCaption_ = QStringLiteral("Error!");
    QString copied_ = QStringLiteral("The page source is on the Clipboard");
    QString copiedSelection_ = QStringLiteral("The selected source is on the Clipboard");
    WindowPlacement placement_;
    bool placed_ = false;

    void ensureBrowser();
    void applyStoredPlacement();
};

// The file the preview page is written to, in: the program's folder when it can be written,
// else the user's runtime or temporary folder.
QString PreviewPagePath();
