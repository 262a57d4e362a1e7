#include "app/MainWindow.h"

#include "app/Languages.h"
#include "app/Reasons.h"
#include "dialogs/AboutBox.h"
#include "dialogs/AlignmentPicker.h"
#include "dialogs/CellPropertiesDialog.h"
#include "dialogs/ImportReportDialog.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/PreviewWindow.h"
#include "dialogs/TableChooserDialog.h"
#include "dialogs/ColumnWidthDialog.h"
#include "dialogs/FindDialog.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/PagePrinter.h"
#include "dialogs/SortDialog.h"
#include "dialogs/TablePropertiesDialog.h"
#include "dialogs/TemplateDialog.h"
#include "grid/Tables.h"
#include "ui/ColorSwatch.h"
#include "ui/CommandImages.h"
#include "ui/FileNames.h"
#include "ui/FontList.h"
#include "ui/LanguageTexts.h"
#include "ui/Prompts.h"

#include <QAbstractEventDispatcher>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

MainWindow::MainWindow()
{
    setWindowIcon(ApplicationIcon());
    createActions();
    createMenus();
    createToolBars();
    createStatusBar();

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setWidgetResizable(false);
    // The grid is where keys go: the scroll box is the window's first and only stop of Tab
    // outside the table, and entering it makes a cell current (ScrollBoxEnter).
    ScrollBox->setFocusPolicy(Qt::StrongFocus);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setContextMenuPolicy(Qt::CustomContextMenu);
    ScrollBox->setBackgroundRole(QPalette::Base);
    ScrollBox->viewport()->installEventFilter(this);
    ScrollBox->installEventFilter(this);
    connect(ScrollBox, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { ToolbarPopup->popup(ScrollBox->mapToGlobal(p)); });
    setCentralWidget(ScrollBox);

    OpenDialog = new QFileDialog(this);
    OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
    SaveDialog = new QFileDialog(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));

    // The idle refresh: whenever the event loop is about to wait.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &MainWindow::ActionListUpdate);
    // Paste Table is offered only while the clipboard holds a table; reading it on every
    // refresh would ask its owner for the data each time.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::ClipboardChange);
    ClipboardChange();

    FormCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::createDialogs()
{
    templateDialog_ = new TemplateDialog(this);
    linkDialog_ = new LinkDialog(this);
    aboutBox_ = new AboutBox(this);
    alignmentPicker_ = new AlignmentPicker(this, actAlign);
    tablePropertiesDialog_ = new TablePropertiesDialog(this);
    columnWidthDialog_ = new ColumnWidthDialog(this);
    sortDialog_ = new SortDialog(this);
    findDialog_ = new FindDialog(this);
    connect(findDialog_, &FindDialog::findNext, this, [this] { FindAgain(false); });
    connect(findDialog_, &FindDialog::findPrevious, this, [this] { FindAgain(true); });
    connect(findDialog_, &FindDialog::replaceAll, this, &MainWindow::ReplaceAllExecute);
    cellPropertiesDialog_ = new CellPropertiesDialog(this, actBold, actItalic);
    previewWindow_ = new PreviewWindow(this);
    previewWindow_->setPlacement(previewPlacement_);
    previewWindow_->setHtml5Style(previewHtml5_);
    connect(previewWindow_, &PreviewWindow::pageStyleChanged, this, &MainWindow::PreviewStyleChange);
    tableChooser_ = new TableChooserDialog(this);
    importReport_ = new ImportReportDialog(this);
    helpWindow_ = new HelpWindow(this);
}

void MainWindow::setDocumentName(const QString& fileName, bool isNewFile)
{
    fileName_ = fileName;
    isNewFile_ = isNewFile;
    UpdateCaption();
}

void MainWindow::applyLanguage(const LanguageTexts& texts)
{
    applyCommandLanguage(texts);
    const std::pair<const char*, QString ShellTexts::*> shellTexts[] = {
        {"filter", &ShellTexts::filter},     {"filterhtml", &ShellTexts::filterHtml},
        {"ok", &ShellTexts::ok},             {"cancel", &ShellTexts::cancel},
        {"error", &ShellTexts::error},       {"warning", &ShellTexts::warning},
        {"changed", &ShellTexts::changed},   {"cantopen", &ShellTexts::cantopen},
        {"cantsave", &ShellTexts::cantsave}, {"recover", &ShellTexts::recover},
        {"allfiles", &ShellTexts::allFiles}, {"exportreport", &ShellTexts::exportReport},
        {"filterimport", &ShellTexts::filterImport}, {"clipboard", &ShellTexts::clipboard},
        {"headerstatus", &ShellTexts::headerCell},  {"selsize", &ShellTexts::selectionSize},
        {"replaced", &ShellTexts::replaced},        {"notfound", &ShellTexts::notFound},
        {"wrapped", &ShellTexts::wrapped},          {"badpattern", &ShellTexts::badPattern},
        {"exportnote", &ShellTexts::exportNote},    {"cantlaunch", &ShellTexts::cantLaunch},
        {"recentmissing", &ShellTexts::recentMissing}, {"recentgone", &ShellTexts::recentGone},
        {"pdfwritten", &ShellTexts::pdfWritten},    {"printed", &ShellTexts::printed},
        {"cantprint", &ShellTexts::cantPrint},
        {"mergetexts", &ShellTexts::mergeTexts},    {"mergemoveall", &ShellTexts::mergeMoveAll},
        {"mergekeepfirst", &ShellTexts::mergeKeepFirst},
    };
    for (const auto& [key, text] : shellTexts) texts.Text(key, texts_.*text);
    for (const ReportWord& word : ReportWordKeys()) {
        QString text;
        if (texts.Text(word.key, text)) reportWords_.insert(QLatin1String(word.key), text);
    }
    for (const ReasonText& reason : KnownReasons()) {
        QString text;
        if (texts.Text(reason.key, text)) texts_.reasons.insert(QLatin1String(reason.key), text);
    }

    if (templateDialog_) templateDialog_->applyLanguage(texts);
    if (linkDialog_) linkDialog_->applyLanguage(texts);
    if (aboutBox_) aboutBox_->applyLanguage(texts);
    if (tablePropertiesDialog_) tablePropertiesDialog_->applyLanguage(texts);
    if (columnWidthDialog_) columnWidthDialog_->applyLanguage(texts);
    if (sortDialog_) sortDialog_->applyLanguage(texts);
    if (findDialog_) findDialog_->applyLanguage(texts);
    if (cellPropertiesDialog_) cellPropertiesDialog_->applyLanguage(texts);
    if (previewWindow_) previewWindow_->applyLanguage(texts);
    if (tableChooser_) tableChooser_->applyLanguage(texts);
    if (importReport_) importReport_->applyLanguage(texts);
    if (helpWindow_) helpWindow_->applyLanguage(texts);
}

void MainWindow::applySettings(const ProgramSettings& values)
{
    setGeometry(values.mainBounds);
    startMaximized_ = values.mainMaximized;
    previewPlacement_ = values.preview;
    if (previewWindow_) previewWindow_->setPlacement(values.preview);
    previewHtml5_ = values.previewHtml5;
    if (previewWindow_) previewWindow_->setHtml5Style(values.previewHtml5);
    fileName_ = values.workDir + QStringLiteral("Table.qgd");
    exportDir_ = values.exportDir;
    // A bar whose value cannot be read stays as designed: shown.
    if (values.mainMenu && !*values.mainMenu) menuBar()->hide();
    if (values.toolbar1) ToolBar1->setVisible(*values.toolbar1);
    if (values.toolbar2) ToolBar2->setVisible(*values.toolbar2);
    if (values.statusBar) statusBar()->setVisible(*values.statusBar);
    languageFile_ = values.language;
    recentFiles_ = values.recentFiles;
    FillRecentMenu();
    importMarkup_ = values.importMarkup;
    zoom_ = values.zoom;
    if (table_) table_->setZoom(zoom_);
}

ProgramSettings MainWindow::collectSettings() const
{
    ProgramSettings values;
    values.mainMaximized = windowState().testFlag(Qt::WindowMaximized);
    // The bounds of the normal state, which a maximized window keeps aside.
    values.mainBounds = normalGeometry().isValid() ? normalGeometry() : geometry();
    values.preview = previewWindow_ ? previewWindow_->placement() : previewPlacement_;
    values.workDir = ExtractFilePath(fileName_);
    values.exportDir = exportDir_;
    values.previewHtml5 = previewWindow_ ? previewWindow_->html5Style() : previewHtml5_;
    // "Shown" is asked of the bar itself: the window may already be hidden while closing.
    values.mainMenu = !menuBar()->isHidden();
    values.toolbar1 = !ToolBar1->isHidden();
    values.toolbar2 = !ToolBar2->isHidden();
    values.statusBar = !statusBar()->isHidden();
    values.language = languageFile_;
    values.recentFiles = recentFiles_;
    values.importMarkup = importMarkup_;
    values.zoom = table_ ? table_->Zoom() : zoom_;
    return values;
}

void MainWindow::FormCreate()
{
    ReadSettings(*this);

    table_ = new TTable(ScrollBox->viewport());
    table_->setAccessibleName(QStringLiteral("Table"));
    ScrollBox->setAccessibleName(table_->accessibleName());
    ScrollBox->setWidget(table_);
    table_->OnChange = [this] {
        // Typing changes the text of one cell and nothing the tool bars show but Undo/Redo.
        if (table_->LastChangeWasTyping()) {
            actUndo->setEnabled(table_->CanUndo());
            actRedo->setEnabled(table_->CanRedo());
            ScrollToCaret();
        } else {
            TableChange();
        }
    };
    table_->OnSelectionChange = [this] { TableChange(); };
    table_->setPopupMenu(PopupMenu);
    // While typing or moving the caret, its line stays in view.
    connect(table_->Edit(), &QTextEdit::cursorPositionChanged, this, &MainWindow::ScrollToCaret);
    table_->setZoom(zoom_);
    actZoomReset->setEnabled(zoom_ != 100);
    table_->UpdateWidth();

    NewDocument();
    // The tool-bar controls take the focus too (by F6); the window starts with it in the grid.
    ScrollBox->setFocus(Qt::OtherFocusReason);
    FillFontBox();
    BuildLanguageMenu(*this);
}

void MainWindow::FormDestroy()
{
    WriteSettings(*this);
}

void MainWindow::FillFontBox()
{
    const QSignalBlocker quiet(FontBox);
    FontBox->clear();
    FontBox->addItems(FontBoxEntries());
    TableChange();
}

void MainWindow::createStatusBar()
{
    StatusPanel0 = new QLabel(QStringLiteral(" "), this);
    StatusPanel0->setFixedWidth(20);
    StatusPanel0->setAlignment(Qt::AlignCenter);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel1 = new QLabel(this);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setMinimumWidth(50);
    StatusPanel2 = new QLabel(this);
    StatusPanel2->setObjectName(QStringLiteral("StatusPanel2"));
    // What the last export could not hold: a note and the button that shows the report
    // (Alt and the button's underlined letter reach it from the keyboard).
    ExportNote = new QLabel(this);
    ExportNote->setObjectName(QStringLiteral("ExportNote"));
    ReportButton = new QPushButton(QStringLiteral("&Report..."), this);
    ReportButton->setObjectName(QStringLiteral("ReportButton"));
    ReportButton->setAccessibleName(QStringLiteral("Report"));
    ReportButton->setFocusPolicy(Qt::NoFocus);
    connect(ReportButton, &QPushButton::clicked, this, [this] {
        const QString report = exportReportText_;
        hideExportReport();
        prompts().information(this, texts_.warning, report);
    });
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);
    statusBar()->addPermanentWidget(ExportNote);
    statusBar()->addPermanentWidget(ReportButton);
    statusBar()->addPermanentWidget(StatusPanel2);
    hideExportReport();
    statusBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(statusBar(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { ToolbarPopup->popup(statusBar()->mapToGlobal(p)); });
}

void MainWindow::UpdateCaption()
{
    const QString title = QStringLiteral("HTML Quillgrid - ") + fileName_;
    QGuiApplication::setApplicationDisplayName(QString());
    setWindowTitle(title);
    StatusPanel1->setText(fileName_);
    emit documentRenamed();
}

void MainWindow::ScrollBoxResize()
{
    if (table_) table_->UpdateWidth();
}

// The whole current cell where it fits in the view, its top-left corner otherwise. The
// scroll box does not follow the focused editor by itself.
void MainWindow::ScrollToCurrentCell()
{
    const QRect cell = table_ ? table_->CurrentCellRect() : QRect();
    if (cell.isEmpty()) return;
    const QSize view = ScrollBox->viewport()->size();
    if (cell.width() <= view.width() && cell.height() <= view.height())
        ScrollBox->ensureVisible(cell.center().x(), cell.center().y(), cell.width() / 2 + 1,
                                 cell.height() / 2 + 1);
    else
        ScrollBox->ensureVisible(cell.left(), cell.top(), 0, 0);
}

void MainWindow::ScrollToCaret()
{
    QTextEdit* editor = table_ ? table_->Edit() : nullptr;
    if (!editor || editor->isHidden()) return;
    const QRect caret = editor->cursorRect();
    const QPoint inTable = editor->viewport()->mapTo(table_, caret.center());
    ScrollBox->ensureVisible(inTable.x(), inTable.y(), caret.width() / 2 + 4,
                             caret.height() / 2 + 2);
}

// The scroll box passes the keyboard on to the current cell's editor, making cell (0, 0)
// current when there is none: keys always land in a cell.
void MainWindow::ScrollBoxEnter()
{
    if (!table_ || !table_->EnsureCurrentCell()) return;
    if (!table_->Edit()->isHidden()) table_->Edit()->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (ToolBarKey(watched, event)) return true;
    if (watched == ScrollBox->viewport() && event->type() == QEvent::Resize) ScrollBoxResize();
    if (watched == ScrollBox && event->type() == QEvent::FocusIn) ScrollBoxEnter();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (startMaximized_) {
        // Shown first with its stored bounds, maximized at its first paint.
        startMaximized_ = false;
        QTimer::singleShot(0, this, [this] {
            setWindowState(Qt::WindowNoState);
            setWindowState(Qt::WindowMaximized);
        });
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!CloseDocument()) {
        event->ignore();
        return;
    }
    event->accept();
    FormDestroy();
}
