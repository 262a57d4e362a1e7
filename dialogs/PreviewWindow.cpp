#include "dialogs/PreviewWindow.h"

#include "dialogs/DialogParts.h"

#include "core/SafeFile.h"
#include "ui/CommandImages.h"
#include "ui/FileFilters.h"
#include "ui/FileNames.h"
#include "ui/LanguageTexts.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
const QString kDefaultHtmlFilter =
    QStringLiteral("HTML file (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*");
}

PreviewWindow::PreviewWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrevForm"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(574, 375);

    auto makeAction = [this](const QString& name, const QString& caption, Picture image) {
        auto* action = new QAction(CommandImage(image), caption, this);
        action->setObjectName(name);
        action->setToolTip(caption);
        return action;
    };
    act2Save = makeAction(QStringLiteral("act2Save"), QStringLiteral("Save"), Picture::Save);
    act2Copy = makeAction(QStringLiteral("act2Copy"), QStringLiteral("Copy"), Picture::Copy);
    act2Close = makeAction(QStringLiteral("act2Close"), QStringLiteral("Close"), Picture::Delete);
    connect(act2Save, &QAction::triggered, this, &PreviewWindow::act2SaveExecute);
    connect(act2Copy, &QAction::triggered, this, &PreviewWindow::act2CopyExecute);
    connect(act2Close, &QAction::triggered, this, &PreviewWindow::act2CloseExecute);
    act2Html5 = makeAction(QStringLiteral("act2Html5"), QStringLiteral("HTML5"), Picture::Preview);
    act2Html5->setCheckable(true);
    connect(act2Html5, &QAction::toggled, this, &PreviewWindow::pageStyleChanged);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->addAction(act2Save);
    ToolBar1->addAction(act2Copy);
    ToolBar1->addSeparator();
    VSKey = new QToolButton(this);
    VSKey->setObjectName(QStringLiteral("VSKey"));
    VSKey->setText(QStringLiteral("View Source"));
    VSKey->setToolTip(QStringLiteral("View Source"));
    VSKey->setIcon(CommandImage(Picture::Source));
    VSKey->setCheckable(true);
    VSKey->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connect(VSKey, &QToolButton::toggled, this, &PreviewWindow::VSKeyClick);
    ToolBar1->addWidget(VSKey);
    ToolBar1->addAction(act2Html5);
    ToolBar1->addSeparator();
    ToolBar1->addAction(act2Close);
    // A tool bar's buttons take no focus of their own; in this window they are its commands,
    // so Tab reaches them.
    for (QToolButton* button : ToolBar1->findChildren<QToolButton*>()) button->setFocusPolicy(Qt::TabFocus);

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    auto* browserPlace = new QWidget(Splitter1);  // the browser goes here when first needed
    browserPlace->setObjectName(QStringLiteral("BrowserPlace"));
    browserPlace->setLayout(new QVBoxLayout);
    browserPlace->layout()->setContentsMargins(0, 0, 0, 0);
    TextBox = new QPlainTextEdit(Splitter1);
    TextBox->setObjectName(QStringLiteral("TextBox"));
    TextBox->setReadOnly(true);
    TextBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    TextBox->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    TextBox->hide();
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setSizes({200, 148});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(Splitter1, 1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    layout->addWidget(StatusBar1);
}

void PreviewWindow::ensureBrowser()
{
    if (browser_) return;
    QWidget* place = Splitter1->widget(0);
    browser_ = new QWebEngineView(place);
    browser_->setObjectName(QStringLiteral("Browser"));
    UseDesktopSansFallback(browser_);
    place->layout()->addWidget(browser_);
}

void PreviewWindow::applyStoredPlacement()
{
    if (placed_) return;
    placed_ = true;
    if (placement_.bounds.isValid()) setGeometry(placement_.bounds);
    if (placement_.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

bool PreviewWindow::ShowPreview(const QString& fileName, const QString& saveName, QString* error)
{
    if (!LoadPage(fileName, saveName, error)) return false;
    applyStoredPlacement();
    prompts().exec(*this);
    return true;
}

bool PreviewWindow::LoadPage(const QString& fileName, const QString& saveName, QString* error)
{
    saveName_ = saveName;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString());
        return false;
    }
    page_ = file.readAll();
    file.close();

    ensureBrowser();
    browser_->load(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
    TextBox->setPlainText(QString::fromUtf8(page_));
    return true;
}

bool PreviewWindow::html5Style() const
{
    return act2Html5->isChecked();
}

void PreviewWindow::setHtml5Style(bool html5)
{
    const QSignalBlocker quiet(act2Html5);
    act2Html5->setChecked(html5);
}

void PreviewWindow::VSKeyClick()
{
    // The source pane and the splitter's handle show exactly while the button is down.
    TextBox->setVisible(VSKey->isChecked());
}

void PreviewWindow::act2CopyExecute()
{
    QTextCursor cursor = TextBox->textCursor();
    QString text = cursor.selectedText();
    const bool selection = !text.isEmpty();
    if (!selection) text = TextBox->toPlainText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QApplication::clipboard()->setText(text);
    StatusBar1->showMessage(selection ? copiedSelection_ : copied_, 5000);
}

void PreviewWindow::act2SaveExecute()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("htm"));
    const QString filter = filterHtml_.isEmpty() ? kDefaultHtmlFilter : filterHtml_;
    dialog.setNameFilters(QtFilter(filter).split(QStringLiteral(";;")));
    dialog.selectFile(saveName_);
    const auto chosen = prompts().fileDialog(dialog);
    if (!chosen) return;
    QString error;
    if (!SafeFile::WriteFile(*chosen, page_, &error)) prompts().error(this, errorCaption_, error);
}

void PreviewWindow::act2CloseExecute()
{
    reject();
}

void PreviewWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        act2CloseExecute();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees keys before its controls, the browser included.
    if (isVisible() && event->type() == QEvent::KeyRelease) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        const auto mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier |
                                              Qt::AltModifier | Qt::MetaModifier);
        if (widget && widget->window() == this && mods == Qt::ControlModifier && !key->isAutoRepeat()) {
            // Accepted, so that the key does not go on to the parent widgets and run twice.
            if (key->key() == Qt::Key_C) {
                key->accept();
                act2CloseExecute();
                return true;
            }
            if (key->key() == Qt::Key_S) {
                key->accept();
                act2SaveExecute();
                return true;
            }
        }
    }
    if (isVisible() && event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == this && key->key() == Qt::Key_Escape) {
            key->accept();
            act2CloseExecute();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The window sees its keys before any of its controls, the page included: the browser takes
// keys in a child widget of its own that it makes when the page first shows, so the filter
// watches the whole application while the window is up.
void PreviewWindow::showEvent(QShowEvent* event)
{
    qApp->installEventFilter(this);
    QDialog::showEvent(event);
}

void PreviewWindow::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
    placement_.maximized = isMaximized();
    if (!placement_.maximized) placement_.bounds = geometry();
}

QString PreviewPagePath()
{
    const QString name = QStringLiteral("Temp.htm");
    const QFileInfo folder(ExePath.isEmpty() ? QStringLiteral(".") : ExePath);
    if (folder.isWritable()) return ExePath + name;
    QString fallback = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (fallback.isEmpty()) fallback = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return fallback + QLatin1Char('/') + name;
}

void PreviewWindow::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("previewwindow", this);
    texts.CaptionAndHint("savehtml", act2Save);
    texts.CaptionAndHint("copyhtml", act2Copy);
    texts.CaptionAndHint("close", act2Close);
    texts.CaptionAndHint("source", VSKey);
    texts.CaptionAndHint("html5style", act2Html5);
    texts.Text("filterhtml", filterHtml_);
    texts.Text("error", errorCaption_);
    texts.Text("copied", copied_);
    texts.Text("copiedselection", copiedSelection_);
}
