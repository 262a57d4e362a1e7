#include "app/main.h"

#include "app/ColorSwatch.h"
#include "app/FontList.h"
#include "app/Images.h"
#include "app/KRVFileNames.h"
#include "app/Languages.h"
#include "app/Settings.h"
#include "tables/Tables.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {
TForm1* mainWindow = nullptr;
}

TForm1* Form1()
{
    return mainWindow;
}

TForm1::TForm1()
{
    mainWindow = this;
    setWindowIcon(ApplicationIcon());
    createActions();
    createMenus();
    createToolBars();
    createStatusBar();

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setWidgetResizable(false);
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
    SaveDialog = new QFileDialog(this);

    // The idle refresh: whenever the event loop is about to wait.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TForm1::ActionListUpdate);

    FormCreate();
}

TForm1::~TForm1()
{
    if (mainWindow == this) mainWindow = nullptr;
}

void TForm1::FormCreate()
{
    ReadSettings(*this);

    Table = new TTable(ScrollBox->viewport());
    ScrollBox->setWidget(Table);
    Table->OnChange = [this] {
        // Typing changes the text of one cell and nothing the tool bars show but Undo/Redo.
        if (Table->LastChangeWasTyping()) {
            actUndo->setEnabled(Table->CanUndo());
            actRedo->setEnabled(Table->CanRedo());
        } else {
            TableChange();
        }
    };
    Table->OnSelectionChange = [this] { TableChange(); };
    Table->setPopupMenu(PopupMenu);
    Table->UpdateWidth();

    NewDocument();
    FillFontBox();
    BuildLanguageMenu(*this);
}

void TForm1::FormDestroy()
{
    WriteSettings(*this);
}

void TForm1::FillFontBox()
{
    const QSignalBlocker quiet(FontBox);
    FontBox->clear();
    FontBox->addItems(FontBoxEntries());
    TableChange();
}

void TForm1::createStatusBar()
{
    StatusPanel0 = new QLabel(QStringLiteral(" "), this);
    StatusPanel0->setFixedWidth(20);
    StatusPanel0->setAlignment(Qt::AlignCenter);
    StatusPanel1 = new QLabel(this);
    StatusPanel1->setMinimumWidth(50);
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);
    statusBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(statusBar(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { ToolbarPopup->popup(statusBar()->mapToGlobal(p)); });
}

void TForm1::UpdateCaption()
{
    const QString title = QStringLiteral("HTML Quillgrid - ") + CurFileName;
    QGuiApplication::setApplicationDisplayName(QString());
    setWindowTitle(title);
    StatusPanel1->setText(CurFileName);
    emit documentRenamed();
}

void TForm1::ScrollBoxResize()
{
    if (Table) Table->UpdateWidth();
}

void TForm1::ScrollBoxEnter()
{
    if (Table) Table->EnsureCurrentCell();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScrollBox->viewport() && event->type() == QEvent::Resize) ScrollBoxResize();
    if (watched == ScrollBox && event->type() == QEvent::FocusIn) ScrollBoxEnter();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (StartMaximized) {
        // Shown first with its stored bounds, maximized at its first paint.
        StartMaximized = false;
        QTimer::singleShot(0, this, [this] {
            setWindowState(Qt::WindowNoState);
            setWindowState(Qt::WindowMaximized);
        });
    }
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!CloseDocument()) {
        event->ignore();
        return;
    }
    event->accept();
    FormDestroy();
}
