// The command set: every action with its caption, hint, shortcut and picture, the menus and
// tool bars that show them, their handlers, and the two refreshes of their states.

#include "app/main.h"

#include "app/ColorSwatch.h"
#include "app/Images.h"
#include "app/KRVFileNames.h"
#include "app/Languages.h"
#include "app/Prompts.h"
#include "tables/Tables.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

struct CommandSpec {
    QAction* TForm1::*action;
    const char* name;
    const char* caption;
    const char* hint;
    QKeySequence shortcut;
    int image;
};

}  // namespace

void TForm1::createActions()
{
    using K = QKeySequence;
    const CommandSpec commands[] = {
        {&TForm1::actNew, "actNew", "New...", "Create new file", K(Qt::CTRL | Qt::Key_N), 0},
        {&TForm1::actOpen, "actOpen", "Open...", "Open file...", K(Qt::CTRL | Qt::Key_O), 1},
        {&TForm1::actSave, "actSave", "Save", "Save current file", K(Qt::CTRL | Qt::Key_S), 2},
        {&TForm1::actSaveAs, "actSaveAs", "Save As...", "Save file as",
         K(Qt::SHIFT | Qt::CTRL | Qt::Key_S), 36},
        {&TForm1::actHTML, "actHTML", "Preview", "", K(Qt::CTRL | Qt::Key_H), 4},
        {&TForm1::actExit, "actExit", "Exit", "", K(Qt::ALT | Qt::Key_X), 3},
        {&TForm1::actUndo, "actUndo", "Undo", "Undo", K(Qt::CTRL | Qt::Key_Z), 7},
        {&TForm1::actUndo2, "actUndo2", "", "", K(Qt::ALT | Qt::Key_Backspace), -1},
        {&TForm1::actRedo, "actRedo", "Redo", "Redo", K(Qt::SHIFT | Qt::CTRL | Qt::Key_Z), 8},
        {&TForm1::actRedo2, "actRedo2", "", "", K(Qt::CTRL | Qt::Key_Y), -1},
        {&TForm1::actCut, "actCut", "Cut", "Cut to Clipboard", K(Qt::CTRL | Qt::Key_X), 9},
        {&TForm1::actCopy, "actCopy", "Copy", "Copy to Clipboard", K(Qt::CTRL | Qt::Key_C), 10},
        {&TForm1::actPaste, "actPaste", "Paste", "Paste from Clipboard", K(Qt::CTRL | Qt::Key_V),
         11},
        {&TForm1::actLink, "actLink", "Insert Link", "Insert Link...", K(), 30},
        {&TForm1::actTableProp, "actTableProp", "Table Properties", "", K(Qt::CTRL | Qt::Key_T),
         12},
        {&TForm1::actCellProp, "actCellProp", "Cell Properties", "",
         K(Qt::SHIFT | Qt::CTRL | Qt::Key_C), 15},
        {&TForm1::actColInsBefore, "actColInsBefore", "Insert Before", "", K(), 32},
        {&TForm1::actColInsAfter, "actColInsAfter", "Insert After", "", K(), 31},
        {&TForm1::actColDel, "actColDel", "Delete", "", K(), 3},
        {&TForm1::actRowInsBefore, "actRowInsBefore", "Insert Before", "", K(), 34},
        {&TForm1::actRowInsAfter, "actRowInsAfter", "Insert After", "", K(), 33},
        {&TForm1::actRowDel, "actRowDel", "Delete", "", K(), 3},
        {&TForm1::actMerge, "actMerge", "Merge Cells", "", K(Qt::CTRL | Qt::Key_M), 28},
        {&TForm1::actUnmerge, "actUnmerge", "Unmerge Cells", "", K(Qt::CTRL | Qt::Key_U), 29},
        {&TForm1::actBold, "actBold", "Bold", "Bold", K(Qt::CTRL | Qt::Key_B), 16},
        {&TForm1::actItalic, "actItalic", "Italic", "Italic", K(Qt::CTRL | Qt::Key_I), 17},
        {&TForm1::actAlignLeft, "actAlignLeft", "", "", K(Qt::CTRL | Qt::Key_L), -1},
        {&TForm1::actAlignCenter, "actAlignCenter", "", "", K(Qt::CTRL | Qt::Key_E), -1},
        {&TForm1::actAlignRight, "actAlignRight", "", "", K(Qt::CTRL | Qt::Key_R), -1},
        {&TForm1::actMainMenu, "actMainMenu", "Main Menu", "", K(), -1},
        {&TForm1::actToolbar1, "actToolbar1", "File/Table Properties Toolbar", "", K(), -1},
        {&TForm1::actToolbar2, "actToolbar2", "Cell Properties Toolbar", "", K(), -1},
        {&TForm1::actStatusBar, "actStatusBar", "Status Bar", "", K(), -1},
        {&TForm1::actHelp, "actHelp", "Help", "", K(Qt::Key_F1), -1},
        {&TForm1::actAbout, "actAbout", "About", "", K(Qt::CTRL | Qt::Key_F1), -1},
    };
    for (const CommandSpec& spec : commands) {
        auto* action = new QAction(QString::fromUtf8(spec.caption), this);
        action->setObjectName(QString::fromLatin1(spec.name));
        action->setToolTip(QString::fromUtf8(spec.hint));
        action->setStatusTip(QString::fromUtf8(spec.hint));
        action->setShortcut(spec.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        if (spec.image >= 0) action->setIcon(CommandImage(spec.image));
        // Shortcuts work even while the menu bar is hidden.
        addAction(action);
        this->*spec.action = action;
    }
    for (int n = 0; n < 9; ++n) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("act%1").arg(n));
        action->setIcon(CommandImage(19 + n));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, n] { act0Execute(n); });
        actAlign[std::size_t(n)] = action;
    }
    actBold->setCheckable(true);
    actItalic->setCheckable(true);
    for (QAction* toggle : {actMainMenu, actToolbar1, actToolbar2, actStatusBar})
        toggle->setCheckable(true);

    connect(actNew, &QAction::triggered, this, &TForm1::actNewExecute);
    connect(actOpen, &QAction::triggered, this, &TForm1::OpenWithDialog);
    connect(actSave, &QAction::triggered, this, &TForm1::SaveCurrent);
    connect(actSaveAs, &QAction::triggered, this, &TForm1::SaveDocumentAs);
    connect(actHTML, &QAction::triggered, this, &TForm1::actHTMLExecute);
    connect(actExit, &QAction::triggered, this, &QWidget::close);
    connect(actUndo, &QAction::triggered, this, &TForm1::actUndoExecute);
    connect(actUndo2, &QAction::triggered, this, &TForm1::actUndoExecute);
    connect(actRedo, &QAction::triggered, this, &TForm1::actRedoExecute);
    connect(actRedo2, &QAction::triggered, this, &TForm1::actRedoExecute);
    connect(actCut, &QAction::triggered, this, [this] { Table->CutToClipboard(); });
    connect(actCopy, &QAction::triggered, this, [this] { Table->CopyToClipboard(); });
    connect(actPaste, &QAction::triggered, this, [this] { Table->PasteFromClipboard(); });
    connect(actTableProp, &QAction::triggered, this, &TForm1::actTablePropExecute);
    connect(actCellProp, &QAction::triggered, this, &TForm1::actCellPropExecute);
    connect(actLink, &QAction::triggered, this, &TForm1::actLinkExecute);
    connect(actAbout, &QAction::triggered, this, &TForm1::actAboutExecute);
    connect(actColInsBefore, &QAction::triggered, this, &TForm1::actColInsBeforeExecute);
    connect(actColInsAfter, &QAction::triggered, this, &TForm1::actColInsAfterExecute);
    connect(actColDel, &QAction::triggered, this, &TForm1::actColDelExecute);
    connect(actRowInsBefore, &QAction::triggered, this, &TForm1::actRowInsBeforeExecute);
    connect(actRowInsAfter, &QAction::triggered, this, &TForm1::actRowInsAfterExecute);
    connect(actRowDel, &QAction::triggered, this, &TForm1::actRowDelExecute);
    connect(actMerge, &QAction::triggered, this, &TForm1::actMergeExecute);
    connect(actUnmerge, &QAction::triggered, this, &TForm1::actUnmergeExecute);
    connect(actBold, &QAction::triggered, this, &TForm1::actBoldExecute);
    connect(actItalic, &QAction::triggered, this, &TForm1::actItalicExecute);
    connect(actAlignLeft, &QAction::triggered, this, [this] { actAlignLeftExecute(0); });
    connect(actAlignCenter, &QAction::triggered, this, [this] { actAlignLeftExecute(1); });
    connect(actAlignRight, &QAction::triggered, this, [this] { actAlignLeftExecute(2); });
    connect(actMainMenu, &QAction::triggered, this, &TForm1::actMainMenuExecute);
    connect(actToolbar1, &QAction::triggered, this, &TForm1::actToolbar1Execute);
    connect(actToolbar2, &QAction::triggered, this, &TForm1::actToolbar2Execute);
    connect(actStatusBar, &QAction::triggered, this, &TForm1::actStatusBarExecute);
    connect(actHelp, &QAction::triggered, this, &TForm1::actHelpExecute);
}

void TForm1::createMenus()
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
    MenuFile->addActions({actNew, actOpen, actSave, actSaveAs});
    MenuFile->addSeparator();
    MenuFile->addAction(actHTML);
    MenuFile->addSeparator();
    MenuFile->addAction(actExit);

    MenuEdit = menuBar()->addMenu(QStringLiteral("Edit"));
    MenuEdit->addActions({actUndo, actRedo});
    MenuEdit->addSeparator();
    MenuEdit->addActions({actCut, actCopy, actPaste});
    MenuEdit->addSeparator();
    MenuEdit->addAction(actLink);

    MenuView = menuBar()->addMenu(QStringLiteral("View"));
    addViewToggles(MenuView);
    MenuView->addSeparator();
    MenuLanguage = MenuView->addMenu(QStringLiteral("Language"));

    MenuTable = menuBar()->addMenu(QStringLiteral("Table"));
    MenuTable->addActions({actTableProp, actCellProp});
    mColumn = addLineMenu(MenuTable, QStringLiteral("Column"), QStringLiteral("mColumn"),
                          actColInsBefore, actColInsAfter, actColDel);
    mRow = addLineMenu(MenuTable, QStringLiteral("Row"), QStringLiteral("mRow"), actRowInsBefore,
                       actRowInsAfter, actRowDel);

    MenuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    MenuHelp->addAction(actHelp);
    MenuHelp->addSeparator();
    MenuHelp->addAction(actAbout);

    PopupMenu = new QMenu(this);
    PopupMenu->addActions({actUndo, actRedo});
    PopupMenu->addSeparator();
    PopupMenu->addActions({actCut, actCopy, actPaste});
    PopupMenu->addSeparator();
    PopupMenu->addActions({actTableProp, actCellProp});
    mColumn1 = addLineMenu(PopupMenu, QStringLiteral("Column"), QStringLiteral("mColumn1"),
                           actColInsBefore, actColInsAfter, actColDel);
    mRow1 = addLineMenu(PopupMenu, QStringLiteral("Row"), QStringLiteral("mRow1"),
                        actRowInsBefore, actRowInsAfter, actRowDel);
    PopupMenu->addSeparator();
    PopupMenu->addActions({actMerge, actUnmerge});
    PopupMenu->addSeparator();
    mToolbars = PopupMenu->addMenu(QStringLiteral("Toolbars"));
    addViewToggles(mToolbars);

    ToolbarPopup = new QMenu(this);
    addViewToggles(ToolbarPopup);
}

void TForm1::createToolBars()
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
    auto dropDown = [this](QMenu* menu, int image, const QString& name) {
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
    bColumn = dropDown(mColumn, 13, QStringLiteral("bColumn"));
    bRow = dropDown(mRow, 14, QStringLiteral("bRow"));
    ToolBar1->addWidget(bColumn);
    ToolBar1->addWidget(bRow);
    ToolBar1->addSeparator();
    ToolBar1->addActions({actMerge, actUnmerge});
    ToolBar1->addSeparator();
    ToolBar1->addAction(actLink);

    addToolBarBreak();
    ToolBar2 = makeBar(QStringLiteral("ToolBar2"));
    ColorBox1 = new ColorSwatch(this);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    ColorBox1->setToolTip(QStringLiteral("Background Color"));
    connect(ColorBox1, &ColorSwatch::pressed, this, &TForm1::ColorBox1MouseDown);
    ToolBar2->addWidget(ColorBox1);
    ToolBar2->addSeparator();
    FontBox = new QComboBox(this);
    FontBox->setObjectName(QStringLiteral("FontBox"));
    FontBox->setFixedWidth(145);
    connect(FontBox, &QComboBox::activated, this, &TForm1::FontBoxChange);
    ToolBar2->addWidget(FontBox);
    SizeBox = new QComboBox(this);
    SizeBox->setObjectName(QStringLiteral("SizeBox"));
    SizeBox->setFixedWidth(48);
    SizeBox->addItems({QString(), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                       QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                       QStringLiteral("6"), QStringLiteral("7")});
    connect(SizeBox, &QComboBox::activated, this, &TForm1::SizeBoxChange);
    ToolBar2->addWidget(SizeBox);
    ToolBar2->addSeparator();
    ColorBox2 = new ColorSwatch(this);
    ColorBox2->setObjectName(QStringLiteral("ColorBox2"));
    ColorBox2->setToolTip(QStringLiteral("Font Color"));
    ColorBox2->setColor(0x800000);  // navy until the table says otherwise
    connect(ColorBox2, &ColorSwatch::pressed, this, &TForm1::ColorBox2MouseDown);
    ToolBar2->addWidget(ColorBox2);
    ToolBar2->addSeparator();
    ToolBar2->addAction(actBold);
    ToolBar2->addAction(actItalic);
    ToolButton5 = qobject_cast<QToolButton*>(ToolBar2->widgetForAction(actBold));
    ToolButton6 = qobject_cast<QToolButton*>(ToolBar2->widgetForAction(actItalic));
    ToolBar2->addSeparator();
    AlignKey = new QToolButton(this);
    AlignKey->setObjectName(QStringLiteral("AlignKey"));
    AlignKey->setIcon(CommandImage(18));
    AlignKey->setToolTip(QStringLiteral("Text Alignment"));
    connect(AlignKey, &QToolButton::clicked, this, &TForm1::AlignKeyClick);
    ToolBar2->addWidget(AlignKey);
}

// ---- Refreshes ---------------------------------------------------------------------------------

void TForm1::TableChange()
{
    if (!Table) return;
    actUndo->setEnabled(Table->CanUndo());
    actRedo->setEnabled(Table->CanRedo());

    TCell summary;
    TCellFields mask = 0;
    Table->GetSelectionFormat(summary, mask);

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
    const int alignImage = common ? 19 + alignment : 18;
    AlignKey->setIcon(CommandImage(alignImage));
    // The icon cannot say which picture it is; the index is kept beside it for the tests.
    AlignKey->setProperty("imageIndex", alignImage);
    for (int n = 0; n < 9; ++n) actAlign[std::size_t(n)]->setChecked(common && n == alignment);

    actMerge->setEnabled(Table->CanMerge());
    actUnmerge->setEnabled(Table->CanUnmerge());
    actColDel->setEnabled(Table->ColCount > 1);
    actRowDel->setEnabled(Table->RowCount > 1);
}

void TForm1::ActionListUpdate()
{
    if (!Table) return;
    actCut->setEnabled(Table->HasSelection());
    actCopy->setEnabled(Table->HasSelection());
    actPaste->setEnabled(Table->CanPaste());
    actSave->setEnabled(Table->Changed);
    actMainMenu->setChecked(!menuBar()->isHidden());
    actToolbar1->setChecked(!ToolBar1->isHidden());
    actToolbar2->setChecked(!ToolBar2->isHidden());
    actStatusBar->setChecked(!statusBar()->isHidden());
    const QString star = Table->Changed ? QStringLiteral("*") : QStringLiteral(" ");
    if (StatusPanel0->text() != star) StatusPanel0->setText(star);
    UpdateLanguageChecks(*this);
}

// ---- Table commands ---------------------------------------------------------------------------

void TForm1::actUndoExecute()
{
    Table->Undo();
}

void TForm1::actRedoExecute()
{
    Table->Redo();
}

void TForm1::actColInsBeforeExecute()
{
    Table->InsertColumn(Table->SelCol);
    Table->AddUndoStep(TUndoStep::Command);
}

void TForm1::actColInsAfterExecute()
{
    Table->InsertColumn(Table->SelCol + 1);
    Table->AddUndoStep(TUndoStep::Command);
}

void TForm1::actColDelExecute()
{
    Table->DeleteColumn(Table->SelCol);
    Table->AddUndoStep(TUndoStep::Command);
}

void TForm1::actRowInsBeforeExecute()
{
    Table->InsertRow(Table->SelRow);
    Table->AddUndoStep(TUndoStep::Command);
}

void TForm1::actRowInsAfterExecute()
{
    Table->InsertRow(Table->SelRow + 1);
    Table->AddUndoStep(TUndoStep::Command);
}

void TForm1::actRowDelExecute()
{
    Table->DeleteRow(Table->SelRow);
    Table->AddUndoStep(TUndoStep::Command);
}

void TForm1::actMergeExecute()
{
    Table->MergeSelection();
    Table->AddUndoStep(TUndoStep::Command);
}

void TForm1::actUnmergeExecute()
{
    Table->UnmergeSelection();
    Table->AddUndoStep(TUndoStep::Command);
}

// ---- Formatting -------------------------------------------------------------------------------

void TForm1::applyFormat(const TCell& cell, unsigned fields)
{
    Table->ApplyFormat(cell, fields);
    Table->AddUndoStep(TUndoStep::Command);
}

void TForm1::actBoldExecute()
{
    // The action's check state flipped when it was triggered: that is the new state.
    if (CellPropOpen) return;
    TCell cell;
    cell.Bold = actBold->isChecked();
    applyFormat(cell, cfBold);
}

void TForm1::actItalicExecute()
{
    if (CellPropOpen) return;
    TCell cell;
    cell.Italic = actItalic->isChecked();
    applyFormat(cell, cfItalic);
}

void TForm1::act0Execute(int tag)
{
    TCell cell;
    cell.VAlign = tag / 3;
    cell.HAlign = tag % 3;
    applyFormat(cell, cfVAlign | cfHAlign);
    emit alignmentChosen();
}

void TForm1::actAlignLeftExecute(int tag)
{
    TCell cell;
    cell.HAlign = tag;
    applyFormat(cell, cfHAlign);
}

void TForm1::FontBoxChange()
{
    TCell cell;
    cell.FontName = FontNameFromString(FontBox->currentText());
    applyFormat(cell, cfFontName);
}

void TForm1::SizeBoxChange()
{
    TCell cell;
    cell.FontSize = SizeBox->currentIndex() - 1;
    applyFormat(cell, cfFontSize);
}

void TForm1::ColorBox1MouseDown()
{
    const auto chosen = prompts().color(this, ColorToQColor(ColorBox1->color()));
    if (!chosen) return;
    ColorBox1->setColor(QColorToColor(*chosen));
    TCell cell;
    cell.BgColor = ColorBox1->color();
    applyFormat(cell, cfBgColor);
}

void TForm1::ColorBox2MouseDown()
{
    const auto chosen = prompts().color(this, ColorToQColor(ColorBox2->color()));
    if (!chosen) return;
    ColorBox2->setColor(QColorToColor(*chosen));
    TCell cell;
    cell.FontColor = ColorBox2->color();
    applyFormat(cell, cfFontColor);
}

// ---- View -------------------------------------------------------------------------------------

void TForm1::actMainMenuExecute()
{
    menuBar()->setVisible(menuBar()->isHidden());
}

void TForm1::actToolbar1Execute()
{
    ToolBar1->setVisible(ToolBar1->isHidden());
}

void TForm1::actToolbar2Execute()
{
    // The file tool bar stays above the cell tool bar: the two keep their rows in the dock.
    ToolBar2->setVisible(ToolBar2->isHidden());
}

void TForm1::actStatusBarExecute()
{
    statusBar()->setVisible(statusBar()->isHidden());
}

void TForm1::actHelpExecute()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(ExePath + QStringLiteral("help/index.htm")));
}
