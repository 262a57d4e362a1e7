// Rearranging a table: sort, find and replace, moving rows and columns, transposing, clearing
// texts and copying a rectangle; each keeps the merged-cell rules, refuses what would cut a
// merged cell (saying which), and one undo step gives back the exact bytes. Then 300 seeded
// random sequences of these mixed with the older operations, checked after every step.

#include "TableInvariants.h"

#include "core/CellText.h"
#include "core/FindReplace.h"
#include "core/Script.h"
#include "core/Sorting.h"
#include "core/TableCore.h"
#include "core/TableEdit.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

// A table of `rows` rows with the given texts in column 0 and row numbers in column 1.
void Fill(TableCore& t, const QStringList& texts)
{
    t.ResetTable();
    t.SetColCount(2);
    t.SetRowCount(int(texts.size()));
    for (int r = 0; r < int(texts.size()); ++r) {
        t.SetCellText(0, r, texts[r]);
        t.SetCellText(1, r, QString::number(r));
    }
    t.StartHistory();
}

QStringList Column(const TableCore& t, int col)
{
    QStringList texts;
    for (int r = 0; r < t.RowCount; ++r) texts << t.Cell(col, r).Text;
    return texts;
}

QString Sorted(TableCore& t, std::vector<SortKey> keys, int first = -1, int last = -1, const char* language = "en")
{
    TableEdit edit(t);
    const QString refusal = SortRows(t, first, last, keys, SortCollator(QString::fromLatin1(language)));
    if (!refusal.isEmpty()) edit.discard();
    return refusal;
}

}  // namespace

TEST(CellText, WhatABrowserShowsOfTheMarkup)
{
    EXPECT_EQ(VisibleText(u"  <b>Tea</b> &amp; <i>cake</i><br>\r\n  2 &lt; 3 <!-- no --> x<y>z"), "Tea & cake 2 < 3 xz");
    EXPECT_EQ(VisibleText(u"a<span>b</span>c<p>d</p>e"), "abc d e");
    std::vector<qsizetype> from, to;
    const QString shown = VisibleText(u"x <b>&amp;</b>", &from, &to);
    ASSERT_EQ(shown, "x &");
    EXPECT_EQ(from[2], 5);
    EXPECT_EQ(to[2], 10) << "the reference as a whole";
}

TEST(Sort, NumbersAsNumbersTextsByCollationStableWithHeadersOnTop)
{
    TableCore t;
    Fill(t, {"Name", "10", "9", "<b>100</b>", "", "9"});
    t.SetHeaderRows(0, 0, true);
    t.StartHistory();
    const QByteArray before = t.SaveToBytes();
    EXPECT_EQ(Sorted(t, {{0, false}}), "");
    EXPECT_EQ(Column(t, 0), (QStringList{"Name", "<b>100</b>", "10", "9", "9", ""})) << "empty last";
    EXPECT_EQ(Column(t, 1), (QStringList{"0", "3", "1", "2", "5", "4"})) << "stable: the first 9 first";
    t.Undo();
    EXPECT_EQ(t.SaveToBytes(), before) << "one step";

    Fill(t, {"item 10", "Item 9", "ärger", "apple", "zebra"});
    EXPECT_EQ(Sorted(t, {{0, true}}, -1, -1, "de"), "");
    EXPECT_EQ(Column(t, 0), (QStringList{"apple", "ärger", "Item 9", "item 10", "zebra"})) << "numeric collation, no case";
    // Two keys; 1,5 reads as a number in German.
    Fill(t, {"b", "a", "b", "a"});
    t.SetCellText(1, 0, "2,5");
    t.SetCellText(1, 2, "1,5");
    t.SetCellText(1, 1, "x");
    t.SetCellText(1, 3, "y");
    EXPECT_EQ(Sorted(t, {{0, true}, {1, true}}, -1, -1, "de"), "");
    EXPECT_EQ(Column(t, 1), (QStringList{"x", "y", "1,5", "2,5"}));
}

TEST(Sort, AMergedCellAcrossRowsRefusesAndNamesIt)
{
    TableCore t;
    Fill(t, {"c", "b", "a", "d"});
    t.MergeCells(1, 1, 0, 1);
    const QByteArray before = t.SaveToBytes();
    EXPECT_EQ(Sorted(t, {{0, true}}), "the merged cell at (1, 1) spans rows 1 to 2: rows inside it cannot be sorted");
    EXPECT_EQ(t.SaveToBytes(), before);
    EXPECT_EQ(Sorted(t, {{0, true}}, 3, 3), "") << "a range beside it";
    t.MergeCells(0, 0, 1, 0);  // a merge inside one row moves with the row
    EXPECT_EQ(Sorted(t, {{0, false}}, 3, 3), "");
    EXPECT_EQ(invariants::Check(t), "");
}

TEST(FindAndReplace, InTheShownTextOrTheSourceWithEveryOption)
{
    TableCore t;
    Fill(t, {"Tea <b>cake</b>", "tea &amp; Tea", "<a href=\"tea\">x</a>"});
    FindOptions o;
    o.pattern = "tea";
    auto next = FindNext(t, o, 0, 0, 0, false);
    ASSERT_TRUE(next);
    EXPECT_EQ(std::tuple(next->col, next->row, next->start, next->length), std::tuple(0, 0, 0, 3));
    next = FindNext(t, o, 0, 0, 1, false);
    EXPECT_EQ(std::tuple(next->col, next->row, next->start), std::tuple(0, 1, 0));
    next = FindNext(t, o, 0, 1, 1, false);
    EXPECT_EQ(std::tuple(next->row, next->start), std::tuple(1, 10)) << "the source position after &amp;";
    next = FindNext(t, o, 0, 1, 11, false);
    EXPECT_EQ(std::tuple(next->row, next->start, next->wrapped), std::tuple(0, 0, true)) << "the address is no shown text";
    next = FindNext(t, o, 0, 0, 0, true);
    EXPECT_EQ(std::tuple(next->row, next->start, next->wrapped), std::tuple(1, 10, true));
    o.visibleText = false;
    next = FindNext(t, o, 0, 1, 11, false);
    EXPECT_EQ(std::tuple(next->row, next->start), std::tuple(2, 9)) << "in the source the address counts";

    o.visibleText = true;
    o.matchCase = true;
    EXPECT_EQ(ReplaceAll(t, o, "Tom & Jerry"), 1);
    EXPECT_EQ(t.Cell(0, 1).Text, "Tom &amp; Jerry &amp; Tea");
    o.matchCase = false;
    o.wholeWords = true;
    o.pattern = "ca";
    EXPECT_EQ(ReplaceAll(t, o, "x"), 0) << "not a whole word";
    o.pattern = "tea cake";
    o.wholeWords = false;
    EXPECT_EQ(ReplaceAll(t, o, "y"), 0) << "across a tag: left alone";
    o.regularExpression = true;
    o.visibleText = false;
    o.pattern = "(T)ea";
    EXPECT_EQ(ReplaceAll(t, o, "\\1EA"), 3);
    EXPECT_EQ(t.Cell(0, 0).Text, "TEA <b>cake</b>");
    EXPECT_EQ(t.Cell(0, 2).Text, "<a href=\"tEA\">x</a>");
    o.pattern = "x*";
    EXPECT_EQ(ReplaceAll(t, o, "!"), 1) << "empty matches are no matches";
    o.pattern = "(";
    EXPECT_FALSE(FindExpression(o).isValid());
    EXPECT_EQ(ReplaceAll(t, o, ""), 0);
}

// Replace All finds a plain word between the tags without making the shown text; it must
// replace exactly what the shown-text search (here by way of an escaped expression) replaces.
TEST(FindAndReplace, APlainWordIsReplacedWhereTheShownTextHasIt)
{
    const char* const pieces[] = {"tea", "Tea ", "<b>", "</b>", "<!-- tea -->", "<a href=\"tea\">", "</a>", "a < tea",
                                  "<tea>", "te", "a", "\r\n", "  ", "<br>", "<p>", "<?tea?>", "<"};
    QRandomGenerator rng(41);
    for (int round = 0; round < 500; ++round) {
        QString text;
        for (int n = rng.bounded(1, 8); n > 0; --n) text += QString::fromUtf8(pieces[rng.bounded(int(std::size(pieces)))]);
        for (const bool matchCase : {false, true}) {
            TableCore literal, expression;
            Fill(literal, {text});
            Fill(expression, {text});
            FindOptions o;
            o.pattern = "tea";
            o.matchCase = matchCase;
            const int count = ReplaceAll(literal, o, "x");
            o.regularExpression = true;
            EXPECT_EQ(ReplaceAll(expression, o, "x"), count) << text.toStdString();
            EXPECT_EQ(literal.Cell(0, 0).Text, expression.Cell(0, 0).Text) << text.toStdString();
        }
    }
}

TEST(MoveAndTranspose, LinesMoveWithTheirFormatsAndWidthsOrRefuse)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(3);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) t.SetCellText(c, r, QStringLiteral("%1%2").arg(c).arg(r));
    t.SetColWidth(0, {40, TSizeSpec::Pixels});
    t.Cell(0, 1).Bold = true;
    t.StartHistory();
    const QByteArray before = t.SaveToBytes();
    {
        TableEdit edit(t);
        EXPECT_EQ(t.MoveColumn(0, 1), "");
    }
    EXPECT_EQ(t.Cell(1, 0).Text, "00");
    EXPECT_TRUE(t.Cell(1, 1).Bold);
    EXPECT_EQ(t.ColWidths[1], (TSizeSpec{40, TSizeSpec::Pixels}));
    EXPECT_EQ(t.ColWidths[0], TSizeSpec{});
    t.Undo();
    EXPECT_EQ(t.SaveToBytes(), before);
    EXPECT_EQ(t.MoveRow(0, -1), "row 0 cannot move there");
    t.MergeCells(1, 1, 0, 1);  // column 1, rows 1..2
    EXPECT_EQ(t.MoveRow(0, 1), "the merged cell at (1, 1) spans rows 1 to 2: moving row 0 would cut it");
    EXPECT_EQ(t.MoveColumn(1, 1), "");  // the merge is one column wide: it moves whole
    EXPECT_EQ(t.Cell(2, 1).ExtraRows, 1);
    t.MergeCells(0, 0, 1, 0);
    EXPECT_EQ(t.MoveColumn(2, -1), "the merged cell at (0, 0) spans columns 0 to 1: moving column 2 would cut it");
    EXPECT_EQ(invariants::Check(t), "");

    // Transpose: 3 x 3 with a 2 x 1 and a 1 x 2 merge, texts follow, spans swap.
    t.Transpose();
    EXPECT_EQ(invariants::Check(t), "");
    EXPECT_EQ(t.Cell(0, 0).ExtraRows, 1);
    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 0);
    EXPECT_EQ(t.Cell(1, 2).ExtraCols, 1);
    EXPECT_FALSE(t.HasColWidths());
    TableCore wide;
    wide.ResetTable();
    wide.SetColCount(127);
    wide.SetRowCount(2);
    wide.Transpose();
    EXPECT_EQ(std::pair(wide.ColCount, wide.RowCount), std::pair(2, 127));
}

TEST(CopyRange, ARectangleAsADocumentOfItsOwn)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(4);
    t.SetRowCount(4);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) t.SetCellText(c, r, QStringLiteral("%1%2").arg(c).arg(r));
    t.MergeCells(1, 1, 2, 2);  // (1,1)-(3,3)
    TableCore part;
    ASSERT_TRUE(part.LoadFromBytes(t.RangeDocument(0, 0, 1, 2)));
    EXPECT_EQ(std::pair(part.ColCount, part.RowCount), std::pair(2, 3));
    EXPECT_EQ(part.Cell(1, 1).Text, "11");
    EXPECT_EQ(part.Cell(1, 1).ExtraCols, 0) << "the merged cell ends at the rectangle's edge";
    EXPECT_EQ(part.Cell(1, 1).ExtraRows, 1);
    EXPECT_EQ(invariants::Check(part), "");
    // A rectangle that starts inside a merged cell: its covered slots come as empty cells.
    ASSERT_TRUE(part.LoadFromBytes(t.RangeDocument(2, 2, 3, 3)));
    EXPECT_TRUE(part.Cell(0, 0).Visible);
    EXPECT_EQ(invariants::Check(part), "");
    // Only the selected cells keep their texts.
    t.SelectCell(0, 0);
    t.ResetSelection();
    t.ToggleCellSelection(0, 2);
    int c1, r1, c2, r2;
    ASSERT_TRUE(t.SelectionBounds(c1, r1, c2, r2));
    ASSERT_TRUE(part.LoadFromBytes(t.RangeDocument(c1, r1, c2, r2, true)));
    EXPECT_EQ(Column(part, 0), (QStringList{"00", "", "02"}));
    // Clearing the selected texts keeps their formats.
    t.Cell(0, 2).Bold = true;
    EXPECT_TRUE(t.ClearSelectedTexts());
    EXPECT_EQ(t.Cell(0, 2).Text, "");
    EXPECT_TRUE(t.Cell(0, 2).Bold);
    EXPECT_FALSE(t.ClearSelectedTexts()) << "nothing left to clear";
}

// Seeded random sequences of the new operations among the older ones, as script lines: the
// table keeps every rule after each line, and an undo after each changing line restores the
// bytes before it.
TEST(Rearranging, ThreeHundredRandomSequencesKeepTheRulesAndUndoExactly)
{
    const char* const sorts[] = {"sort -1 -1 0 a", "sort -1 -1 1 d 0 a", "sort 1 3 0 d"};
    const char* const replaces[] = {"replace - /a/b/", "replace cw /x/yy/", "replace rs /[0-9]+/n/", "replace s /&/&amp;/"};
    for (quint32 seed = 1; seed <= 300; ++seed) {
        QRandomGenerator rng(seed);
        auto pick = [&](int n) { return int(rng.bounded(quint32(n))); };
        TableCore t;
        t.ResetTable();
        t.SetColCount(1 + pick(6));
        t.SetRowCount(1 + pick(6));
        for (int c = 0; c < t.ColCount; ++c)
            for (int r = 0; r < t.RowCount; ++r) t.SetCellText(c, r, QStringLiteral("a%1 x%2").arg(pick(20)).arg(c + r));
        t.StartHistory();
        for (int step = 0; step < 20; ++step) {
            QByteArray line;
            switch (pick(9)) {
            case 0: line = "move-row " + QByteArray::number(pick(t.RowCount + 1) - 1) + (pick(2) ? " 1" : " -1"); break;
            case 1: line = "move-col " + QByteArray::number(pick(t.ColCount + 1) - 1) + (pick(2) ? " 1" : " -1"); break;
            case 2: line = "transpose"; break;
            case 3: line = sorts[pick(3)]; break;
            case 4: line = replaces[pick(4)]; break;
            case 5: line = "merge " + QByteArray::number(pick(t.ColCount)) + ' ' + QByteArray::number(pick(t.RowCount)) + ' ' +
                           QByteArray::number(pick(3)) + ' ' + QByteArray::number(pick(3)); break;
            case 6: line = "insert-row " + QByteArray::number(pick(t.RowCount + 1)); break;
            case 7: line = "header-rows 0 0 1"; break;
            default: line = "width " + QByteArray::number(pick(t.ColCount)) + " 30 2"; break;
            }
            const QByteArray before = t.SaveToBytes();
            QString error;
            RunScript(t, line, QStringLiteral("random"), &error);
            ASSERT_EQ(invariants::Check(t), "") << "seed " << seed << ", " << line.toStdString();
            const QByteArray after = t.SaveToBytes();
            if (after == before) continue;  // refused, or nothing to do
            t.Undo();
            ASSERT_EQ(t.SaveToBytes(), before) << "seed " << seed << ", undo of " << line.toStdString();
            t.Redo();
            ASSERT_EQ(t.SaveToBytes(), after) << "seed " << seed << ", redo of " << line.toStdString();
        }
    }
}
