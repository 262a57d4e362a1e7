#pragma once
// The preview window: the page in an embedded browser, its source in a pane below, and the
// commands to save or copy that source.

#include <QByteArray>
#include <QDialog>

class QAction;
class QPlainTextEdit;
class QSplitter;
class QToolBar;
class QToolButton;
class QWebEngineView;

class TPrevForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrevForm(QWidget* parent);

    QToolBar* ToolBar1;
    QAction *act2Save, *act2Copy, *act2Close;
    QToolButton* VSKey;
    QSplitter* Splitter1;
    QPlainTextEdit* TextBox;
    QString filterHtml;  // the save dialog's "desc|pattern|..." filter

    // The browser, created on the first preview so that start-up does not load its engine.
    QWebEngineView* Browser() const { return browser_; }
    // The page source exactly as it was read from the file.
    const QByteArray& PageBytes() const { return page_; }

    // Shows the page file; returns when the window closes. False (and nothing shown) when the
    // file cannot be read; `error` then says why.
    bool ShowPreview(const QString& fileName, QString* error = nullptr);

    void VSKeyClick();
    void act2SaveExecute();
    void act2CopyExecute();
    void act2CloseExecute();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWebEngineView* browser_ = nullptr;
    QByteArray page_;
    bool placed_ = false;

    void ensureBrowser();
    void applyStoredPlacement();
};

extern TPrevForm* PrevForm;

// The folder the preview page is written to: the program's folder when it can be written,
// else the user's runtime or temporary folder.
QString PreviewPagePath();
