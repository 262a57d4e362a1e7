// The command set of the main window: enabled states and check marks after every change and
// when idle, the formatting controls of the cell tool bar, shortcuts typed while a cell is
// being edited, and the view toggles.

#include "app/Languages.h"
#include "app/MainWindow.h"
#include "grid/Tables.h"
#include "tests/ScriptedPrompts.h"
#include "tests/SettingsSandbox.h"
#include "tests/ShellParts.h"
#include "ui/ColorSwatch.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QHelpEvent>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

class Commands : public ::testing::Test {
protected:
    ScriptedPrompts answers;
    std::unique_ptr<MainWindow> form;
    TTable* table = nullptr;

    void SetUp() override
    {
        setPrompts(&answers);
        form = std::make_unique<MainWindow>();
        form->setStartMaximized(false);
        form->resize(900, 600);
        form->show();
        form->activateWindow();
        // Window shortcuts only reach the active window.
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        table = form->table();
        selectOnly(0, 0);
    }
    void TearDown() override
    {
        form.reset();
        setPrompts(nullptr);
    }

    void selectOnly(int col, int row)
    {
        table->SelectCell(col, row);
        table->ResetSelection();
    }
    // A Ctrl+click on a cell, as the user makes it.
    void ctrlClick(int col, int row)
    {
        const TRect& r = table->Cell(col, row).Rect;
        const QPoint inside((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        QTest::mouseClick(table, Qt::LeftButton, Qt::ControlModifier,
                          inside + table->clientOrigin());
    }
    int alignImage() const { return Part<QToolButton>(*form, "AlignKey")->property("imageIndex").toInt(); }
    // The alignment commands that carry a check mark, by their number.
    std::vector<int> checkedAlignments() const
    {
        std::vector<int> checked;
        for (int n = 0; n < 9; ++n)
            if (form->actAlign[std::size_t(n)]->isChecked()) checked.push_back(n);
        return checked;
    }
    void chooseSize(int index)
    {
        Part<QComboBox>(*form, "SizeBox")->setCurrentIndex(index);
        emit Part<QComboBox>(*form, "SizeBox")->activated(index);
    }
};

}  // namespace

// ---- Enabled states --------------------------------------------------------------------------

TEST_F(Commands, DeleteCommandsAreDisabledForTheLastColumnAndRow)
{
    EXPECT_TRUE(form->actColDel->isEnabled());
    form->actColDel->trigger();
    EXPECT_EQ(table->ColCount, 1);
    EXPECT_FALSE(form->actColDel->isEnabled());
    form->actColDel->trigger();
    EXPECT_EQ(table->ColCount, 1) << "a disabled command does nothing";

    form->actRowDel->trigger();
    EXPECT_TRUE(form->actRowDel->isEnabled());
    form->actRowDel->trigger();
    EXPECT_EQ(table->RowCount, 1);
    EXPECT_FALSE(form->actRowDel->isEnabled());

    form->actColInsAfter->trigger();
    form->actRowInsBefore->trigger();
    EXPECT_TRUE(form->actColDel->isEnabled());
    EXPECT_TRUE(form->actRowDel->isEnabled());
}

TEST_F(Commands, MergeNeedsTwoSelectedCellsAndUnmergeASelectedMergedCell)
{
    EXPECT_FALSE(form->actMerge->isEnabled());
    EXPECT_FALSE(form->actUnmerge->isEnabled());
    ctrlClick(1, 1);
    EXPECT_TRUE(form->actMerge->isEnabled());
    EXPECT_FALSE(form->actUnmerge->isEnabled());

    form->actMerge->trigger();
    EXPECT_EQ(table->Cell(0, 0).ExtraCols, 1);
    EXPECT_EQ(table->Cell(0, 0).ExtraRows, 1);
    EXPECT_FALSE(form->actMerge->isEnabled());
    EXPECT_TRUE(form->actUnmerge->isEnabled());

    selectOnly(0, 2);
    EXPECT_FALSE(form->actUnmerge->isEnabled());
    ctrlClick(0, 0);
    EXPECT_TRUE(form->actUnmerge->isEnabled()) << "the merged cell need not be current";

    form->actUnmerge->trigger();
    EXPECT_EQ(table->Cell(0, 0).ExtraCols, 0);
    EXPECT_FALSE(form->actUnmerge->isEnabled());
}

// Merging cells that hold texts asks what becomes of them; each answer is one undo step and
// Cancel changes nothing.
TEST_F(Commands, MergeOfSeveralTextsAsksWhetherToMoveThemAll)
{
    table->SetCellText(0, 0, QStringLiteral("C"));
    table->SetCellText(0, 1, QStringLiteral("E"));
    table->StartHistory();
    const QByteArray before = table->SaveToBytes();
    auto mergeColumn = [&](std::optional<int> answer) {
        selectOnly(0, 0);
        ctrlClick(0, 1);
        if (answer) answers.choiceAnswers.push_back(*answer);
        form->actMerge->trigger();
    };

    mergeColumn(-1);
    ASSERT_EQ(answers.choices.size(), 1u);
    EXPECT_TRUE(answers.choices.back().text.startsWith("2 of the cells")) << answers.choices.back().text.toStdString();
    EXPECT_EQ(answers.choiceButtons.back(), QStringList({"&Move all texts into the merged cell", "Keep only the &first"}));
    EXPECT_EQ(table->SaveToBytes(), before) << "Cancel merges nothing";
    EXPECT_FALSE(table->CanUndo());

    mergeColumn(1);
    EXPECT_EQ(table->Cell(0, 0).ExtraRows, 1);
    EXPECT_EQ(table->Cell(0, 0).Text, "C");
    form->actUndo->trigger();
    EXPECT_EQ(table->SaveToBytes(), before);

    mergeColumn(0);
    EXPECT_EQ(table->Cell(0, 0).Text, "C\r\nE");
    EXPECT_EQ(table->Edit()->toPlainText(), "C\nE") << "the editor shows the joined text";
    form->actUndo->trigger();
    EXPECT_EQ(table->SaveToBytes(), before) << "one undo takes merge and texts back";

    // One text, even in a covered cell, stays without a question.
    table->SetCellText(0, 0, QString());
    table->StartHistory();
    mergeColumn(std::nullopt);
    EXPECT_EQ(answers.choices.size(), 3u);
    EXPECT_EQ(table->Cell(0, 0).Text, "E");
}

// Header Row and Header Column: the selected rows (columns) become header cells, or plain
// again when all of them are; the check marks and the status bar follow the current cell.
TEST_F(Commands, HeaderRowAndHeaderColumnToggleTheSelectedLines)
{
    table->StartHistory();
    auto* status = Part<QLabel>(*form, "StatusPanel2");
    EXPECT_EQ(status->text(), "");
    ctrlClick(0, 1);  // rows 0 and 1, column 0
    form->actHeaderRow->trigger();
    for (int c = 0; c < table->ColCount; ++c) EXPECT_TRUE(table->Cell(c, 0).Header && table->Cell(c, 1).Header);
    EXPECT_FALSE(table->Cell(0, 2).Header);
    EXPECT_TRUE(form->actHeaderRow->isChecked());
    EXPECT_EQ(status->text(), "1 x 2 cells selected   Header cell") << "the selection's size too";
    EXPECT_EQ(table->HistoryCount(), 2);

    selectOnly(0, 2);
    EXPECT_FALSE(form->actHeaderRow->isChecked());
    EXPECT_EQ(status->text(), "");
    form->actHeaderCol->trigger();
    EXPECT_TRUE(table->IsHeaderColumn(0));
    EXPECT_TRUE(form->actHeaderCol->isChecked());
    form->actHeaderCol->trigger();
    EXPECT_FALSE(table->Cell(0, 2).Header) << "a header column again is plain";
    EXPECT_FALSE(table->Cell(0, 0).Header);
    EXPECT_TRUE(table->Cell(1, 0).Header);
    table->Undo();
    EXPECT_TRUE(table->IsHeaderColumn(0));
}

TEST_F(Commands, SaveAndTheStarFollowChanged)
{
    QTemporaryDir dir;
    form->ActionListUpdate();
    EXPECT_FALSE(form->actSave->isEnabled());
    EXPECT_EQ(Part<QLabel>(*form, "StatusPanel0")->text(), QStringLiteral(" "));

    QTest::keyClicks(table->Edit(), "x");
    form->ActionListUpdate();
    EXPECT_TRUE(form->actSave->isEnabled());
    EXPECT_EQ(Part<QLabel>(*form, "StatusPanel0")->text(), QStringLiteral("*"));

    ASSERT_TRUE(form->SaveDocument(dir.filePath(QStringLiteral("t.qgd"))));
    form->ActionListUpdate();
    EXPECT_FALSE(form->actSave->isEnabled());
    EXPECT_EQ(Part<QLabel>(*form, "StatusPanel0")->text(), QStringLiteral(" "));

    form->actUndo->trigger();
    form->ActionListUpdate();
    EXPECT_TRUE(form->actSave->isEnabled()) << "an undo after saving is a change";
    EXPECT_EQ(Part<QLabel>(*form, "StatusPanel0")->text(), QStringLiteral("*"));
}

TEST_F(Commands, TheIdleRefreshRunsByItself)
{
    QTest::keyClicks(table->Edit(), "x");
    // Let the event loop wait once: the refresh runs when it is about to.
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(form->actSave->isEnabled());
    EXPECT_EQ(Part<QLabel>(*form, "StatusPanel0")->text(), QStringLiteral("*"));
}

TEST_F(Commands, UndoRedoFollowTheHistoryAndClipboardCommandsTheEditor)
{
    EXPECT_FALSE(form->actUndo->isEnabled());
    EXPECT_FALSE(form->actRedo->isEnabled());
    QTest::keyClicks(table->Edit(), "abc");
    EXPECT_TRUE(form->actUndo->isEnabled());
    form->actUndo->trigger();
    EXPECT_FALSE(form->actUndo->isEnabled());
    EXPECT_TRUE(form->actRedo->isEnabled());
    form->actRedo->trigger();
    EXPECT_FALSE(form->actRedo->isEnabled());

    QGuiApplication::clipboard()->clear();
    table->Edit()->setSelection(3, 0);
    form->ActionListUpdate();
    EXPECT_FALSE(form->actCut->isEnabled());
    EXPECT_FALSE(form->actCopy->isEnabled());
    EXPECT_FALSE(form->actPaste->isEnabled());

    table->Edit()->setSelection(0, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("z"));
    form->ActionListUpdate();
    EXPECT_TRUE(form->actCut->isEnabled());
    EXPECT_TRUE(form->actCopy->isEnabled());
    EXPECT_TRUE(form->actPaste->isEnabled());
    QTest::keyClick(table->Edit(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ab"));
    QTest::keyClick(table->Edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(table->Cell(0, 0).Text, QStringLiteral("abc")) << "pasting the same text back";
}

TEST_F(Commands, FontBoxShowsTheCommonFontInAnyCaseAndAppliesTheChosenOne)
{
    const int entry = Part<QComboBox>(*form, "FontBox")->findText(QStringLiteral("Default"));
    ASSERT_GE(entry, 0);
    ctrlClick(1, 1);
    Part<QComboBox>(*form, "FontBox")->setCurrentIndex(entry);
    emit Part<QComboBox>(*form, "FontBox")->activated(entry);
    EXPECT_EQ(table->Cell(0, 0).FontName, QByteArray("Default"));
    EXPECT_EQ(table->Cell(1, 1).FontName, QByteArray("Default"));

    selectOnly(1, 0);
    TCell odd;
    odd.FontName = "dEFAULT";
    table->ApplyFormat(odd, cfFontName);
    table->AddUndoStep(TUndoStep::Command);
    EXPECT_EQ(Part<QComboBox>(*form, "FontBox")->currentIndex(), entry) << "names compare without regard to case";

    odd.FontName = "No Such Font At All";
    table->ApplyFormat(odd, cfFontName);
    table->AddUndoStep(TUndoStep::Command);
    EXPECT_EQ(Part<QComboBox>(*form, "FontBox")->currentIndex(), -1);

    ctrlClick(0, 0);
    EXPECT_EQ(Part<QComboBox>(*form, "FontBox")->currentIndex(), -1) << "differing names show no entry";
}

// ---- Alignment picture and check marks -----------------------------------------------------------

namespace {

struct AlignPair {
    int first, second;  // the alignment numbers of the two selected cells
};

void PrintTo(const AlignPair& p, std::ostream* os)
{
    *os << p.first << " and " << p.second;
}

class AlignKeyState : public Commands, public ::testing::WithParamInterface<AlignPair> {};

}  // namespace

TEST_P(AlignKeyState, ShowsTheCommonAlignmentOrTheMixedPicture)
{
    const auto [first, second] = GetParam();
    selectOnly(1, 1);
    form->actAlign[std::size_t(second)]->trigger();
    selectOnly(0, 0);
    form->actAlign[std::size_t(first)]->trigger();
    EXPECT_EQ(alignImage(), 19 + first);
    EXPECT_EQ(checkedAlignments(), std::vector<int>{first});

    ctrlClick(1, 1);
    if (first == second) {
        EXPECT_EQ(alignImage(), 19 + first);
        EXPECT_EQ(checkedAlignments(), std::vector<int>{first});
    } else {
        EXPECT_EQ(alignImage(), 18);
        EXPECT_TRUE(checkedAlignments().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, AlignKeyState,
                         ::testing::Values(AlignPair{0, 0}, AlignPair{4, 4}, AlignPair{8, 8},
                                           AlignPair{0, 1},    // only the horizontal differs
                                           AlignPair{2, 5},    // only the vertical differs
                                           AlignPair{6, 2}));  // both differ

TEST_F(Commands, EachAlignmentCommandAlignsTheSelectionAndShowsItsOwnPicture)
{
    ctrlClick(1, 0);
    for (int n = 0; n < 9; ++n) {
        const int steps = table->HistoryCount();
        form->actAlign[std::size_t(n)]->trigger();
        for (const QPoint p : {QPoint(0, 0), QPoint(1, 0)}) {
            EXPECT_EQ(table->Cell(p.x(), p.y()).VAlign, n / 3) << n;
            EXPECT_EQ(table->Cell(p.x(), p.y()).HAlign, n % 3) << n;
        }
        EXPECT_EQ(alignImage(), 19 + n);
        EXPECT_EQ(checkedAlignments(), std::vector<int>{n});
        EXPECT_EQ(table->HistoryCount(), std::min(steps + 1, TableCore::kHistoryLimit));
    }
    // Ctrl+R keeps the vertical alignment: bottom stays bottom.
    form->actAlign[6]->trigger();
    QTest::keyClick(table->Edit(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(table->Cell(1, 0).VAlign, 2);
    EXPECT_EQ(table->Cell(1, 0).HAlign, 2);
    EXPECT_EQ(alignImage(), 19 + 8);
}

// ---- Formatting controls ------------------------------------------------------------------------

TEST_F(Commands, SizeBoxEntriesSetTheSizeAndTheEmptyEntrySetsMinusOne)
{
    ctrlClick(1, 1);
    const int steps = table->HistoryCount();
    chooseSize(6);
    EXPECT_EQ(table->Cell(0, 0).FontSize, 5);
    EXPECT_EQ(table->Cell(1, 1).FontSize, 5);
    chooseSize(0);
    EXPECT_EQ(table->Cell(0, 0).FontSize, -1);
    EXPECT_EQ(table->Cell(1, 1).FontSize, -1);
    EXPECT_EQ(table->Cell(1, 2).FontSize, 3) << "an unselected cell keeps its size";
    EXPECT_EQ(table->HistoryCount(), steps + 2);
    EXPECT_EQ(Part<QComboBox>(*form, "SizeBox")->currentIndex(), 0);

    selectOnly(1, 2);
    EXPECT_EQ(Part<QComboBox>(*form, "SizeBox")->currentText(), QStringLiteral("3"));
}

namespace {

struct SwatchCase {
    const char* swatch;
    TColor TCell::*field;
    Qt::MouseButton button;
};

void PrintTo(const SwatchCase& c, std::ostream* os)
{
    *os << (c.field == &TCell::BgColor ? "background" : "font colour")
        << (c.button == Qt::RightButton ? ", right button" : "");
}

class Swatch : public Commands, public ::testing::WithParamInterface<SwatchCase> {};

}  // namespace

TEST_P(Swatch, CancelledColourDialogChangesNothingAndRecordsNoStep)
{
    const SwatchCase& c = GetParam();
    ColorSwatch* swatch = Part<ColorSwatch>(*form, c.swatch);
    ctrlClick(1, 0);
    const TColor before = swatch->color();
    const TColor cellBefore = table->Cell(0, 0).*c.field;
    const int steps = table->HistoryCount();

    QTest::mouseClick(swatch, c.button);
    EXPECT_EQ(answers.colorDialogs, 1);
    EXPECT_EQ(swatch->color(), before);
    EXPECT_EQ(table->Cell(0, 0).*c.field, cellBefore);
    EXPECT_EQ(table->HistoryCount(), steps);
    EXPECT_FALSE(table->Changed);

    answers.colorAnswer = QColor(0x11, 0x22, 0x33);
    QTest::mouseClick(swatch, c.button);
    EXPECT_EQ(swatch->color(), 0x332211);
    EXPECT_EQ(table->Cell(0, 0).*c.field, 0x332211);
    EXPECT_EQ(table->Cell(1, 0).*c.field, 0x332211);
    EXPECT_EQ(table->Cell(0, 1).*c.field, cellBefore);
    EXPECT_EQ(table->HistoryCount(), steps + 1);
    EXPECT_TRUE(table->Changed);
}

INSTANTIATE_TEST_SUITE_P(
    Swatches, Swatch,
    ::testing::Values(SwatchCase{"ColorBox1", &TCell::BgColor, Qt::LeftButton},
                      SwatchCase{"ColorBox2", &TCell::FontColor, Qt::LeftButton},
                      SwatchCase{"ColorBox1", &TCell::BgColor, Qt::RightButton}));

// ---- Shortcuts while typing -----------------------------------------------------------------------

TEST_F(Commands, CtrlZInTheEditorIsTheTablesUndo)
{
    QTest::keyClicks(table->Edit(), "abc");
    selectOnly(1, 0);
    QTest::keyClicks(table->Edit(), "de");
    ASSERT_EQ(table->HistoryCount(), 3);

    QTest::keyClick(table->Edit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(table->HistoryPosition(), 1);
    EXPECT_EQ(table->Cell(1, 0).Text, QString());
    EXPECT_EQ(table->Cell(0, 0).Text, QStringLiteral("abc"));
    EXPECT_EQ(QPoint(table->SelCol, table->SelRow), QPoint(0, 0))
        << "the cell current when that state was recorded";

    QTest::keyClick(table->Edit(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(table->Cell(0, 0).Text, QString());

    QTest::keyClick(table->Edit(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(table->Cell(0, 0).Text, QStringLiteral("abc"));
    QTest::keyClick(table->Edit(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(table->Cell(1, 0).Text, QStringLiteral("de"));
    EXPECT_FALSE(table->CanRedo());
}

TEST_F(Commands, CtrlBInTheEditorSetsBoldOnTheSelectionThenClearsIt)
{
    QTest::keyClicks(table->Edit(), "t");
    ctrlClick(1, 2);
    const int steps = table->HistoryCount();

    QTest::keyClick(table->Edit(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(table->Cell(0, 0).Bold);
    EXPECT_TRUE(table->Cell(1, 2).Bold);
    EXPECT_FALSE(table->Cell(1, 0).Bold);
    EXPECT_TRUE(form->actBold->isChecked());
    EXPECT_TRUE(Part<QToolButton>(*form, "ToolButton5")->isChecked());
    EXPECT_EQ(table->HistoryCount(), steps + 1);
    EXPECT_EQ(table->Cell(0, 0).Text, QStringLiteral("t")) << "no letter b was typed";
    EXPECT_TRUE(table->Edit()->font().bold()) << "the editor shows the new style";

    QTest::keyClick(table->Edit(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_FALSE(table->Cell(0, 0).Bold);
    EXPECT_FALSE(table->Cell(1, 2).Bold);
    EXPECT_FALSE(form->actBold->isChecked());
}

// ---- Table commands ------------------------------------------------------------------------------

TEST_F(Commands, InsertAfterOnTheLastColumnAppendsAColumn)
{
    table->SetCellText(0, 0, QStringLiteral("a"));
    table->SetCellText(1, 0, QStringLiteral("b"));
    selectOnly(1, 0);
    const int steps = table->HistoryCount();
    form->actColInsAfter->trigger();
    EXPECT_EQ(table->ColCount, 3);
    EXPECT_EQ(table->Cell(0, 0).Text, QStringLiteral("a"));
    EXPECT_EQ(table->Cell(1, 0).Text, QStringLiteral("b"));
    EXPECT_EQ(table->Cell(2, 0).Text, QString());
    EXPECT_EQ(QPoint(table->SelCol, table->SelRow), QPoint(1, 0));
    EXPECT_EQ(table->HistoryCount(), steps + 1);

    selectOnly(0, 2);
    form->actRowInsAfter->trigger();
    EXPECT_EQ(table->RowCount, 4);
    EXPECT_EQ(table->Cell(0, 0).Text, QStringLiteral("a"));
}

// ---- View toggles --------------------------------------------------------------------------------

namespace {

struct ToggleCase {
    QAction* MainWindow::*action;
    QWidget* (*target)(MainWindow&);
};

void PrintTo(const ToggleCase& c, std::ostream* os)
{
    *os << (c.action == &MainWindow::actMainMenu   ? "menu bar"
            : c.action == &MainWindow::actToolbar1 ? "ToolBar1"
            : c.action == &MainWindow::actToolbar2 ? "ToolBar2"
                                               : "status bar");
}

class ViewToggle : public Commands, public ::testing::WithParamInterface<ToggleCase> {};

}  // namespace

TEST_P(ViewToggle, HidesAndShowsItsBarAndCarriesTheCheckMark)
{
    QAction* action = form.get()->*GetParam().action;
    QWidget* bar = GetParam().target(*form);
    form->ActionListUpdate();
    EXPECT_TRUE(action->isChecked());

    action->trigger();
    form->ActionListUpdate();
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(action->isChecked());

    action->trigger();
    form->ActionListUpdate();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_TRUE(action->isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ViewToggle,
    ::testing::Values(
        ToggleCase{&MainWindow::actMainMenu, [](MainWindow& f) -> QWidget* { return f.menuBar(); }},
        ToggleCase{&MainWindow::actToolbar1, [](MainWindow& f) -> QWidget* { return Part<QToolBar>(f, "ToolBar1"); }},
        ToggleCase{&MainWindow::actToolbar2, [](MainWindow& f) -> QWidget* { return Part<QToolBar>(f, "ToolBar2"); }},
        ToggleCase{&MainWindow::actStatusBar, [](MainWindow& f) -> QWidget* { return f.statusBar(); }}));

TEST_F(Commands, FileToolBarStaysAboveTheCellToolBar)
{
    auto above = [this] {
        QApplication::processEvents();
        return Part<QToolBar>(*form, "ToolBar1")->geometry().bottom() < Part<QToolBar>(*form, "ToolBar2")->geometry().top();
    };
    ASSERT_TRUE(above());

    form->actToolbar1->trigger();
    form->actToolbar1->trigger();
    EXPECT_TRUE(above()) << "hidden and shown again";

    form->actToolbar2->trigger();
    form->actToolbar2->trigger();
    EXPECT_TRUE(above());

    form->actToolbar1->trigger();
    form->actToolbar2->trigger();
    form->actToolbar2->trigger();
    form->actToolbar1->trigger();
    EXPECT_TRUE(above()) << "both hidden, the cell bar shown first";

    form->actMainMenu->trigger();
    EXPECT_TRUE(above()) << "without the menu bar";
    EXPECT_EQ(Part<QToolBar>(*form, "ToolBar1")->geometry().top(), 0);
}

TEST_F(Commands, ShortcutsWorkWithoutTheMenuBar)
{
    form->actMainMenu->trigger();
    ASSERT_TRUE(form->menuBar()->isHidden());
    QTest::keyClick(table->Edit(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(table->Cell(0, 0).Bold);
}

// A command's hint is its tool tip; a command without a hint shows its caption instead.
TEST_F(Commands, ToolTipsShowHintsOrTheCaption)
{
    auto tipOver = [](QWidget* button) {
        QToolTip::showText(button->mapToGlobal(QPoint(2, 2)), QStringLiteral("-"), button);
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &help);
        return QToolTip::text();
    };
    auto* bar = Part<QToolBar>(*form, "ToolBar1");
    EXPECT_EQ(tipOver(bar->widgetForAction(form->actNew)), QStringLiteral("Create new file"));
    EXPECT_EQ(tipOver(bar->widgetForAction(form->actHTML)), QStringLiteral("Preview")) << "Preview has no hint";
    EXPECT_EQ(tipOver(bar->widgetForAction(form->actMerge)), QStringLiteral("Merge Cells"));
    ApplyLanguageEntry(*form, "new", QStringLiteral("Neu"), QString());
    EXPECT_EQ(tipOver(bar->widgetForAction(form->actNew)), QStringLiteral("Neu")) << "a language's empty hint";
    QToolTip::hideText();
}
