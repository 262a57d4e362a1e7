// The table control: counts and properties, grid geometry, hit testing, mouse and Tab
// selection, and what the painted grid looks like.

#include "tests/TableFixture.h"

#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

namespace {

int SelectedCount(const TableCore& t)
{
    int n = 0;
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) n += t.Cell(c, r).Selected;
    return n;
}

}  // namespace

// ---- Counts, properties and the new table ---------------------------------------------------

TEST(TableModel, CountsClampAndResetTheCellsTheyUncoverOrDrop)
{
    TableFixture f(320, 5, 2);
    TTable& t = *f.table;
    t.Cell(3, 0).Text = "three";
    t.Cell(4, 1).Bold = true;

    t.SetColCount(3);
    t.SetColCount(5);
    EXPECT_TRUE(t.Cell(3, 0).Text.isEmpty()) << "a column coming back into use starts empty";
    EXPECT_FALSE(t.Cell(4, 1).Bold);

    t.SetColCount(200);
    EXPECT_EQ(t.ColCount, 127);
    t.SetRowCount(-5);
    EXPECT_EQ(t.RowCount, 0);
}

TEST(TableModel, ShrinkingTrimsMergedCellsAndPullsTheCurrentCellBack)
{
    TableFixture f(320, 4, 2);
    TTable& t = *f.table;
    ASSERT_TRUE(t.MergeCells(1, 0, 2, 0));
    t.SelectCell(3, 1);
    t.SetColCount(3);
    EXPECT_EQ(t.Cell(1, 0).ExtraCols, 1);
    EXPECT_EQ(t.SelCol, 2);
    EXPECT_EQ(t.SelRow, 1);
    EXPECT_TRUE(t.Cell(2, 1).Selected);
}

TEST(TableModel, ResetTableGivesTwoByThreeDefaultCells)
{
    TableFixture f(320, 6, 6);
    TTable& t = *f.table;
    t.SetTableBorderColor(0x123456);
    t.SetCellsBorderWidth(4);
    t.Cell(0, 0).Text = "old";
    t.Cell(1, 2).FontSize = 7;
    t.TableWidth = {400, TSizeSpec::Pixels};
    t.Changed = true;
    t.SelectCell(1, 1);

    t.ResetTable();
    EXPECT_EQ(t.ColCount, 2);
    EXPECT_EQ(t.RowCount, 3);
    EXPECT_EQ(t.TableBorderColor(), 0x808080);
    EXPECT_EQ(t.TableBorderWidth(), 1);
    EXPECT_EQ(t.CellsBorderWidth, 1);
    EXPECT_EQ(t.CellsBorderColor, 0xC0C0C0);
    EXPECT_EQ(t.CellsTextMargin, 3);
    EXPECT_EQ(t.TableWidth.Units, TSizeSpec::Default);
    EXPECT_EQ(t.TableWidth.Value, 400) << "the value keeps its number";
    EXPECT_FALSE(t.Changed);
    EXPECT_EQ(t.SelCol, -1);
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 3; ++r) {
            const TCell& cell = t.Cell(c, r);
            EXPECT_TRUE(cell.Text.isEmpty());
            EXPECT_EQ(cell.FontName, "Tahoma");
            EXPECT_EQ(cell.FontSize, 3);
            EXPECT_EQ(cell.FontColor, 0);
            EXPECT_EQ(cell.BgColor, 0xFFFFFF);
            EXPECT_EQ(cell.HAlign, 1);
            EXPECT_EQ(cell.VAlign, 0);
            EXPECT_TRUE(cell.Visible);
        }
}

TEST(TableModel, WidthFollowsTheParentAndTheWidthSetting)
{
    QWidget parent;
    parent.resize(301, 200);
    auto* t = new TTable(&parent);
    t->SetTableWidth({50, TSizeSpec::Percent});
    EXPECT_EQ(t->width(), 150) << "150.5 rounds to even";
    t->SetTableWidth({51, TSizeSpec::Percent});
    EXPECT_EQ(t->width(), 154);  // 153.51
    t->SetTableWidth({400, TSizeSpec::Pixels});
    EXPECT_EQ(t->width(), 400);
    t->SetTableWidth({400, TSizeSpec::Default});
    EXPECT_EQ(t->width(), 301);
    parent.resize(0, 200);
    t->UpdateWidth();
    EXPECT_EQ(t->width(), 1) << "a parent of width 0 counts as 1";
}

// ---- Geometry -----------------------------------------------------------------------------------

TEST(TableLayout, ColumnsShareTheWidthAndTheLastTakesTheRest)
{
    TableFixture f(320, 2, 1);
    const TTable& t = *f.table;
    EXPECT_EQ(t.Cell(0, 0).Rect.Left, 1);
    EXPECT_EQ(t.Cell(0, 0).Rect.Right, 158);
    EXPECT_EQ(t.Cell(1, 0).Rect.Left, 159);
    EXPECT_EQ(t.Cell(1, 0).Rect.Right, 319);
}

TEST(TableLayout, RowsAreAtLeastSixteenPixelsAndAsTallAsTheirTallestCell)
{
    TableFixture f(320, 2, 2);
    TTable& t = *f.table;
    t.BeginUpdate();
    t.CellsTextMargin = 0;
    t.CellsBorderWidth = 0;
    t.Cell(0, 0).FontSize = 0;
    t.Cell(1, 0).FontSize = 0;
    t.Cell(0, 1).Text = "one\r\ntwo\r\nthree";
    t.EndUpdate();

    const int small = t.CellHeight(0, 0);
    ASSERT_LT(small, 16) << "a 7-point line needs less than the minimum";
    EXPECT_EQ(t.Cell(0, 0).Rect.height(), 16);

    const TRect& tall = t.Cell(0, 1).Rect;
    const TRect& beside = t.Cell(1, 1).Rect;
    EXPECT_EQ(tall.height(), t.CellHeight(0, 1));
    EXPECT_GT(tall.height(), t.CellHeight(1, 1));
    EXPECT_EQ(beside.Top, tall.Top);
    EXPECT_EQ(beside.Bottom, tall.Bottom) << "the whole row is as tall as its tallest cell";
}

TEST(TableLayout, RowSpanningCellThatNeedsMoreRoomGrowsItsLastRow)
{
    TableFixture f(320, 2, 4);
    TTable& t = *f.table;
    ASSERT_TRUE(t.MergeCells(0, 1, 0, 1));
    const int rowHeight = t.Cell(1, 1).Rect.height();
    const int thirdRowTopBefore = t.Cell(1, 3).Rect.Top;
    t.SetCellText(0, 1, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");

    const TRect& merged = t.Cell(0, 1).Rect;
    const int need = t.CellHeight(0, 1);
    EXPECT_EQ(merged.height(), need);
    EXPECT_EQ(t.Cell(1, 1).Rect.height(), rowHeight) << "the first spanned row keeps its height";
    EXPECT_EQ(t.Cell(1, 2).Rect.Bottom, merged.Bottom) << "the last spanned row takes the rest";
    const int grown = merged.Bottom - (thirdRowTopBefore - 1);
    EXPECT_EQ(t.Cell(1, 3).Rect.Top, thirdRowTopBefore + grown) << "rows below move down";
    EXPECT_EQ(t.height(), t.Cell(0, 3).Rect.Bottom + 1 + 2) << "the control follows the rows";
}

// The layout walks areas only inside the table, whatever spans the cells hold: an anchor whose
// spans reach past it (or overflow) stretches to the last column and row.
TEST(TableLayout, SpansPastTheTableStopAtItsEdge)
{
    TableFixture f(320, 3, 3);
    TTable& t = *f.table;
    for (const std::int32_t span : {100000, 0x7FFFFFFF, -0x7FFFFFFF - 1}) {
        SCOPED_TRACE(span);
        t.Cell(0, 0).ExtraCols = span;
        t.Cell(0, 0).ExtraRows = span;
        t.UpdateLayout();
        const bool grows = span > 0;
        EXPECT_EQ(t.Cell(0, 0).Rect.Right, t.Cell(grows ? 2 : 0, 0).Rect.Right);
        EXPECT_EQ(t.Cell(0, 0).Rect.Bottom, t.Cell(0, grows ? 2 : 0).Rect.Bottom);
    }
}

TEST(TableLayout, CellAtPointHonoursEdgesGapsAndTheCurrentCell)
{
    TableFixture f(320, 2, 2);
    TTable& t = *f.table;
    const TRect left = t.Cell(0, 0).Rect;
    const int y = (left.Top + left.Bottom) / 2;
    EXPECT_EQ(t.CellAtPoint({left.Right, y}), QPoint(0, 0)) << "a right edge belongs to its cell";
    EXPECT_EQ(t.CellAtPoint({left.Right + 1, y}), QPoint(1, 0));

    t.SetCellsBorderWidth(3);
    const TRect wide = t.Cell(0, 0).Rect;
    EXPECT_EQ(t.CellAtPoint({wide.Right + 1, (wide.Top + wide.Bottom) / 2}), QPoint(-1, -1))
        << "a point in a real gap hits nothing";

    t.SelectCell(1, 1);
    const TRect cur = t.Cell(1, 1).Rect;
    EXPECT_EQ(t.CellAtPoint({(cur.Left + cur.Right) / 2, (cur.Top + cur.Bottom) / 2}),
              QPoint(-1, -1))
        << "the editor over the current cell takes its clicks";
}

// ---- Keyboard and mouse --------------------------------------------------------------------

TEST(TableInput, TabWalksRowByRowAndWrapsAtBothEnds)
{
    TableFixture f(320, 2, 3);
    TTable& t = *f.table;
    t.SelectCell(1, 2);
    QTest::keyClick(t.Edit(), Qt::Key_Tab);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 0));
    QTest::keyClick(t.Edit(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(1, 2));
    QTest::keyClick(t.Edit(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 2));
    EXPECT_TRUE(t.Cell(0, 2).Text.isEmpty()) << "Tab never types a tab";
}

TEST(TableInput, TabPassesOverCoveredPositionsBothWays)
{
    TableFixture f(320, 3, 2);
    TTable& t = *f.table;
    ASSERT_TRUE(t.MergeCells(0, 1, 1, 0));  // (0..1, 1): (1, 1) is covered
    t.SelectCell(0, 1);
    QTest::keyClick(t.Edit(), Qt::Key_Tab);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(2, 1));
    EXPECT_FALSE(t.Edit()->isHidden());
    EXPECT_EQ(SelectedCount(t), 1);
    QTest::keyClick(t.Edit(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 1));
    // A merged cell at the end of the table: both ways wrap past its covered position.
    TableFixture g(320, 3, 2);
    TTable& u = *g.table;
    ASSERT_TRUE(u.MergeCells(1, 1, 1, 0));  // (1..2, 1): (2, 1) is the last position
    u.SelectCell(1, 1);
    QTest::keyClick(u.Edit(), Qt::Key_Tab);
    EXPECT_EQ(QPoint(u.SelCol, u.SelRow), QPoint(0, 0));
    QTest::keyClick(u.Edit(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QPoint(u.SelCol, u.SelRow), QPoint(1, 1));
}

TEST(TableInput, ShiftClickSelectsARectangleWidenedOverMergedCells)
{
    TableFixture f(400, 4, 3);
    TTable& t = *f.table;
    ASSERT_TRUE(t.MergeCells(2, 1, 1, 0));  // (2..3, 1)
    t.SelectCell(0, 0);
    t.ResetSelection();
    QTest::mouseClick(&t, Qt::LeftButton, Qt::ShiftModifier, f.inside(2, 2));
    EXPECT_EQ(SelectedCount(t), 11) << "columns 0..3 of rows 0..2, the covered cell excepted";
    EXPECT_TRUE(t.Cell(3, 2).Selected);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 0)) << "the current cell stays";
}

TEST(TableInput, ClicksSelectAndCtrlClicksToggle)
{
    TableFixture f(320, 2, 3);
    TTable& t = *f.table;
    QTest::mouseClick(&t, Qt::LeftButton, Qt::NoModifier, f.inside(1, 1));
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(1, 1));
    EXPECT_FALSE(t.Edit()->isHidden());
    EXPECT_EQ(SelectedCount(t), 1);

    QTest::mouseClick(&t, Qt::LeftButton, Qt::ControlModifier, f.inside(0, 2));
    EXPECT_TRUE(t.Cell(0, 2).Selected);
    QTest::mouseClick(&t, Qt::LeftButton, Qt::ControlModifier, f.inside(0, 2));
    EXPECT_FALSE(t.Cell(0, 2).Selected);
    QTest::mouseClick(&t, Qt::LeftButton, Qt::AltModifier, f.inside(0, 2));
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(1, 1)) << "Alt+click does nothing";
    EXPECT_EQ(SelectedCount(t), 1);
}

TEST(TableInput, TypingGoesIntoTheCellAndEnterGrowsTheRowAtOnce)
{
    TableFixture f(320, 2, 3);
    TTable& t = *f.table;
    t.SelectCell(0, 1);
    const int before = t.Cell(0, 1).Rect.height();
    QTest::keyClicks(t.Edit(), "ab");
    EXPECT_EQ(t.Cell(0, 1).Text, "ab");
    QTest::keyClick(t.Edit(), Qt::Key_Return);
    QTest::keyClicks(t.Edit(), "c");
    EXPECT_EQ(t.Cell(0, 1).Text, "ab\r\nc");
    EXPECT_GT(t.Cell(0, 1).Rect.height(), before);
    EXPECT_EQ(t.Cell(1, 1).Rect.height(), t.Cell(0, 1).Rect.height());
}

TEST(TableInput, BecomingCurrentMovesNoRowAndANewLineGrowsItsRowOnly)
{
    TableFixture f(320, 2, 5);
    TTable& t = *f.table;
    t.SetCellText(0, 3, "one\r\ntwo");
    t.SelectCell(1, 4);
    std::vector<int> tops;
    for (int r = 0; r < 5; ++r) tops.push_back(t.Cell(0, r).Rect.Top);
    for (int r = 0; r < 5; ++r) {
        t.SelectCell(0, r);
        for (int other = 0; other < 5; ++other)
            EXPECT_EQ(t.Cell(0, other).Rect.Top, tops[std::size_t(other)]) << "row " << other << " with row " << r << " current";
    }
    t.SelectCell(0, 1);
    QTest::keyClicks(t.Edit(), "a");
    QTest::keyClick(t.Edit(), Qt::Key_Return);
    ASSERT_EQ(t.Cell(0, 1).Text, "a\r\n");
    EXPECT_EQ(t.Cell(0, 1).Rect.Top, tops[1]);
    EXPECT_GT(t.Cell(0, 2).Rect.Top, tops[2]) << "the new line grows its row";
}

TEST(TableInput, ArrowsAtTheTextsEdgesGoToTheNeighbourOverMergedCells)
{
    TableFixture f(400, 3, 3);
    TTable& t = *f.table;
    ASSERT_TRUE(t.MergeCells(1, 0, 1, 1));  // (1..2, 0..1)
    t.SetCellText(0, 0, "ab");
    t.SetCellText(0, 1, "x\r\ny");
    t.SelectCell(0, 0);
    QTest::keyClick(t.Edit(), Qt::Key_Right);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 0)) << "inside the text the caret moves";
    QTest::keyClick(t.Edit(), Qt::Key_End);
    QTest::keyClick(t.Edit(), Qt::Key_Right);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(1, 0)) << "past the end: the merged cell";
    QTest::keyClick(t.Edit(), Qt::Key_Down);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(1, 2)) << "below the merged cell's area";
    QTest::keyClick(t.Edit(), Qt::Key_Up);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(1, 0)) << "a covered position goes to its merged cell";
    QTest::keyClick(t.Edit(), Qt::Key_Left);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 0));
    EXPECT_EQ(t.Edit()->textCursor().position(), 2) << "entering from the right, the caret is at the end";
    QTest::keyClick(t.Edit(), Qt::Key_Down);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 1));
    EXPECT_EQ(t.Edit()->textCursor().position(), 0);
    QTest::keyClick(t.Edit(), Qt::Key_Down);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 1)) << "Down on the first of two lines stays";
    QTest::keyClick(t.Edit(), Qt::Key_Up);
    QTest::keyClick(t.Edit(), Qt::Key_Left);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 1)) << "Left at the start of the first column stays";

    QTest::keyClick(t.Edit(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(t.Edit(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(2, 2));
    QTest::keyClick(t.Edit(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 0));
    QTest::keyClick(t.Edit(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 0)) << "Shift+arrow selects text";
}

// ---- Painting --------------------------------------------------------------------------------

TEST(TablePaint, FrameGapsBackgroundsMergedCellsAndText)
{
    TableFixture f(320, 3, 2);
    TTable& t = *f.table;
    t.BeginUpdate();
    t.SetTableBorderWidth(2);
    t.SetTableBorderColor(0x0000FF);  // red
    t.CellsBorderWidth = 2;
    t.CellsBorderColor = 0x00FF00;    // green
    t.Cell(0, 0).BgColor = 0xFF0000;  // blue
    t.EndUpdate();
    ASSERT_TRUE(t.MergeCells(1, 0, 1, 1));
    t.Cell(1, 0).BgColor = 0x00FFFF;  // yellow
    TCell& text = t.Cell(0, 1);
    text.Text = "MMMM";
    text.Bold = true;
    text.Italic = true;
    text.HAlign = 0;
    t.SelectCell(-1, -1);  // no editor over any cell

    const QImage shot = t.grab().toImage();
    const QPoint o = t.clientOrigin();
    auto at = [&](int x, int y) { return QColor(shot.pixel(x + o.x(), y + o.y())); };
    EXPECT_EQ(QColor(shot.pixel(0, 0)), QColor(Qt::red)) << "the frame";
    EXPECT_EQ(QColor(shot.pixel(1, shot.height() - 1)), QColor(Qt::red));

    const TRect a = t.Cell(0, 0).Rect;
    EXPECT_EQ(at((a.Left + a.Right) / 2, (a.Top + a.Bottom) / 2), QColor(Qt::blue));
    EXPECT_EQ(at(a.Right, a.Top + 2), QColor(Qt::green)) << "the gap right of a cell";
    EXPECT_EQ(at(a.Left + 2, a.Bottom), QColor(Qt::green)) << "the gap below a cell";

    const TRect m = t.Cell(1, 0).Rect;
    const int innerColumnGap = t.Cell(2, 1).Rect.Left - 1;
    const int innerRowGap = t.Cell(2, 1).Rect.Top - 1;
    for (int x = m.Left; x < m.Right; x += 7)
        for (int y = m.Top; y < m.Bottom; y += 5)
            ASSERT_EQ(at(x, y), QColor(Qt::yellow)) << "merged cell is one fill at " << x << "," << y;
    EXPECT_EQ(at(innerColumnGap, innerRowGap), QColor(Qt::yellow));

    const TRect c = t.Cell(0, 1).Rect;
    const int g = t.CellsTextMargin;
    bool inkInside = false;
    for (int x = c.Left + g; x < c.Right - g; ++x)
        for (int y = c.Top + g; y < c.Bottom - g; ++y)
            inkInside |= at(x, y).lightness() < 128;
    EXPECT_TRUE(inkInside) << "the text is drawn";
    for (int x = c.Left; x < c.Right; ++x) {
        ASSERT_EQ(at(x, c.Top), QColor(Qt::white)) << "nothing drawn in the margin";
        ASSERT_EQ(at(x, c.Bottom - 1), QColor(Qt::white));
    }
}

TEST(TablePaint, AnEmptyTableShowsOnlyTheBorderColour)
{
    TableFixture f(320, 2, 2);
    TTable& t = *f.table;
    t.SetCellsBorderColor(0x00FF00);
    t.SetColCount(0);
    const QImage shot = t.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(shot.width() / 2, shot.height() / 2)), QColor(Qt::green));
}

// ---- Keys that act on cells ------------------------------------------------------------------

TEST(TableInput, ShiftArrowAtTheTextsEdgeGrowsAndShrinksTheSelectedRectangle)
{
    TableFixture f(400, 4, 3);
    TTable& t = *f.table;
    ASSERT_TRUE(t.MergeCells(2, 0, 0, 1));  // (2, 0..1)
    ASSERT_TRUE(t.SetCellText(1, 1, QStringLiteral("ab")));
    t.SelectCell(1, 1);
    t.ResetSelection();
    t.Edit()->setSelection(0, 0);
    QTest::keyClick(t.Edit(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(SelectedCount(t), 1) << "inside the text Shift+Right selects text";
    EXPECT_EQ(t.Edit()->selectionLength(), 1);
    QTest::keyClick(t.Edit(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(t.Edit(), Qt::Key_Right, Qt::ShiftModifier);  // at the end: the merged cell
    EXPECT_EQ(SelectedCount(t), 3) << "widened over the merged cell, as Shift+click does";
    EXPECT_TRUE(t.Cell(2, 0).Selected && t.Cell(1, 0).Selected);
    QTest::keyClick(t.Edit(), Qt::Key_Down, Qt::ShiftModifier);  // below the merged cell
    EXPECT_EQ(SelectedCount(t), 5);
    EXPECT_TRUE(t.Cell(2, 2).Selected);
    QTest::keyClick(t.Edit(), Qt::Key_Left, Qt::ShiftModifier);  // back to column 1 only
    EXPECT_EQ(SelectedCount(t), 2);
    EXPECT_TRUE(t.Cell(1, 2).Selected);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(1, 1)) << "the current cell stays";
    for (int i = 0; i < 3; ++i) QTest::keyClick(t.Edit(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(SelectedCount(t), 2) << "the table's edge ends the growth";
}

TEST(TableInput, HomeAndEndAtTheTextsEndsGoToTheRowsFirstAndLastCell)
{
    TableFixture f(400, 4, 2);
    TTable& t = *f.table;
    ASSERT_TRUE(t.MergeCells(2, 0, 1, 1));  // (2..3, 0..1): the last cell of row 1 too
    ASSERT_TRUE(t.SetCellText(1, 1, QStringLiteral("ab")));
    t.SelectCell(1, 1);
    t.Edit()->setSelection(1, 0);
    QTest::keyClick(t.Edit(), Qt::Key_End);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(1, 1)) << "End first goes to the text's end";
    QTest::keyClick(t.Edit(), Qt::Key_End);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(2, 0)) << "the merged cell ends row 1";
    QTest::keyClick(t.Edit(), Qt::Key_Home);
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(0, 0));
}

// ---- Zoom --------------------------------------------------------------------------------------

TEST(TableZoom, TheControlGrowsTheLayoutStaysAndClicksHitTheZoomedCells)
{
    TableFixture f(400, 3, 2);
    TTable& t = *f.table;
    t.SetTableWidth({300, TSizeSpec::Pixels});  // a width of its own: the layout keeps it
    const TRect before = t.Cell(2, 1).Rect;
    const int height = t.height();
    t.setZoom(200);
    EXPECT_EQ(t.Cell(2, 1).Rect, before) << "the layout is not the zoom's";
    EXPECT_NEAR(t.height(), 2 * height, 4);
    const QRect shown = t.ControlRect(t.Cell(2, 1).Rect);
    EXPECT_EQ(shown.width(), 2 * before.width());
    QTest::mouseClick(&t, Qt::LeftButton, Qt::NoModifier, shown.center());
    EXPECT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(2, 1));
    EXPECT_EQ(t.Edit()->geometry().center().x() / 10, shown.center().x() / 10) << "the editor lies over it";
    t.setZoom(1000);
    EXPECT_EQ(t.Zoom(), TTable::kMaxZoom);
}
