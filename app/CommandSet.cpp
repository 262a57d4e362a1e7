// The command set: every action with its caption, hint, shortcut, picture and language key,
// the menus and tool bars that show them, the two refreshes of their states, and the language
// keys of the main window's own components.

#include "app/MainWindow.h"

#include "app/Languages.h"
#include "dialogs/DialogParts.h"
#include "dialogs/PagePrinter.h"
#include "grid/Tables.h"
#include "ui/ColorSwatch.h"
#include "ui/CommandImages.h"
#include "ui/FontList.h"
#include "ui/LanguageTexts.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

struct CommandSpec {
    QAction* MainWindow::*action;
    const char* name;
    const char* caption;
    const char* hint;
    QKeySequence shortcut;
    Picture image;
    const char* languageKey;  // nullptr: no language file relabels it
};

using K = QKeySequence;
using P = Picture;
using W = MainWindow;
// clang-format off
const CommandSpec kCommands[] = {
    {&W::actNew, "actNew", "New...", "Create new file", K(Qt::CTRL | Qt::Key_N), P::New, "new"},
    {&W::actOpen, "actOpen", "Open...", "Open file...", K(Qt::CTRL | Qt::Key_O), P::Open, "open"},
    {&W::actImport, "actImport", "Import...", "Import a table from an HTML page or a CSV file", K(), P::Import, "import"},
    {&W::actSave, "actSave", "Save", "Save current file", K(Qt::CTRL | Qt::Key_S), P::Save, "save"},
    {&W::actSaveAs, "actSaveAs", "Save As...", "Save file as", K(Qt::SHIFT | Qt::CTRL | Qt::Key_S), P::SaveAs, "saveas"},
    {&W::actHTML, "actHTML", "Preview", "", K(Qt::CTRL | Qt::Key_H), P::Preview, "preview"},
    {&W::actPrint, "actPrint", "Print...", "Print the page the preview shows", K(Qt::CTRL | Qt::Key_P), P::None, "print"},
    {&W::actExportPdf, "actExportPdf", "Export as PDF...", "Write the page the preview shows as a PDF file", K(), P::None, "exportpdf"},
    {&W::actExit, "actExit", "Exit", "", K(Qt::ALT | Qt::Key_X), P::Delete, "exit"},
    {&W::actUndo, "actUndo", "Undo", "Undo", K(Qt::CTRL | Qt::Key_Z), P::Undo, "undo"},
    {&W::actUndo2, "actUndo2", "", "", K(Qt::ALT | Qt::Key_Backspace), P::None, nullptr},
    {&W::actRedo, "actRedo", "Redo", "Redo", K(Qt::SHIFT | Qt::CTRL | Qt::Key_Z), P::Redo, "redo"},
    {&W::actRedo2, "actRedo2", "", "", K(Qt::CTRL | Qt::Key_Y), P::None, nullptr},
    {&W::actCut, "actCut", "Cut", "Cut to Clipboard", K(Qt::CTRL | Qt::Key_X), P::Cut, "cut"},
    {&W::actCopy, "actCopy", "Copy", "Copy to Clipboard", K(Qt::CTRL | Qt::Key_C), P::Copy, "copy"},
    {&W::actPaste, "actPaste", "Paste", "Paste from Clipboard", K(Qt::CTRL | Qt::Key_V), P::Paste, "paste"},
    {&W::actPasteTable, "actPasteTable", "Paste Table", "Paste a table from the Clipboard into the grid", K(Qt::SHIFT | Qt::CTRL | Qt::Key_V), P::PasteTable, "pastetable"},
    {&W::actLink, "actLink", "Insert Link", "Insert Link...", K(), P::Link, "link"},
    {&W::actTableProp, "actTableProp", "Table Properties", "", K(Qt::CTRL | Qt::Key_T), P::Table, "tableprop"},
    {&W::actCellProp, "actCellProp", "Cell Properties", "", K(Qt::SHIFT | Qt::CTRL | Qt::Key_C), P::CellProperties, "cellprop"},
    {&W::actColInsBefore, "actColInsBefore", "Insert Before", "", K(), P::InsertColumnBefore, "inscbefore"},
    {&W::actColInsAfter, "actColInsAfter", "Insert After", "", K(), P::InsertColumnAfter, "inscafter"},
    {&W::actColDel, "actColDel", "Delete", "", K(), P::Delete, "cdel"},
    {&W::actRowInsBefore, "actRowInsBefore", "Insert Before", "", K(), P::InsertRowBefore, "insrbefore"},
    {&W::actRowInsAfter, "actRowInsAfter", "Insert After", "", K(), P::InsertRowAfter, "insrafter"},
    {&W::actRowDel, "actRowDel", "Delete", "", K(), P::Delete, "rdel"},
    {&W::actMerge, "actMerge", "Merge Cells", "", K(Qt::CTRL | Qt::Key_M), P::Merge, "merge"},
    {&W::actUnmerge, "actUnmerge", "Unmerge Cells", "", K(Qt::CTRL | Qt::Key_U), P::Unmerge, "unmerge"},
    {&W::actHeaderRow, "actHeaderRow", "Header Row", "Make the selected rows header cells, or plain cells again", K(), P::None, "headerrow"},
    {&W::actHeaderCol, "actHeaderCol", "Header Column", "Make the selected columns header cells, or plain cells again", K(), P::None, "headercol"},
    {&W::actColWidth, "actColWidth", "Column Width...", "Set the width of the selected columns", K(), P::None, "colwidth"},
    {&W::actSort, "actSort", "Sort...", "Sort the selected rows, or all, by one or two columns", K(), P::None, "sort"},
    {&W::actTranspose, "actTranspose", "Transpose", "Make the rows columns and the columns rows", K(), P::None, "transpose"},
    {&W::actMoveRowUp, "actMoveRowUp", "Move Row Up", "", K(Qt::ALT | Qt::Key_Up), P::None, "moverowup"},
    {&W::actMoveRowDown, "actMoveRowDown", "Move Row Down", "", K(Qt::ALT | Qt::Key_Down), P::None, "moverowdown"},
    {&W::actMoveColLeft, "actMoveColLeft", "Move Column Left", "", K(Qt::ALT | Qt::Key_Left), P::None, "movecolleft"},
    {&W::actMoveColRight, "actMoveColRight", "Move Column Right", "", K(Qt::ALT | Qt::Key_Right), P::None, "movecolright"},
    {&W::actFind, "actFind", "Find...", "Find text in the cells", K(Qt::CTRL | Qt::Key_F), P::None, "find"},
    {&W::actReplace, "actReplace", "Replace...", "Find text in the cells and replace it", K(Qt::SHIFT | Qt::CTRL | Qt::Key_F), P::None, "replace"},
    {&W::actFindNext, "actFindNext", "Find Next", "", K(Qt::Key_F3), P::None, "findnext"},
    {&W::actFindPrev, "actFindPrev", "Find Previous", "", K(Qt::SHIFT | Qt::Key_F3), P::None, "findprevious"},
    {&W::actBold, "actBold", "Bold", "Bold", K(Qt::CTRL | Qt::Key_B), P::Bold, "bold"},
    {&W::actItalic, "actItalic", "Italic", "Italic", K(Qt::CTRL | Qt::Key_I), P::Italic, "italic"},
    {&W::actAlignLeft, "actAlignLeft", "", "", K(Qt::CTRL | Qt::Key_L), P::None, nullptr},
    {&W::actAlignCenter, "actAlignCenter", "", "", K(Qt::CTRL | Qt::Key_E), P::None, nullptr},
    {&W::actAlignRight, "actAlignRight", "", "", K(Qt::CTRL | Qt::Key_R), P::None, nullptr},
    {&W::actMainMenu, "actMainMenu", "Main Menu", "", K(), P::None, "mainmenu"},
    {&W::actToolbar1, "actToolbar1", "File/Table Properties Toolbar", "", K(), P::None, "toolbar1"},
    {&W::actToolbar2, "actToolbar2", "Cell Properties Toolbar", "", K(), P::None, "toolbar2"},
    {&W::actStatusBar, "actStatusBar", "Status Bar", "", K(), P::None, "statusbar"},
    {&W::actHelp, "actHelp", "Help", "", K(Qt::Key_F1), P::None, "index"},
    {&W::actAbout, "actAbout", "About", "", K(Qt::CTRL | Qt::Key_F1), P::None, "about"},
    {&W::actSelectTable, "actSelectTable", "Select Table", "Select every cell of the table", K(Qt::SHIFT | Qt::CTRL | Qt::Key_A), P::None, "selecttable"},
    {&W::actMenuBar, "actMenuBar", "", "", K(Qt::Key_F10), P::None, nullptr},
    {&W::actNextPane, "actNextPane", "", "", K(Qt::Key_F6), P::None, nullptr},
    {&W::actPrevPane, "actPrevPane", "", "", K(Qt::SHIFT | Qt::Key_F6), P::None, nullptr},
    {&W::actZoomIn, "actZoomIn", "Zoom In", "Draw the grid larger", K(Qt::CTRL | Qt::Key_Plus), P::None, "zoomin"},
    {&W::actZoomOut, "actZoomOut", "Zoom Out", "Draw the grid smaller", K(Qt::CTRL | Qt::Key_Minus), P::None, "zoomout"},
    {&W::actZoomReset, "actZoomReset", "Actual Size", "Draw the grid at its own size", K(Qt::CTRL | Qt::Key_0), P::None, "zoomreset"},
};
// clang-format on

}  // namespace

void MainWindow::createActions()
{
    for (const CommandSpec& spec : kCommands) {
        auto* action = new QAction(QString::fromUtf8(spec.caption), this);
        action->setObjectName(QString::fromLatin1(spec.name));
        action->setToolTip(QString::fromUtf8(spec.hint));
        action->setStatusTip(QString::fromUtf8(spec.hint));
        action->setShortcut(spec.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        if (spec.image != Picture::None) action->setIcon(CommandImage(spec.image));
        // Shortcuts work even while the menu bar is hidden.
        addAction(action);
        this->*spec.action = action;
    }
    for (int n = 0; n < 9; ++n) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("act%1").arg(n));
        action->setIcon(AlignmentImage(n));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, n] { actAlignExecute(n); });
        actAlign[std::size_t(n)] = action;
    }
    // Ctrl+Q quits as on other desktops; the menu shows the first key, Alt+X.
    actExit->setShortcuts({K(Qt::ALT | Qt::Key_X), K(Qt::CTRL | Qt::Key_Q)});
    actBold->setCheckable(true);
    actItalic->setCheckable(true);
    actHeaderRow->setCheckable(true);
    actHeaderCol->setCheckable(true);
    // Ctrl++ is Ctrl+= on keyboards whose plus needs Shift.
    actZoomIn->setShortcuts({K(Qt::CTRL | Qt::Key_Plus), K(Qt::CTRL | Qt::Key_Equal)});

    for (QAction* toggle : {actMainMenu, actToolbar1, actToolbar2, actStatusBar})
        toggle->setCheckable(true);
    connectActions();
}

void MainWindow::connectActions()
{
    connect(actNew, &QAction::triggered, this, &MainWindow::actNewExecute);
    connect(actOpen, &QAction::triggered, this, &MainWindow::OpenWithDialog);
    connect(actImport, &QAction::triggered, this, &MainWindow::actImportExecute);
    connect(actSave, &QAction::triggered, this, &MainWindow::SaveCurrent);
    connect(actSaveAs, &QAction::triggered, this, &MainWindow::SaveDocumentAs);
    connect(actHTML, &QAction::triggered, this, &MainWindow::actHTMLExecute);
    connect(actPrint, &QAction::triggered, this, &MainWindow::actPrintExecute);
    connect(actExportPdf, &QAction::triggered, this, &MainWindow::actExportPdfExecute);
    connect(actExit, &QAction::triggered, this, &QWidget::close);
    connect(actUndo, &QAction::triggered, this, &MainWindow::actUndoExecute);
    connect(actUndo2, &QAction::triggered, this, &MainWindow::actUndoExecute);
    connect(actRedo, &QAction::triggered, this, &MainWindow::actRedoExecute);
    connect(actRedo2, &QAction::triggered, this, &MainWindow::actRedoExecute);
    connect(actCut, &QAction::triggered, this, [this] {
        if (!CopyCells(true)) table_->CutToClipboard();
    });
    connect(actCopy, &QAction::triggered, this, [this] {
        if (!CopyCells(false)) table_->CopyToClipboard();
    });
    connect(actPaste, &QAction::triggered, this, [this] { table_->PasteFromClipboard(); });
    connect(actPasteTable, &QAction::triggered, this, &MainWindow::actPasteTableExecute);
    connect(actTableProp, &QAction::triggered, this, &MainWindow::actTablePropExecute);
    connect(actCellProp, &QAction::triggered, this, &MainWindow::actCellPropExecute);
    connect(actLink, &QAction::triggered, this, &MainWindow::actLinkExecute);
    connect(actAbout, &QAction::triggered, this, &MainWindow::actAboutExecute);
    connect(actColInsBefore, &QAction::triggered, this, &MainWindow::actColInsBeforeExecute);
    connect(actColInsAfter, &QAction::triggered, this, &MainWindow::actColInsAfterExecute);
    connect(actColDel, &QAction::triggered, this, &MainWindow::actColDelExecute);
    connect(actRowInsBefore, &QAction::triggered, this, &MainWindow::actRowInsBeforeExecute);
    connect(actRowInsAfter, &QAction::triggered, this, &MainWindow::actRowInsAfterExecute);
    connect(actRowDel, &QAction::triggered, this, &MainWindow::actRowDelExecute);
    connect(actMerge, &QAction::triggered, this, &MainWindow::actMergeExecute);
    connect(actUnmerge, &QAction::triggered, this, &MainWindow::actUnmergeExecute);
    connect(actHeaderRow, &QAction::triggered, this, &MainWindow::actHeaderRowExecute);
    connect(actHeaderCol, &QAction::triggered, this, &MainWindow::actHeaderColExecute);
    connect(actColWidth, &QAction::triggered, this, &MainWindow::actColWidthExecute);
    connect(actSort, &QAction::triggered, this, &MainWindow::actSortExecute);
    connect(actTranspose, &QAction::triggered, this, &MainWindow::actTransposeExecute);
    connect(actMoveRowUp, &QAction::triggered, this, [this] { MoveLine(false, -1); });
    connect(actMoveRowDown, &QAction::triggered, this, [this] { MoveLine(false, 1); });
    connect(actMoveColLeft, &QAction::triggered, this, [this] { MoveLine(true, -1); });
    connect(actMoveColRight, &QAction::triggered, this, [this] { MoveLine(true, 1); });
    connect(actFind, &QAction::triggered, this, [this] { actFindExecute(false); });
    connect(actReplace, &QAction::triggered, this, [this] { actFindExecute(true); });
    connect(actFindNext, &QAction::triggered, this, [this] { FindAgain(false); });
    connect(actFindPrev, &QAction::triggered, this, [this] { FindAgain(true); });
    connect(actBold, &QAction::triggered, this, &MainWindow::actBoldExecute);
    connect(actItalic, &QAction::triggered, this, &MainWindow::actItalicExecute);
    connect(actAlignLeft, &QAction::triggered, this, [this] { actAlignLeftExecute(0); });
    connect(actAlignCenter, &QAction::triggered, this, [this] { actAlignLeftExecute(1); });
    connect(actAlignRight, &QAction::triggered, this, [this] { actAlignLeftExecute(2); });
    connect(actMainMenu, &QAction::triggered, this, &MainWindow::actMainMenuExecute);
    connect(actToolbar1, &QAction::triggered, this, &MainWindow::actToolbar1Execute);
    connect(actToolbar2, &QAction::triggered, this, &MainWindow::actToolbar2Execute);
    connect(actStatusBar, &QAction::triggered, this, &MainWindow::actStatusBarExecute);
    connect(actHelp, &QAction::triggered, this, &MainWindow::actHelpExecute);
    connect(actSelectTable, &QAction::triggered, this, &MainWindow::actSelectTableExecute);
    connect(actMenuBar, &QAction::triggered, this, &MainWindow::actMenuBarExecute);
    connect(actNextPane, &QAction::triggered, this, [this] { FocusNextPane(false); });
    connect(actPrevPane, &QAction::triggered, this, [this] { FocusNextPane(true); });
    connect(actZoomIn, &QAction::triggered, this, [this] { ZoomBy(1); });
    connect(actZoomOut, &QAction::triggered, this, [this] { ZoomBy(-1); });
    connect(actZoomReset, &QAction::triggered, this, [this] { ZoomBy(0); });
}

void MainWindow::createMenus()
{
    auto addLineMenu = [this](QMenu* parent, const QString& title, const QString& name,
                              QAction* before, QAction* after, QAction* del) {
        QMenu* menu = parent ? parent->addMenu(title) : new QMenu(title, this);
        menu->setObjectName(name);
        menu->addActions({before, after});
        menu->addSeparator();
        menu->addAction(del);
        return menu;
    };
    auto addViewToggles = [this](QMenu* menu) {
        menu->addActions({actMainMenu, actToolbar1, actToolbar2, actStatusBar});
    };

    MenuFile = menuBar()->addMenu(QStringLiteral("File"));
    createExportMenus();
    MenuFile->addActions({actNew, actOpen, actImport, actSave, actSaveAs});
    MenuFile->addMenu(MenuExport);
    MenuFile->addAction(actExportPdf);
    MenuFile->addSeparator();
    MenuFile->addActions({actHTML, actPrint});
    MenuFile->addSeparator();
    MenuRecent = MenuFile->addMenu(QStringLiteral("Recent Files"));
    // Filled when it opens, so that a file deleted meanwhile shows as missing.
    connect(MenuRecent, &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
    MenuFile->addSeparator();
    MenuFile->addAction(actExit);

    MenuEdit = menuBar()->addMenu(QStringLiteral("Edit"));
    MenuEdit->addActions({actUndo, actRedo});
    MenuEdit->addSeparator();
    MenuEdit->addActions({actCut, actCopy});
    MenuEdit->addMenu(MenuCopyAs);
    MenuEdit->addActions({actPaste, actPasteTable});
    MenuEdit->addSeparator();
    MenuEdit->addActions({actFind, actReplace, actFindNext, actFindPrev});
    MenuEdit->addSeparator();
    MenuEdit->addAction(actSelectTable);
    MenuEdit->addAction(actLink);

    MenuView = menuBar()->addMenu(QStringLiteral("View"));
    addViewToggles(MenuView);
    MenuView->addSeparator();
    MenuView->addActions({actZoomIn, actZoomOut, actZoomReset});
    MenuView->addSeparator();
    MenuLanguage = MenuView->addMenu(QStringLiteral("Language"));

    MenuTable = menuBar()->addMenu(QStringLiteral("Table"));
    MenuTable->addActions({actTableProp, actCellProp});
    mColumn = addLineMenu(MenuTable, QStringLiteral("Column"), QStringLiteral("mColumn"),
                          actColInsBefore, actColInsAfter, actColDel);
    mRow = addLineMenu(MenuTable, QStringLiteral("Row"), QStringLiteral("mRow"), actRowInsBefore,
                       actRowInsAfter, actRowDel);
    MenuTable->addSeparator();
    MenuTable->addActions({actHeaderRow, actHeaderCol, actColWidth});
    MenuTable->addSeparator();
    MenuTable->addActions({actSort, actTranspose, actMoveRowUp, actMoveRowDown, actMoveColLeft, actMoveColRight});
    MenuTable->addSeparator();
    MenuTable->addActions({actMerge, actUnmerge});

    MenuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    MenuHelp->addAction(actHelp);
    MenuHelp->addSeparator();
    MenuHelp->addAction(actAbout);

    PopupMenu = new QMenu(this);
    PopupMenu->addActions({actUndo, actRedo});
    PopupMenu->addSeparator();
    PopupMenu->addActions({actCut, actCopy, actPaste, actPasteTable});
    PopupMenu->addSeparator();
    PopupMenu->addActions({actTableProp, actCellProp});
    mColumn1 = addLineMenu(PopupMenu, QStringLiteral("Column"), QStringLiteral("mColumn1"),
                           actColInsBefore, actColInsAfter, actColDel);
    mRow1 = addLineMenu(PopupMenu, QStringLiteral("Row"), QStringLiteral("mRow1"),
                        actRowInsBefore, actRowInsAfter, actRowDel);
    PopupMenu->addSeparator();
    PopupMenu->addActions({actMerge, actUnmerge});
    PopupMenu->addActions({actHeaderRow, actHeaderCol, actColWidth});
    PopupMenu->addSeparator();
    PopupMenu->addActions({actMoveRowUp, actMoveRowDown, actMoveColLeft, actMoveColRight});
    PopupMenu->addSeparator();
    mToolbars = PopupMenu->addMenu(QStringLiteral("Toolbars"));
    addViewToggles(mToolbars);

    ToolbarPopup = new QMenu(this);
    addViewToggles(ToolbarPopup);

    // The object names the tests and tools find the menus by.
    const std::pair<QMenu*, const char*> named[] = {
        {MenuFile, "MenuFile"},   {MenuEdit, "MenuEdit"},         {MenuView, "MenuView"},
        {MenuRecent, "MenuRecent"},
        {MenuLanguage, "MenuLanguage"}, {MenuTable, "MenuTable"}, {MenuHelp, "MenuHelp"},
        {mToolbars, "mToolbars"}, {PopupMenu, "PopupMenu"},       {ToolbarPopup, "ToolbarPopup"},
    };
    for (const auto& [menu, name] : named) menu->setObjectName(QLatin1String(name));
}

void MainWindow::createToolBars()
{
    auto makeBar = [this](const QString& name) {
        QToolBar* bar = addToolBar(name);
        bar->setObjectName(name);
        bar->setMovable(false);
        bar->setIconSize(QSize(20, 20));
        bar->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(bar, &QWidget::customContextMenuRequested, this,
                [this, bar](const QPoint& p) { ToolbarPopup->popup(bar->mapToGlobal(p)); });
        return bar;
    };
    auto dropDown = [this](QMenu* menu, Picture image, const QString& name) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setIcon(CommandImage(image));
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolTip(menu->title());
        return button;
    };

    ToolBar1 = makeBar(QStringLiteral("ToolBar1"));
    ToolBar1->addActions({actNew, actOpen, actSave, actSaveAs});
    ToolBar1->addSeparator();
    ToolBar1->addAction(actHTML);
    ToolBar1->addSeparator();
    ToolBar1->addActions({actUndo, actRedo});
    ToolBar1->addSeparator();
    ToolBar1->addActions({actCut, actCopy, actPaste});
    ToolBar1->addSeparator();
    ToolBar1->addActions({actTableProp, actCellProp});
    bColumn = dropDown(mColumn, Picture::Column, QStringLiteral("bColumn"));
    bRow = dropDown(mRow, Picture::Row, QStringLiteral("bRow"));
    ToolBar1->addWidget(bColumn);
    ToolBar1->addWidget(bRow);
    ToolBar1->addSeparator();
    ToolBar1->addActions({actMerge, actUnmerge});
    ToolBar1->addSeparator();
    ToolBar1->addAction(actLink);

    addToolBarBreak();
    ToolBar2 = makeBar(QStringLiteral("ToolBar2"));
    createCellToolBar();
}

void MainWindow::createCellToolBar()
{
    ColorBox1 = new ColorSwatch(this);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    ColorBox1->setToolTip(QStringLiteral("Background Color"));
    connect(ColorBox1, &ColorSwatch::pressed, this, &MainWindow::ColorBox1MouseDown);
    ToolBar2->addWidget(ColorBox1);
    ToolBar2->addSeparator();
    FontBox = new QComboBox(this);
    FontBox->setObjectName(QStringLiteral("FontBox"));
    FontBox->setFixedWidth(145);
    connect(FontBox, &QComboBox::activated, this, &MainWindow::FontBoxChange);
    ToolBar2->addWidget(FontBox);
    SizeBox = new QComboBox(this);
    SizeBox->setObjectName(QStringLiteral("SizeBox"));
    SizeBox->setFixedWidth(48);
    SizeBox->addItems(FontSizeEntries());
    connect(SizeBox, &QComboBox::activated, this, &MainWindow::SizeBoxChange);
    ToolBar2->addWidget(SizeBox);
    ToolBar2->addSeparator();
    ColorBox2 = new ColorSwatch(this);
    ColorBox2->setObjectName(QStringLiteral("ColorBox2"));
    ColorBox2->setToolTip(QStringLiteral("Font Color"));
    ColorBox2->setColor(0x800000);  // navy until the table says otherwise
    connect(ColorBox2, &ColorSwatch::pressed, this, &MainWindow::ColorBox2MouseDown);
    ToolBar2->addWidget(ColorBox2);
    ToolBar2->addSeparator();
    ToolBar2->addAction(actBold);
    ToolBar2->addAction(actItalic);
    ToolButton5 = qobject_cast<QToolButton*>(ToolBar2->widgetForAction(actBold));
    ToolButton6 = qobject_cast<QToolButton*>(ToolBar2->widgetForAction(actItalic));
    ToolButton5->setObjectName(QStringLiteral("ToolButton5"));
    ToolButton6->setObjectName(QStringLiteral("ToolButton6"));
    ToolBar2->addSeparator();
    AlignKey = new QToolButton(this);
    AlignKey->setObjectName(QStringLiteral("AlignKey"));
    AlignKey->setIcon(CommandImage(Picture::MixedAlignment));
    AlignKey->setToolTip(QStringLiteral("Text Alignment"));
    connect(AlignKey, &QToolButton::clicked, this, &MainWindow::AlignKeyClick);
    ToolBar2->addWidget(AlignKey);

    // Keys belong to the grid: a click on a tool-bar button leaves them there, and Tab never
    // leaves the grid for a bar. F6 reaches the bars, and then their controls take the keys
    // (ToolBarKey); the lists also take them when clicked.
    for (QToolBar* bar : {ToolBar1, ToolBar2})
        for (QWidget* control : bar->findChildren<QWidget*>()) {
            if (qobject_cast<QToolButton*>(control) || qobject_cast<ColorSwatch*>(control))
                control->setFocusPolicy(Qt::TabFocus);
            control->installEventFilter(this);
        }
    for (QComboBox* list : {FontBox, SizeBox}) list->setFocusPolicy(Qt::StrongFocus);
    // On this desktop a list is named by its value; its label, even unseen, says what it is for.
    FontBoxLabel = new QLabel(QStringLiteral("Font"), ToolBar2);
    FontBoxLabel->setBuddy(FontBox);
    FontBoxLabel->hide();
    SizeBoxLabel = new QLabel(QStringLiteral("Font Size"), ToolBar2);
    SizeBoxLabel->setBuddy(SizeBox);
    SizeBoxLabel->hide();
    NamePictureControls();
}

// ---- Refreshes ---------------------------------------------------------------------------------

void MainWindow::TableChange()
{
    if (!table_) return;
    actUndo->setEnabled(table_->CanUndo());
    actRedo->setEnabled(table_->CanRedo());

    TCell summary;
    TCellFields mask = 0;
    table_->GetSelectionFormat(summary, mask);

    {
        const QSignalBlocker quietFont(FontBox), quietSize(SizeBox);
        FontBox->setCurrentIndex(
            FontBox->findText(QString::fromUtf8(summary.FontName), Qt::MatchFixedString));
        if (summary.FontName.isEmpty()) FontBox->setCurrentIndex(-1);
        SizeBox->setCurrentIndex(std::clamp(summary.FontSize, -1, 7) + 1);
    }
    ColorBox1->setColor(summary.BgColor);
    ColorBox2->setColor(summary.FontColor);
    actBold->setChecked(summary.Bold);
    actItalic->setChecked(summary.Italic);

    // A document may hold alignment codes no command makes; they show as no common alignment.
    const bool known = summary.VAlign >= 0 && summary.VAlign <= 2 && summary.HAlign >= 0 &&
                       summary.HAlign <= 2;
    const bool common = known && (mask & cfVAlign) && (mask & cfHAlign);
    const int alignment = known ? 3 * summary.VAlign + summary.HAlign : -1;
    const Picture alignImage = common ? AlignmentPicture(alignment) : Picture::MixedAlignment;
    ScrollToCurrentCell();
    AlignKey->setIcon(CommandImage(alignImage));
    // The icon cannot say which picture it is; the index is kept beside it for the tests.
    AlignKey->setProperty("imageIndex", int(alignImage));
    for (int n = 0; n < 9; ++n) actAlign[std::size_t(n)]->setChecked(common && n == alignment);

    actMerge->setEnabled(table_->CanMerge());
    actUnmerge->setEnabled(table_->CanUnmerge());
    UpdateHeaderChecks();
    actColDel->setEnabled(table_->ColCount > 1);
    actRowDel->setEnabled(table_->RowCount > 1);
}

void MainWindow::ActionListUpdate()
{
    if (!table_) return;
    const bool cells = table_->SelectedCount() > 1;
    actCut->setEnabled(cells || table_->HasSelection());
    actCopy->setEnabled(cells || table_->HasSelection());
    actPaste->setEnabled(table_->CanPaste());
    actPasteTable->setEnabled(CanPasteTable());
    actSave->setEnabled(table_->Changed);
    // One page goes to paper at a time.
    const bool printing = pagePrinter_ && pagePrinter_->busy();
    actPrint->setEnabled(!printing);
    actExportPdf->setEnabled(!printing);
    actMainMenu->setChecked(!menuBar()->isHidden());
    actToolbar1->setChecked(!ToolBar1->isHidden());
    actToolbar2->setChecked(!ToolBar2->isHidden());
    actStatusBar->setChecked(!statusBar()->isHidden());
    const QString star = table_->Changed ? QStringLiteral("*") : QStringLiteral(" ");
    if (StatusPanel0->text() != star) StatusPanel0->setText(star);
    UpdateLanguageChecks(*this);
}

// ---- Language ---------------------------------------------------------------------------------

void MainWindow::applyCommandLanguage(const LanguageTexts& texts)
{
    for (const CommandSpec& spec : kCommands)
        if (spec.languageKey) texts.CaptionAndHint(spec.languageKey, this->*spec.action);

    const std::pair<const char*, QMenu*> menus[] = {
        {"file", MenuFile}, {"edit", MenuEdit},   {"view", MenuView},
        {"table", MenuTable}, {"help", MenuHelp}, {"language", MenuLanguage},
        {"recent", MenuRecent},
    };
    for (const auto& [key, menu] : menus) texts.Caption(key, menu);
    if (texts.Caption("showreport", ReportButton))
        ReportButton->setAccessibleName(QString(ReportButton->text()).remove(QLatin1Char('&')));
    // The line menus' hints belong to their drop-down buttons on the tool bar; the context
    // menu's copies follow.
    applyExportLanguage(texts);
    texts.Caption("column", mColumn);
    texts.Hint("column", bColumn);
    texts.Caption("row", mRow);
    texts.Hint("row", bRow);
    mColumn1->setTitle(mColumn->title());
    mRow1->setTitle(mRow->title());
    // Three labels of Cell Properties lend their hints to the cell tool bar.
    texts.Hint("background", ColorBox1);
    texts.Hint("fontcolor", ColorBox2);
    texts.Hint("alignment", AlignKey);
    texts.Caption("fontbox", FontBoxLabel);
    texts.Caption("sizebox", SizeBoxLabel);
    QString words, merged;
    if (texts.Text("gridname", words)) table_->setAccessibleName(words);
    ScrollBox->setAccessibleName(table_->accessibleName());
    if (texts.Text("cellpos", words) && texts.Text("cellmerged", merged)) table_->setPositionWords(words, merged);
    NamePictureControls();
}

void MainWindow::NamePictureControls()
{
    // Controls that show a picture are named by their hints, the lists by their labels.
    for (QWidget* control : std::initializer_list<QWidget*>{bColumn, bRow, AlignKey, ColorBox1, ColorBox2})
        control->setAccessibleName(control->toolTip());
    FontBox->setAccessibleName(FontBoxLabel->text());
    SizeBox->setAccessibleName(SizeBoxLabel->text());
}
