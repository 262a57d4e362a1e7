#include "dialogs/HelpWindow.h"

#include "dialogs/DialogParts.h"

#include "ui/CommandImages.h"
#include "ui/LanguageTexts.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QFileInfo>
#include <QFontInfo>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <functional>

namespace {

// Follows links to other files of the help in the window and hands every other address (a
// web site, a mail address) to `external`.
class HelpPage : public QWebEnginePage {
public:
    HelpPage(QObject* parent, std::function<void(const QUrl&)> external)
        : QWebEnginePage(parent), external_(std::move(external))
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        if (url.isLocalFile() || url.scheme() == QLatin1String("data") || !isMainFrame)
            return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
        external_(url);
        return false;
    }

private:
    std::function<void(const QUrl&)> external_;
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Help"));
    setAccessibleName(windowTitle());
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    resize(820, 620);

    auto makeAction = [this](const QString& name, const QString& caption, Picture image,
                             const QKeySequence& key) {
        auto* action = new QAction(CommandImage(image), caption, this);
        action->setObjectName(name);
        action->setToolTip(caption);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        return action;
    };
    actBack = makeAction(QStringLiteral("actHelpBack"), QStringLiteral("Back"), Picture::Undo,
                         QKeySequence(Qt::ALT | Qt::Key_Left));
    actForward = makeAction(QStringLiteral("actHelpForward"), QStringLiteral("Forward"),
                            Picture::Redo, QKeySequence(Qt::ALT | Qt::Key_Right));
    actClose = makeAction(QStringLiteral("actHelpClose"), QStringLiteral("Close"), Picture::Delete,
                          QKeySequence(Qt::Key_Escape));
    connect(actClose, &QAction::triggered, this, &QDialog::close);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setAccessibleName(QStringLiteral("Help"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->addActions({actBack, actForward});
    ToolBar1->addSeparator();
    ToolBar1->addAction(actClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
}

void HelpWindow::ensureBrowser()
{
    if (browser_) return;
    browser_ = new QWebEngineView(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(windowTitle());
    browser_->setPage(new HelpPage(browser_, [this](const QUrl& url) {
        OpenThroughDesktop(this, url, errorCaption_, cantLaunch_);
    }));
    UseDesktopSansFallback(browser_);
    layout()->addWidget(browser_);
    connect(actBack, &QAction::triggered, browser_, &QWebEngineView::back);
    connect(actForward, &QAction::triggered, browser_, &QWebEngineView::forward);
}

bool HelpWindow::ShowHelp(const QString& fileName, QString* error)
{
    const QFileInfo file(fileName);
    if (!file.isFile()) {
        if (error) *error = QString(cantOpen_).replace(QLatin1String("%s"), fileName);
        return false;
    }
    ensureBrowser();
    const QUrl page = QUrl::fromLocalFile(file.absoluteFilePath());
    if (browser_->url().adjusted(QUrl::RemoveFragment) != page) browser_->load(page);
    if (!placed_) {
        placed_ = true;
        // Centred over the main window the first time; where the user left it after that.
        if (QWidget* owner = parentWidget())
            move(owner->geometry().center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
    browser_->setFocus(Qt::OtherFocusReason);
    return true;
}

void HelpWindow::applyLanguage(const LanguageTexts& texts)
{
    if (texts.Caption("helpwindow", this)) setAccessibleName(windowTitle());
    texts.CaptionAndHint("helpback", actBack);
    texts.CaptionAndHint("helpforward", actForward);
    texts.CaptionAndHint("close", actClose);
    texts.Text("error", errorCaption_);
    texts.Text("cantlaunch", cantLaunch_);
    texts.Text("cantopen", cantOpen_);
}
