// Row, column and merge operations on the window-free table.

#include "core/TableCore.h"
#include "tests/TableInvariants.h"

#include <gtest/gtest.h>

namespace {

// A cols x rows table whose cells hold their own position as text, "c,r".
void Fill(TableCore& t, int cols, int rows)
{
    t.ResetTable();
    t.SetColCount(cols);
    t.SetRowCount(rows);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) t.SetCellText(c, r, QString("%1,%2").arg(c).arg(r));
}

QString TextAt(const TableCore& t, int c, int r)
{
    return t.Cell(c, r).Text;
}

bool IsDefaultVisible(const TableCore& t, int c, int r)
{
    const TCell& cell = t.Cell(c, r);
    return cell.Visible && cell.Text.isEmpty() && !cell.isMerged() && cell.FontSize == 3 &&
           cell.FontName == "Tahoma";
}

#define EXPECT_INVARIANTS(t) EXPECT_EQ(invariants::Check(t), "")

// ---- Insertion -------------------------------------------------------------------------------

TEST(InsertColumn, BeforeColumnZeroKeepsTheCurrentCellOnItsText)
{
    TableCore t;
    Fill(t, 2, 2);
    t.SelectCell(0, 1);
    t.InsertColumn(t.SelCol);

    EXPECT_EQ(t.ColCount, 3);
    for (int r = 0; r < 2; ++r) EXPECT_TRUE(IsDefaultVisible(t, 0, r)) << r;
    EXPECT_EQ(TextAt(t, 1, 0), "0,0");
    EXPECT_EQ(TextAt(t, 2, 1), "1,1");
    EXPECT_EQ(t.SelCol, 1);
    EXPECT_EQ(t.SelRow, 1);
    EXPECT_EQ(TextAt(t, t.SelCol, t.SelRow), "0,1");
    EXPECT_INVARIANTS(t);
}

TEST(InsertColumn, MergeEndingJustBeforeTheInsertionPointGrows)
{
    TableCore t;
    Fill(t, 3, 2);
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 0));
    t.InsertColumn(2);

    EXPECT_EQ(t.ColCount, 4);
    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 2);
    EXPECT_FALSE(t.Cell(2, 0).Visible);
    EXPECT_TRUE(IsDefaultVisible(t, 2, 1));  // other rows: an ordinary new cell
    EXPECT_EQ(TextAt(t, 3, 0), "2,0");
    EXPECT_INVARIANTS(t);
}

TEST(InsertColumn, MergeCrossingTheInsertionPointGrowsAndEarlierOneDoesNot)
{
    TableCore t;
    Fill(t, 5, 2);
    ASSERT_TRUE(t.MergeCells(1, 0, 2, 1));  // columns 1..3, rows 0..1
    t.InsertColumn(2);
    EXPECT_EQ(t.Cell(1, 0).ExtraCols, 3);
    EXPECT_EQ(t.Cell(1, 0).ExtraRows, 1);
    EXPECT_EQ(TextAt(t, 5, 1), "4,1");
    EXPECT_INVARIANTS(t);

    Fill(t, 5, 1);
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 0));  // ends two columns before the insertion point
    t.InsertColumn(3);
    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 1);
    EXPECT_TRUE(IsDefaultVisible(t, 3, 0));
    EXPECT_INVARIANTS(t);
}

TEST(InsertColumn, AppendingKeepsAMergeThatEndsInTheLastColumn)
{
    TableCore t;
    Fill(t, 3, 2);
    ASSERT_TRUE(t.MergeCells(1, 0, 1, 0));
    t.InsertColumn(t.ColCount);

    EXPECT_EQ(t.ColCount, 4);
    EXPECT_EQ(t.Cell(1, 0).ExtraCols, 1);
    EXPECT_TRUE(IsDefaultVisible(t, 3, 0));
    EXPECT_INVARIANTS(t);
}

TEST(InsertColumn, CurrentCellBesideAGrowingMergeStaysOnItsText)
{
    // A merged (0..1, 0..1) grows into the new column 2 while the current cell was at
    // index 2: it must follow its text to column 3, not jump onto the merged cell.
    TableCore t;
    Fill(t, 3, 2);
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 1));
    t.SelectCell(2, 1);
    t.ResetSelection();
    t.InsertColumn(t.SelCol);

    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 2);
    EXPECT_EQ(t.SelCol, 3);
    EXPECT_EQ(t.SelRow, 1);
    EXPECT_EQ(TextAt(t, t.SelCol, t.SelRow), "2,1");
    EXPECT_INVARIANTS(t);
}

TEST(InsertColumn, RefusedAtCapacityAndClampedOutside)
{
    TableCore t;
    Fill(t, kMaxCount, 2);
    ASSERT_TRUE(t.MergeCells(125, 0, 1, 1));
    t.InsertColumn(0);
    t.InsertColumn(kMaxCount);
    EXPECT_EQ(t.ColCount, kMaxCount);
    EXPECT_EQ(TextAt(t, 0, 0), "0,0");
    EXPECT_EQ(t.Cell(125, 0).ExtraCols, 1);

    Fill(t, 2, 2);
    t.InsertColumn(-4);  // before column 0
    EXPECT_TRUE(IsDefaultVisible(t, 0, 0));
    t.InsertColumn(99);  // after the last column
    EXPECT_EQ(t.ColCount, 4);
    EXPECT_EQ(TextAt(t, 2, 0), "1,0");
    EXPECT_TRUE(IsDefaultVisible(t, 3, 0));
    EXPECT_INVARIANTS(t);
}

TEST(InsertRow, MirrorsColumnInsertion)
{
    TableCore t;
    Fill(t, 2, 3);
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 1));  // rows 0..1 end just before row 2
    t.SelectCell(1, 2);
    t.InsertRow(2);

    EXPECT_EQ(t.RowCount, 4);
    EXPECT_EQ(t.Cell(0, 0).ExtraRows, 2);
    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 1);
    EXPECT_EQ(t.SelRow, 3);
    EXPECT_EQ(TextAt(t, 1, 3), "1,2");

    t.InsertRow(0);
    EXPECT_EQ(t.Cell(0, 1).ExtraRows, 2);
    EXPECT_TRUE(IsDefaultVisible(t, 1, 0));
    EXPECT_EQ(t.SelRow, 4);
    EXPECT_INVARIANTS(t);

    Fill(t, 1, kMaxCount);
    t.InsertRow(3);
    EXPECT_EQ(t.RowCount, kMaxCount);
    EXPECT_EQ(TextAt(t, 0, 3), "0,3");
}

// ---- Deletion --------------------------------------------------------------------------------

TEST(DeleteColumn, AnchorColumnOfATwoColumnMergeBringsBackDefaultCells)
{
    TableCore t;
    Fill(t, 3, 2);
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 1));
    t.SelectCell(0, 0);
    t.DeleteColumn(0);

    EXPECT_EQ(t.ColCount, 2);
    EXPECT_TRUE(IsDefaultVisible(t, 0, 0));
    EXPECT_TRUE(IsDefaultVisible(t, 0, 1));
    EXPECT_EQ(TextAt(t, 1, 0), "2,0");
    EXPECT_EQ(t.SelCol, 0);
    EXPECT_INVARIANTS(t);
}

TEST(DeleteColumn, ColumnInsideAThreeColumnMergeLeavesTwo)
{
    TableCore t;
    Fill(t, 4, 2);
    ASSERT_TRUE(t.MergeCells(0, 0, 2, 0));
    t.DeleteColumn(1);
    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 1);
    EXPECT_EQ(TextAt(t, 2, 0), "3,0");
    EXPECT_INVARIANTS(t);

    t.DeleteColumn(1);  // the merge's last column: back to an ordinary cell
    EXPECT_FALSE(t.Cell(0, 0).isMerged());
    EXPECT_INVARIANTS(t);
}

TEST(DeleteColumn, LastColumnShortensMergesAndPullsBackTheCurrentCell)
{
    TableCore t;
    Fill(t, 3, 2);
    ASSERT_TRUE(t.MergeCells(1, 0, 1, 0));
    t.SelectCell(2, 1);
    t.DeleteColumn(2);

    EXPECT_EQ(t.ColCount, 2);
    EXPECT_EQ(t.Cell(1, 0).ExtraCols, 0);
    EXPECT_EQ(t.SelCol, 1);
    EXPECT_EQ(TextAt(t, 1, 1), "1,1");
    EXPECT_INVARIANTS(t);
}

TEST(DeleteColumn, KeepsOneColumnAndTheOldLastColumnStaysBeyondTheCount)
{
    TableCore t;
    Fill(t, 3, 1);
    t.DeleteColumn(0);
    EXPECT_EQ(TextAt(t, 2, 0), "2,0");  // the spare copy, outside the table
    t.DeleteColumn(-1);
    t.DeleteColumn(2);
    EXPECT_EQ(t.ColCount, 2);

    Fill(t, 1, 2);
    t.DeleteColumn(0);
    EXPECT_EQ(t.ColCount, 1);
    EXPECT_EQ(TextAt(t, 0, 0), "0,0");
}

TEST(DeleteColumn, CurrentCellRightOfTheDeletedColumnFollowsItsText)
{
    TableCore t;
    Fill(t, 4, 2);
    t.SelectCell(3, 1);
    t.DeleteColumn(0);
    EXPECT_EQ(t.SelCol, 2);
    EXPECT_EQ(TextAt(t, t.SelCol, t.SelRow), "3,1");
}

TEST(DeleteRow, MirrorsColumnDeletion)
{
    TableCore t;
    Fill(t, 2, 4);
    ASSERT_TRUE(t.MergeCells(0, 0, 0, 2));  // rows 0..2 in column 0
    ASSERT_TRUE(t.MergeCells(1, 1, 0, 1));  // rows 1..2 in column 1
    t.SelectCell(1, 1);
    t.DeleteRow(1);

    EXPECT_EQ(t.RowCount, 3);
    EXPECT_EQ(t.Cell(0, 0).ExtraRows, 1);
    EXPECT_TRUE(IsDefaultVisible(t, 1, 1));  // the split merge's covered cell, moved up
    EXPECT_EQ(TextAt(t, 1, 2), "1,3");
    EXPECT_EQ(t.SelRow, 1);
    EXPECT_INVARIANTS(t);
}

// ---- Merging and splitting -------------------------------------------------------------------

TEST(MergeCells, CoversCellsClampsAndMovesTheCurrentCellToTheAnchor)
{
    TableCore t;
    Fill(t, 3, 3);
    t.SelectCell(2, 2);
    t.ToggleCellSelection(1, 1);
    ASSERT_TRUE(t.MergeCells(1, 1, 5, 5));

    EXPECT_EQ(t.Cell(1, 1).ExtraCols, 1);
    EXPECT_EQ(t.Cell(1, 1).ExtraRows, 1);
    EXPECT_EQ(TextAt(t, 1, 1), "1,1");
    EXPECT_EQ(t.SelCol, 1);
    EXPECT_EQ(t.SelRow, 1);
    EXPECT_INVARIANTS(t);

    EXPECT_FALSE(t.MergeCells(2, 2, 0, 0));  // covered
    EXPECT_FALSE(t.MergeCells(3, 0, 0, 0));  // outside
    EXPECT_FALSE(t.MergeCells(-1, 0, 1, 1));
}

TEST(MergeCells, TakesInEveryMergedCellItTouchesAndMayMoveTheAnchorUp)
{
    TableCore t;
    Fill(t, 6, 5);
    ASSERT_TRUE(t.MergeCells(2, 0, 1, 1));  // columns 2..3, rows 0..1
    ASSERT_TRUE(t.MergeCells(3, 2, 1, 1));  // columns 3..4, rows 2..3
    // Columns 0..2 of rows 1..2 touch the first, which then reaches the second.
    ASSERT_TRUE(t.MergeCells(0, 1, 2, 1));

    const TCell& anchor = t.Cell(0, 0);
    EXPECT_EQ(anchor.ExtraCols, 4);
    EXPECT_EQ(anchor.ExtraRows, 3);
    EXPECT_EQ(anchor.Text, "0,0");
    EXPECT_TRUE(t.Cell(5, 0).Visible);  // beside the area: untouched
    EXPECT_EQ(TextAt(t, 5, 0), "5,0");
    EXPECT_EQ(TextAt(t, 0, 4), "0,4");
    EXPECT_INVARIANTS(t);
}

TEST(MergeCells, ZeroExtrasSplitAndSplitRefusesCoveredCells)
{
    TableCore t;
    Fill(t, 3, 3);
    ASSERT_TRUE(t.MergeCells(0, 0, 2, 2));
    EXPECT_FALSE(t.SplitCell(1, 1));
    EXPECT_FALSE(t.SplitCell(5, 5));
    ASSERT_TRUE(t.MergeCells(0, 0, 0, 0));
    EXPECT_EQ(TextAt(t, 0, 0), "0,0");
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            if (c || r) {
                EXPECT_TRUE(IsDefaultVisible(t, c, r)) << c << "," << r;
            }
    EXPECT_INVARIANTS(t);
}

TEST(ExpandToMerged, GrowsUntilNoMergedCellCrossesTheBorder)
{
    TableCore t;
    Fill(t, 6, 6);
    ASSERT_TRUE(t.MergeCells(1, 3, 0, 2));  // column 1, rows 3..5
    ASSERT_TRUE(t.MergeCells(3, 0, 2, 1));  // columns 3..5, rows 0..1
    ASSERT_TRUE(t.MergeCells(2, 2, 1, 0));  // columns 2..3, row 2

    int c1 = 1, r1 = 1, c2 = 2, r2 = 2;
    t.ExpandToMerged(c1, r1, c2, r2);
    // (2..3, 2) widens the area to column 3, where it meets (3..5, 0..1); column 1's merge
    // starts at row 3, below the area, and stays out.
    EXPECT_EQ(c1, 1);
    EXPECT_EQ(r1, 0);
    EXPECT_EQ(c2, 5);
    EXPECT_EQ(r2, 2);

    int sc1 = 1, sr1 = 4, sc2 = 1, sr2 = 4;  // a single cell is left alone, covered or not
    t.ExpandToMerged(sc1, sr1, sc2, sr2);
    EXPECT_EQ(sc1, 1);
    EXPECT_EQ(sr1, 4);
    EXPECT_EQ(sc2, 1);
    EXPECT_EQ(sr2, 4);
}

TEST(MergeSelection, TheDesignExample)
{
    // Selected (1, 1) and (2, 3) while (0..1, 2) is merged: one cell at (0, 1) over
    // columns 0..2 and rows 1..3, with the text of (0, 1).
    TableCore t;
    Fill(t, 4, 5);
    ASSERT_TRUE(t.MergeCells(0, 2, 1, 0));
    t.SelectCell(1, 1);
    t.ResetSelection();
    t.ToggleCellSelection(2, 3);
    ASSERT_TRUE(t.CanMerge());
    t.MergeSelection();

    const TCell& anchor = t.Cell(0, 1);
    EXPECT_EQ(anchor.ExtraCols, 2);
    EXPECT_EQ(anchor.ExtraRows, 2);
    EXPECT_EQ(anchor.Text, "0,1");
    EXPECT_EQ(t.SelCol, 0);
    EXPECT_EQ(t.SelRow, 1);
    EXPECT_INVARIANTS(t);
}

TEST(MergeSelection, OneCellDoesNothing)
{
    TableCore t;
    Fill(t, 3, 3);
    t.SelectCell(1, 1);
    t.ResetSelection();
    EXPECT_FALSE(t.CanMerge());
    t.MergeSelection();
    EXPECT_FALSE(t.Cell(1, 1).isMerged());
}

TEST(MergeSelection, CoveredCornerOfTheBoundingRectangleStillMerges)
{
    // (1, 1) lies under the merged (0..1, 0..1); the selection's corner is covered.
    TableCore t;
    Fill(t, 4, 4);
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 1));
    t.SelectCell(3, 1);
    t.ResetSelection();
    t.ToggleCellSelection(1, 3);
    t.MergeSelection();

    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 3);
    EXPECT_EQ(t.Cell(0, 0).ExtraRows, 3);
    EXPECT_EQ(t.SelCol, 0);
    EXPECT_INVARIANTS(t);
}

// The window asks about these texts before merging: they must be every text the merge takes
// in, the widened area included, and nothing outside it.
TEST(MergeSelection, TextsItTakesInComeInReadingOrderAndJoinAsLines)
{
    TableCore t;
    Fill(t, 4, 5);
    ASSERT_TRUE(t.MergeCells(0, 2, 1, 0));  // the design example: the area becomes (0..2, 1..3)
    t.SetCellText(1, 1, QStringLiteral(" \r\n "));
    t.SetCellText(2, 2, QString());
    t.SelectCell(1, 1);
    t.ResetSelection();
    t.ToggleCellSelection(2, 3);
    const QByteArray before = t.SaveToBytes();
    const TableCore::MergeTexts merge = t.SelectionMergeTexts();
    EXPECT_EQ(t.SaveToBytes(), before) << "asking changes nothing";
    EXPECT_EQ(merge.col, 0);
    EXPECT_EQ(merge.row, 1);
    EXPECT_EQ(merge.texts, QStringList({"0,1", "2,1", "0,2", "0,3", "1,3", "2,3"}));
    EXPECT_EQ(TableCore::JoinCellTexts(merge.texts), "0,1\r\n2,1\r\n0,2\r\n0,3\r\n1,3\r\n2,3");

    // A covered corner moves the corner up and left with the area.
    Fill(t, 4, 4);
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 1));
    t.SelectCell(3, 1);
    t.ResetSelection();
    t.ToggleCellSelection(1, 3);
    const TableCore::MergeTexts corner = t.SelectionMergeTexts();
    EXPECT_EQ(corner.col, 0);
    EXPECT_EQ(corner.row, 0);
    EXPECT_EQ(corner.texts.size(), 13) << "16 slots, 3 of them covered by (0, 0)";

    t.SelectCell(2, 2);
    t.ResetSelection();
    EXPECT_EQ(t.SelectionMergeTexts().col, -1) << "one cell merges nothing";
    EXPECT_TRUE(t.SelectionMergeTexts().texts.isEmpty());
}

TEST(UnmergeSelection, SplitsSelectedMergesOnlyAndResetsTheSelection)
{
    TableCore t;
    Fill(t, 4, 4);
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 1));
    ASSERT_TRUE(t.MergeCells(2, 2, 1, 1));
    t.SelectCell(0, 0);
    t.ResetSelection();
    t.ToggleCellSelection(3, 0);
    EXPECT_TRUE(t.CanUnmerge());
    t.UnmergeSelection();

    EXPECT_FALSE(t.Cell(0, 0).isMerged());
    EXPECT_TRUE(t.Cell(2, 2).isMerged());
    EXPECT_FALSE(t.Cell(3, 0).Selected);
    EXPECT_TRUE(t.Cell(0, 0).Selected);
    EXPECT_FALSE(t.CanUnmerge());
    EXPECT_INVARIANTS(t);
}

TEST(Selection, ShiftRangeOverAMergedCellTakesItWhole)
{
    // From (0, 0) to (2, 2) with (2..3, 1) merged selects columns 0..3 of rows 0..2.
    TableCore t;
    Fill(t, 5, 4);
    ASSERT_TRUE(t.MergeCells(2, 1, 1, 0));
    t.SelectCell(0, 0);
    t.ResetSelection();
    t.SelectRangeTo(2, 2);

    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 4; ++r) {
            const bool inside = c <= 3 && r <= 2 && t.Cell(c, r).Visible;
            EXPECT_EQ(t.Cell(c, r).Selected, inside) << c << "," << r;
        }
    EXPECT_INVARIANTS(t);
}

}  // namespace

// ---- Cells that break the representation -----------------------------------------------------

// A covered cell that holds spans, as a damaged document once could, is no anchor: no
// operation widens an area by it past the table (at 100000 the result was a file the program
// refused, at 0x7FFFFFFF the merge never ended).
TEST(CoveredCellWithSpans, NoOperationTakesItForAnAnchor)
{
    using Op = void (*)(TableCore&);
    const std::pair<const char*, Op> ops[] = {
        {"merge", [](TableCore& t) { t.MergeCells(0, 0, 1, 1); }},
        {"merge all", [](TableCore& t) { t.MergeCells(0, 0, 0x7FFFFFFF, 0x7FFFFFFF); }},
        {"merge selection", [](TableCore& t) {
             t.SelectCell(0, 0);
             t.SelectRangeTo(2, 2);
             t.MergeSelection();
         }},
        {"insert col", [](TableCore& t) { t.InsertColumn(2); }},
        {"insert row", [](TableCore& t) { t.InsertRow(2); }},
        {"delete col", [](TableCore& t) { t.DeleteColumn(1); }},
        {"delete row", [](TableCore& t) { t.DeleteRow(1); }},
        {"shrink", [](TableCore& t) { t.SetColCount(2); }},
    };
    for (const std::int32_t span : {100000, 0x7FFFFFFF})
        for (const auto& [name, op] : ops) {
            SCOPED_TRACE(std::string(name) + ", span " + std::to_string(span));
            TableCore t;
            Fill(t, 3, 3);
            TCell& covered = t.Cell(1, 1);
            covered.reset(false);
            covered.ExtraCols = span;
            covered.ExtraRows = span;
            op(t);
            std::vector<int> owner(std::size_t(t.ColCount) * t.RowCount, -1);
            EXPECT_EQ(invariants::CheckAreas(t, owner), "");
            if (std::string(name).starts_with("merge")) {
                EXPECT_INVARIANTS(t);
                TableCore again;
                QString reason;
                EXPECT_TRUE(again.LoadFromBytes(t.SaveToBytes(), &reason)) << reason.toStdString();
            }
        }
}
