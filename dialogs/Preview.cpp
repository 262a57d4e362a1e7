#include "dialogs/Preview.h"

#include "app/Documents.h"
#include "app/Images.h"
#include "app/KRVFileNames.h"
#include "app/Prompts.h"
#include "app/main.h"
#include "tables/SafeFile.h"
#include "tables/Tables.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

TPrevForm* PrevForm = nullptr;

namespace {
const QString kDefaultHtmlFilter =
    QStringLiteral("HTML file (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*");
}

TPrevForm::TPrevForm(QWidget* parent) : QDialog(parent)
{
    PrevForm = this;
    setObjectName(QStringLiteral("PrevForm"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(574, 375);

    auto makeAction = [this](const QString& name, const QString& caption, int image) {
        auto* action = new QAction(CommandImage(image), caption, this);
        action->setObjectName(name);
        action->setToolTip(caption);
        return action;
    };
    act2Save = makeAction(QStringLiteral("act2Save"), QStringLiteral("Save"), 2);
    act2Copy = makeAction(QStringLiteral("act2Copy"), QStringLiteral("Copy"), 10);
    act2Close = makeAction(QStringLiteral("act2Close"), QStringLiteral("Close"), 3);
    connect(act2Save, &QAction::triggered, this, &TPrevForm::act2SaveExecute);
    connect(act2Copy, &QAction::triggered, this, &TPrevForm::act2CopyExecute);
    connect(act2Close, &QAction::triggered, this, &TPrevForm::act2CloseExecute);

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
    VSKey->setIcon(CommandImage(6));
    VSKey->setCheckable(true);
    VSKey->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connect(VSKey, &QToolButton::toggled, this, &TPrevForm::VSKeyClick);
    ToolBar1->addWidget(VSKey);
    ToolBar1->addSeparator();
    ToolBar1->addAction(act2Close);

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
}

void TPrevForm::ensureBrowser()
{
    if (browser_) return;
    QWidget* place = Splitter1->widget(0);
    browser_ = new QWebEngineView(place);
    browser_->setObjectName(QStringLiteral("Browser"));
    place->layout()->addWidget(browser_);
}

void TPrevForm::applyStoredPlacement()
{
    if (placed_ || !Form1()) return;
    placed_ = true;
    const WindowPlacement& stored = Form1()->PreviewPlacement;
    if (stored.bounds.isValid()) setGeometry(stored.bounds);
    if (stored.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

bool TPrevForm::ShowPreview(const QString& fileName, QString* error)
{
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
    applyStoredPlacement();
    prompts().exec(*this);
    return true;
}

void TPrevForm::VSKeyClick()
{
    // The source pane and the splitter's handle show exactly while the button is down.
    TextBox->setVisible(VSKey->isChecked());
}

void TPrevForm::act2CopyExecute()
{
    QTextCursor cursor = TextBox->textCursor();
    QString text = cursor.selectedText();
    if (text.isEmpty()) text = TextBox->toPlainText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QApplication::clipboard()->setText(text);
}

void TPrevForm::act2SaveExecute()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("htm"));
    const QString filter = filterHtml.isEmpty() ? kDefaultHtmlFilter : filterHtml;
    dialog.setNameFilters(QtFilter(filter).split(QStringLiteral(";;")));
    if (Form1()) dialog.selectFile(FileTitle(Form1()->CurFileName) + QStringLiteral(".htm"));
    const auto chosen = prompts().fileDialog(dialog);
    if (!chosen) return;
    QString error;
    if (!SafeFile::WriteFile(*chosen, page_, &error)) {
        const QString caption = Form1() ? Form1()->Texts.error : QStringLiteral("Error!");
        prompts().error(this, caption, error);
    }
}

void TPrevForm::act2CloseExecute()
{
    reject();
}

void TPrevForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        act2CloseExecute();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TPrevForm::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees keys before its controls, the browser included.
    if (isVisible() && event->type() == QEvent::KeyRelease) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        const auto mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier |
                                              Qt::AltModifier | Qt::MetaModifier);
        if (widget && widget->window() == this && mods == Qt::ControlModifier) {
            if (key->key() == Qt::Key_C) {
                act2CloseExecute();
                return true;
            }
            if (key->key() == Qt::Key_S) {
                act2SaveExecute();
                return true;
            }
        }
    }
    if (isVisible() && event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == this && key->key() == Qt::Key_Escape) {
            act2CloseExecute();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPrevForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!Form1()) return;
    WindowPlacement& stored = Form1()->PreviewPlacement;
    stored.maximized = isMaximized();
    if (!stored.maximized) stored.bounds = geometry();
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

// ---- The Preview command -----------------------------------------------------------------------

void TForm1::actHTMLExecute()
{
    if (!PrevForm) return;
    const QString path = PreviewPagePath();
    const QByteArray title = FileTitle(CurFileName).toUtf8();
    QString error;
    if (!Table->ExportHTML(path, title, &error)) {
        // Nothing to show: say which file could not be written, and why.
        prompts().error(this, Texts.error,
                        error.isEmpty() ? ShellTexts::withName(Texts.cantsave, path) : error);
        return;
    }
    PrevForm->filterHtml = Texts.filterHtml;
    if (!PrevForm->ShowPreview(path, &error)) prompts().error(this, Texts.error, error);
    QFile::remove(path);
}
