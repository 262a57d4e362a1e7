// The undo history: snapshot merging, the limit, the redo part, Changed and the restored cell.

#include "core/TableCore.h"
#include "core/TableEdit.h"

#include <gtest/gtest.h>

namespace {

// A freshly loaded 2 x 3 table: one command step, nothing changed.
struct LoadedTable : ::testing::Test {
    TableCore t;
    int changes = 0;

    void SetUp() override
    {
        TableCore source;
        source.ResetTable();
        ASSERT_TRUE(t.LoadFromBytes(source.SaveToBytes()));
        t.ClearHistory();
        t.AddUndoStep(TUndoStep::Command);
        t.Changed = false;
        t.OnChange = [this] { ++changes; };
    }

    // What the in-place editor does for each character: the cell takes the editor's text and
    // a typing snapshot follows.
    void Type(int col, int row, const QString& chars)
    {
        if (t.SelCol != col || t.SelRow != row) {
            t.SelectCell(col, row);
            t.ResetSelection();
        }
        for (const QChar ch : chars) {
            t.Cell(col, row).Text += ch;
            t.AddUndoStep(TUndoStep::Typing);
        }
    }

    void Command(int col, int row, const QString& text)
    {
        TableEdit edit(t);
        t.SetCellText(col, row, text);
    }
};

}  // namespace

TEST_F(LoadedTable, FirstCommandMakesTheDocumentChanged)
{
    EXPECT_FALSE(t.CanUndo());
    EXPECT_FALSE(t.CanRedo());
    EXPECT_FALSE(t.Changed);
    Command(1, 1, "x");
    EXPECT_TRUE(t.Changed);
    EXPECT_TRUE(t.CanUndo());
    EXPECT_EQ(changes, 1);
}

TEST_F(LoadedTable, TypingInOneCellIsOneStep)
{
    Type(1, 2, "abc");
    EXPECT_EQ(t.HistoryCount(), 2);
    EXPECT_EQ(t.HistoryStep(1).document(), t.SaveToBytes()) << "the entry holds the latest text";
    EXPECT_EQ(changes, 3) << "every snapshot notifies";
    t.Undo();
    EXPECT_EQ(t.Cell(1, 2).Text, "");
    EXPECT_FALSE(t.CanUndo());
    t.Redo();
    EXPECT_EQ(t.Cell(1, 2).Text, "abc");
    EXPECT_EQ(changes, 5);
}

TEST_F(LoadedTable, TypingIsSeparatedByAnotherCellOrACommand)
{
    Type(0, 0, "ab");
    Type(1, 0, "cd");
    EXPECT_EQ(t.HistoryCount(), 3);

    Command(1, 2, "cmd");
    t.SelectCell(1, 0);
    Type(1, 0, "ef");
    EXPECT_EQ(t.HistoryCount(), 5);
    t.Undo();
    EXPECT_EQ(t.Cell(1, 0).Text, "cd") << "the command kept the two bursts apart";
    EXPECT_EQ(t.Cell(1, 2).Text, "cmd");
}

TEST_F(LoadedTable, KeepsTheLastTenSteps)
{
    for (int i = 0; i < 12; ++i) Command(0, 0, QString::number(i));
    EXPECT_EQ(t.HistoryCount(), 10);
    int undos = 0;
    while (t.CanUndo()) {
        t.Undo();
        ++undos;
    }
    EXPECT_EQ(undos, 9);
    EXPECT_EQ(t.Cell(0, 0).Text, "2") << "the loaded state and the first commands are gone";
}

TEST_F(LoadedTable, NewStepDiscardsTheRedoPart)
{
    Command(0, 0, "one");
    Command(0, 0, "two");
    t.Undo();
    EXPECT_TRUE(t.CanRedo());
    Command(1, 0, "other");
    EXPECT_FALSE(t.CanRedo());
    EXPECT_EQ(t.HistoryCount(), 3);
    t.Undo();
    EXPECT_EQ(t.Cell(0, 0).Text, "one");
}

TEST_F(LoadedTable, TypingAfterUndoDoesNotMergeIntoTheDiscardedStep)
{
    Type(0, 0, "ab");
    Command(1, 0, "x");
    t.Undo();  // back to the typing step, cell (0, 0) current
    Type(0, 0, "c");
    EXPECT_EQ(t.HistoryCount(), 2) << "the redo part went, then the typing merged";
    t.Undo();
    EXPECT_EQ(t.Cell(0, 0).Text, "");
}

TEST_F(LoadedTable, UndoBackToTheLoadStaysChanged)
{
    Command(0, 0, "x");
    t.Undo();
    EXPECT_TRUE(t.Changed);
    EXPECT_EQ(t.Cell(0, 0).Text, "");
    // A save clears the flag; the next snapshot sets it again.
    t.Changed = false;
    Command(0, 0, "y");
    EXPECT_TRUE(t.Changed);
}

TEST_F(LoadedTable, UndoRestoresTheCellThatWasCurrent)
{
    t.SelectCell(1, 2);
    Command(0, 0, "a");
    t.SelectCell(1, 1);
    Command(0, 1, "b");
    t.Undo();
    EXPECT_EQ(t.SelCol, 1);
    EXPECT_EQ(t.SelRow, 2);
    EXPECT_TRUE(t.Cell(1, 2).Selected);
    EXPECT_FALSE(t.Cell(0, 0).Selected);
}

TEST_F(LoadedTable, UndoToAStateWithoutCurrentCellSelectsTheFirst)
{
    t.SelectCell(-1, -1);
    ASSERT_EQ(t.SelCol, -1);
    Command(0, 0, "a");
    t.SelectCell(1, 1);
    Command(0, 1, "b");
    t.Undo();
    EXPECT_EQ(t.SelCol, 0);
    EXPECT_EQ(t.SelRow, 0);
    EXPECT_EQ(t.HistoryStep(1).selCol, 0) << "the entry keeps the corrected position";
    EXPECT_EQ(t.HistoryStep(1).selRow, 0);
}

TEST_F(LoadedTable, UndoToAPositionOutsideTheTableLeavesNoCurrentCell)
{
    t.SelectCell(1, 2);
    Command(0, 0, "a");  // recorded with (1, 2) current
    t.SelectCell(0, 0);
    {
        TableEdit edit(t);
        t.SetRowCount(1);
    }
    t.Undo();
    EXPECT_EQ(t.RowCount, 3);
    EXPECT_EQ(t.SelCol, 1);
    t.Redo();
    EXPECT_EQ(t.RowCount, 1);
    EXPECT_EQ(t.SelCol, 0) << "(0, 0) was current when the shrink was recorded";
}

TEST_F(LoadedTable, ClearHistoryEmptiesItAndLeavesChanged)
{
    Command(0, 0, "a");
    t.ClearHistory();
    EXPECT_EQ(t.HistoryCount(), 0);
    EXPECT_EQ(t.HistoryPosition(), -1);
    EXPECT_FALSE(t.CanUndo());
    EXPECT_FALSE(t.CanRedo());
    EXPECT_TRUE(t.Changed);
    t.Undo();  // nothing to undo: no effect
    EXPECT_EQ(t.Cell(0, 0).Text, "a");
}

// A table that counts the layouts that really run: those outside any update.
class CountingTable : public TableCore {
public:
    int layouts = 0;

protected:
    void UpdateLayout() override
    {
        if (!Updating()) ++layouts;
    }
};

TEST(TableEdit, InnerUpdatesAndEditsJoinTheOutermost)
{
    CountingTable t;
    t.ResetTable();
    t.ClearHistory();
    t.AddUndoStep(TUndoStep::Command);
    t.layouts = 0;
    {
        TableEdit outer(t);
        t.SetCellText(0, 0, "a");
        t.BeginUpdate();
        t.EndUpdate();  // an inner pair must not end the outer update
        EXPECT_TRUE(t.Updating());
        {
            TableEdit inner(t);
            t.InsertRow(0);
            t.MergeCells(0, 0, 1, 0);
        }
        EXPECT_TRUE(t.Updating());
        EXPECT_EQ(t.layouts, 0);
        EXPECT_EQ(t.HistoryCount(), 1) << "only the outermost edit records";
    }
    EXPECT_FALSE(t.Updating());
    EXPECT_EQ(t.layouts, 1);
    ASSERT_EQ(t.HistoryCount(), 2);
    t.Undo();
    EXPECT_EQ(t.RowCount, 3);
    EXPECT_EQ(t.Cell(0, 0).Text, "");
    EXPECT_FALSE(t.Cell(0, 0).isMerged());
}

TEST(TableEdit, DiscardedOutermostEditRecordsNothing)
{
    TableCore t;
    t.ResetTable();
    t.ClearHistory();
    t.AddUndoStep(TUndoStep::Command);
    {
        TableEdit edit(t);
        edit.discard();
    }
    EXPECT_EQ(t.HistoryCount(), 1);
    EXPECT_FALSE(t.Updating());
    {
        TableEdit outer(t);
        TableEdit inner(t);
        inner.discard();  // the outermost edit decides
        t.SetCellText(1, 1, "b");
    }
    EXPECT_EQ(t.HistoryCount(), 2);
    EXPECT_EQ(t.HistoryStep(1).kind, TUndoStep::Command);
}
