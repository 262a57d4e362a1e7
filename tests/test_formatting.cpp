// Formatting the selected cells, the selection's common format, and link markup.

#include "core/TableCore.h"
#include "tests/TableInvariants.h"

#include <gtest/gtest.h>

namespace {

void Fill(TableCore& t, int cols, int rows)
{
    t.ResetTable();
    t.SetColCount(cols);
    t.SetRowCount(rows);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) t.SetCellText(c, r, QString("%1,%2").arg(c).arg(r));
}

TCell Template()
{
    TCell cell;
    cell.FontName = "Courier New";
    cell.FontSize = 7;
    cell.Bold = true;
    cell.Italic = true;
    cell.FontColor = 0x0000FF;
    cell.BgColor = 0x00FF00;
    cell.VAlign = 2;
    cell.HAlign = 2;
    cell.Text = "never copied";
    cell.ExtraCols = 3;
    cell.ExtraRows = 3;
    return cell;
}

// ---- ApplyFormat -----------------------------------------------------------------------------

TEST(ApplyFormat, ChangesVisibleSelectedCellsButNeverTextSpansOrCoveredCells)
{
    // Four cells selected, one of them the anchor of (1..2, 1..2).
    TableCore t;
    Fill(t, 4, 4);
    ASSERT_TRUE(t.MergeCells(1, 1, 1, 1));
    t.SelectCell(0, 0);
    t.ResetSelection();
    t.ToggleCellSelection(1, 1);
    t.ToggleCellSelection(3, 0);
    t.ToggleCellSelection(0, 3);
    t.ApplyFormat(Template(), cfAllButText | cfText);

    for (auto [c, r] : {std::pair{0, 0}, {1, 1}, {3, 0}, {0, 3}}) {
        const TCell& cell = t.Cell(c, r);
        EXPECT_EQ(cell.FontName, "Courier New");
        EXPECT_EQ(cell.FontSize, 7);
        EXPECT_TRUE(cell.Bold && cell.Italic);
        EXPECT_EQ(cell.FontColor, 0x0000FF);
        EXPECT_EQ(cell.BgColor, 0x00FF00);
        EXPECT_EQ(cell.VAlign, 2);
        EXPECT_EQ(cell.HAlign, 2);
        EXPECT_EQ(cell.Text, QString("%1,%2").arg(c).arg(r));
        EXPECT_TRUE(cell.Selected);
    }
    EXPECT_EQ(t.Cell(1, 1).ExtraCols, 1);
    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 0);
    EXPECT_EQ(t.Cell(3, 3).FontSize, 3);  // not selected
    EXPECT_EQ(invariants::Check(t), "");  // covered cells kept their defaults
    EXPECT_EQ(t.SelCol, 0);
    EXPECT_EQ(t.SelRow, 0);
}

TEST(ApplyFormat, HorizontalAlignmentAloneKeepsTheVerticalOne)
{
    // Ctrl+R on bottom-aligned cells: they stay at the bottom and move to the right.
    TableCore t;
    Fill(t, 2, 1);
    t.SelectCell(0, 0);
    t.ResetSelection();
    t.ToggleCellSelection(1, 0);
    TCell bottomLeft;
    bottomLeft.VAlign = 2;
    bottomLeft.HAlign = 0;
    t.ApplyFormat(bottomLeft, cfVAlign | cfHAlign);

    TCell right;
    right.VAlign = 0;
    right.HAlign = 2;
    t.ApplyFormat(right, cfHAlign);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(t.Cell(c, 0).VAlign, 2);
        EXPECT_EQ(t.Cell(c, 0).HAlign, 2);
        EXPECT_EQ(t.Cell(c, 0).FontSize, 3);
    }
}

TEST(ApplyFormat, BoldOnAMixedSelectionMakesAllBoldThenNone)
{
    TableCore t;
    Fill(t, 3, 1);
    t.Cell(1, 0).Bold = true;
    t.SelectCell(0, 0);
    t.ResetSelection();
    t.SelectRangeTo(2, 0);

    TCell summary;
    TCellFields mask = 0;
    t.GetSelectionFormat(summary, mask);
    ASSERT_FALSE(mask & cfBold);  // the tool bar shows Bold off for mixed cells
    TCell bold;
    bold.Bold = !summary.Bold;    // so the command sets it on
    t.ApplyFormat(bold, cfBold);
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(t.Cell(c, 0).Bold) << c;

    t.GetSelectionFormat(summary, mask);
    ASSERT_TRUE(mask & cfBold);
    bold.Bold = !summary.Bold;
    t.ApplyFormat(bold, cfBold);
    for (int c = 0; c < 3; ++c) EXPECT_FALSE(t.Cell(c, 0).Bold) << c;
}

TEST(ApplyFormat, FontNameIsCutTo64BytesOnACharacterBoundary)
{
    TableCore t;
    Fill(t, 1, 1);
    t.SelectCell(0, 0);
    TCell cell;
    cell.FontName = QByteArray(63, 'x') + "\xC3\xA9" + "tail";  // an e-acute across byte 64
    t.ApplyFormat(cell, cfFontName);
    EXPECT_EQ(t.Cell(0, 0).FontName, QByteArray(63, 'x'));
}

TEST(ApplyFormat, NothingSelectedChangesNothing)
{
    TableCore t;
    Fill(t, 2, 2);
    t.ApplyFormat(Template(), cfAllButText);
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 2; ++r) EXPECT_EQ(t.Cell(c, r).FontSize, 3);
    EXPECT_EQ(t.SelCol, -1);
}

// ---- GetSelectionFormat ----------------------------------------------------------------------

TEST(GetSelectionFormat, MasksWhatTheSelectedCellsShare)
{
    TableCore t;
    Fill(t, 2, 2);
    TCell summary;
    TCellFields mask = 99;
    t.GetSelectionFormat(summary, mask);
    EXPECT_EQ(mask, 0u);  // no current cell

    t.SelectCell(0, 0);
    t.ResetSelection();
    t.GetSelectionFormat(summary, mask);
    EXPECT_EQ(mask, 2015u);
    EXPECT_EQ(summary.Text, "0,0");

    t.Cell(1, 1).FontSize = 4;
    t.Cell(1, 1).BgColor = 0x123456;
    t.ToggleCellSelection(1, 1);
    t.GetSelectionFormat(summary, mask);
    EXPECT_EQ(summary.FontSize, -1);
    EXPECT_EQ(summary.BgColor, kMixedColor);
    EXPECT_EQ(mask, 2015u & ~(cfFontSize | cfBgColor));
}

// ---- LinkMarkup ------------------------------------------------------------------------------

TEST(LinkMarkup, UpperAndLowerCaseWithAndWithoutTarget)
{
    EXPECT_EQ(TableCore::LinkMarkup("Home", "index.htm", false, false),
              "<A HREF=\"index.htm\">Home</A>");
    EXPECT_EQ(TableCore::LinkMarkup("Home", "index.htm", true, false),
              "<A HREF=\"index.htm\" TARGET=\"_BLANK\">Home</A>");
    EXPECT_EQ(TableCore::LinkMarkup("Home", "index.htm", false, true),
              "<a href=\"index.htm\">Home</a>");
    // Address and text keep their letters in lower-case mode.
    EXPECT_EQ(TableCore::LinkMarkup("Our SHOP", "HTTP://Example.ORG/A", true, true),
              "<a href=\"HTTP://Example.ORG/A\" target=\"_blank\">Our SHOP</a>");
    EXPECT_EQ(TableCore::LinkMarkup("", "", false, false), "<A HREF=\"\"></A>");
}

}  // namespace
