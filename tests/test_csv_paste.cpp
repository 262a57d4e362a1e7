// CSV in and out, and a table pasted into a table: the tricky fields that spreadsheets write,
// read back after writing, and pastes that cut through merged cells or run past the table's
// limit, checked with the table invariants.

#include "TableInvariants.h"

#include "core/TableCore.h"
#include "formats/export/CsvWriter.h"
#include "formats/import/Csv.h"
#include "formats/import/TablePaste.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

struct Loaded {
    TableCore table;
    HtmlImportResult result;
};

std::unique_ptr<Loaded> ReadCsv(const QByteArray& bytes, QChar separator = QChar())
{
    auto out = std::make_unique<Loaded>();
    out->result = Csv::Import(bytes, separator);
    if (out->result.imported) EXPECT_TRUE(out->table.LoadFromBytes(out->result.document));
    return out;
}

QStringList Texts(const TableCore& t)
{
    QStringList texts;
    for (int r = 0; r < t.RowCount; ++r)
        for (int c = 0; c < t.ColCount; ++c) texts << t.Cell(c, r).Text;
    return texts;
}

QString Notes(const ImportReport& report)
{
    QStringList lines;
    for (const ImportNote& note : report.Notes()) lines << DescribeNote(note);
    return lines.join('\n');
}

TEST(CsvRead, QuotedFieldsSeparatorsAndLineEnds)
{
    // Quoted separators, doubled quotes, line breaks of each kind inside quotes, a ragged
    // row, LF and CR record ends, stray text after a closing quote, no final line end.
    const auto t = ReadCsv("a,\"b,1\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",\"x\r\ny\"\n"
                           "short\r\"q\"tail,,\"\"");
    ASSERT_TRUE(t->result.imported) << t->result.error.toStdString();
    EXPECT_EQ(t->table.ColCount, 3);
    EXPECT_EQ(t->table.RowCount, 4);
    EXPECT_EQ(Texts(t->table), (QStringList{"a", "b,1", "say \"hi\"", "two\r\nlines", "x\r\ny", "",
                                            "short", "", "", "qtail", "", ""}));
    EXPECT_TRUE(t->result.report.IsEmpty()) << Notes(t->result.report).toStdString();
}

TEST(CsvRead, SniffsTheSeparatorThatSplitsEvenly)
{
    // Decimal commas inside semicolon-separated rows; commas in the text of a tab-separated
    // file; a single column falls back to comma and stays one column.
    auto t = ReadCsv("Name;Price\nTea;1,5\nCake;2,25\n");
    EXPECT_EQ(Texts(t->table), (QStringList{"Name", "Price", "Tea", "1,5", "Cake", "2,25"}));
    t = ReadCsv("Name\tNote\nx\thello, world\ny\t\"a\tb\"\n");
    EXPECT_EQ(Texts(t->table), (QStringList{"Name", "Note", "x", "hello, world", "y", "a\tb"}));
    t = ReadCsv("one\ntwo\n\n\n");
    EXPECT_EQ(t->table.ColCount, 1);
    EXPECT_EQ(Texts(t->table), (QStringList{"one", "two"}));
    // Separators inside quoted fields do not count: what the export writes reads back.
    t = ReadCsv("Name,\"Tea &amp; cake\",\"&lt;c\"\r\n");
    EXPECT_EQ(t->table.ColCount, 3);
    // The clipboard's tab-separated text is read with tabs even when commas split it evenly.
    t = ReadCsv("a,b\tc,d\n", QChar(u'\t'));
    EXPECT_EQ(Texts(t->table), (QStringList{"a,b", "c,d"}));
}

TEST(CsvRead, EncodingsEscapingAndRefusals)
{
    auto t = ReadCsv("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e,<b>&amp;</b>\n");
    EXPECT_EQ(Texts(t->table), (QStringList{QString::fromUtf8("Grüße"), "&lt;b&gt;&amp;amp;&lt;/b&gt;"}));
    EXPECT_TRUE(t->result.report.IsEmpty());
    t = ReadCsv("caf\xE9,\x80 5\n");  // not UTF-8: Windows-1252
    EXPECT_EQ(Texts(t->table), (QStringList{QString::fromUtf8("café"), QString::fromUtf8("€ 5")}));
    EXPECT_NE(Notes(t->result.report).indexOf("Windows-1252"), -1);
    t = ReadCsv("a,\"open\nrest");
    EXPECT_EQ(Texts(t->table), (QStringList{"a", "open\r\nrest"}));
    EXPECT_NE(Notes(t->result.report).indexOf("quote"), -1);
    EXPECT_FALSE(Csv::Import("").imported);
    EXPECT_FALSE(Csv::Import("\r\n\n").imported);
    // Past 127 columns and rows: cut, and said.
    QByteArray wide = QByteArray(200, ',') + "\n";
    QByteArray big;
    for (int i = 0; i < 130; ++i) big += wide;
    t = ReadCsv(big);
    EXPECT_EQ(t->table.ColCount, kMaxCount);
    EXPECT_EQ(t->table.RowCount, kMaxCount);
    EXPECT_NE(Notes(t->result.report).indexOf("rows 128 to 130"), -1);
    EXPECT_NE(Notes(t->result.report).indexOf("columns 128 to 201"), -1);
}

TEST(CsvWrite, MergedCellsLineBreaksAndRoundTrip)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(3);
    t.SetRowCount(3);
    const QStringList fields = {"plain", "a,b", "say \"x\"", "semi;colon", "tab\there", "two\r\nlines",
                                "  spaced  ", QString::fromUtf8("Grüße € \U0001F600"), ""};
    for (int i = 0; i < 9; ++i) t.SetCellText(i % 3, i / 3, fields[i]);
    // Written and read again, every field comes back as it was.
    auto back = ReadCsv(Csv::Export(t));
    EXPECT_EQ(Texts(back->table), fields);

    // Merged: the text in the top-left slot, covered slots empty; <br> as a line break.
    t.SetCellText(0, 0, "one<br>two<BR />three");
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 1));
    const QByteArray out = Csv::Export(t);
    EXPECT_TRUE(out.startsWith("\xEF\xBB\xBF\"one\r\ntwo\r\nthree\",,\"say \"\"x\"\"\"\r\n,,"));
    EXPECT_TRUE(out.endsWith("\r\n"));
    EXPECT_EQ(out.count("\r\n"), 6);  // three inside fields, one per record

    // A one-column table keeps its empty last row.
    TableCore single;
    single.ResetTable();
    single.SetColCount(1);
    single.SetRowCount(2);
    single.SetCellText(0, 0, "x");
    EXPECT_EQ(ReadCsv(Csv::Export(single))->table.RowCount, 2);
}

// ---- Paste -------------------------------------------------------------------------------

QByteArray Document(int cols, int rows, const std::function<void(TableCore&)>& shape = {})
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(cols);
    t.SetRowCount(rows);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) t.SetCellText(c, r, QStringLiteral("p%1.%2").arg(c).arg(r));
    if (shape) shape(t);
    return t.SaveToBytes();
}

TEST(TablePaste, CutsThroughMergedCellsAndKeepsPastedSpans)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(4);
    t.SetRowCount(4);
    t.SetCellText(0, 0, "kept");
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 1));  // (0,0)-(1,1): the paste at (1,1) cuts it
    t.SetCellText(3, 3, "far");
    t.SelectCell(1, 1);
    const QByteArray source = Document(2, 2, [](TableCore& s) { s.MergeCells(0, 0, 1, 0); });
    const PasteResult result = PasteTable(t, source, 1, 1);
    ASSERT_TRUE(result.pasted);
    EXPECT_TRUE(result.report.IsEmpty());
    EXPECT_EQ(invariants::Check(t), "");
    EXPECT_EQ(t.Cell(0, 0).Text, "kept");
    EXPECT_FALSE(t.Cell(0, 0).isMerged());
    EXPECT_TRUE(t.IsVisibleCell(1, 0));
    EXPECT_EQ(t.Cell(1, 1).Text, "p0.0");
    EXPECT_EQ(t.Cell(1, 1).ExtraCols, 1);
    EXPECT_FALSE(t.IsVisibleCell(2, 1));
    EXPECT_EQ(t.Cell(2, 2).Text, "p1.1");
    EXPECT_EQ(t.Cell(3, 3).Text, "far");
    EXPECT_EQ(t.ColCount, 4);
}

TEST(TablePaste, GrowsUpToTheLimitAndSaysWhatDidNotFit)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(2);
    t.SetRowCount(2);
    PasteResult result = PasteTable(t, Document(3, 2), 1, 1);
    EXPECT_EQ(t.ColCount, 4);
    EXPECT_EQ(t.RowCount, 3);
    EXPECT_EQ(t.Cell(3, 2).Text, "p2.1");

    t.SetColCount(kMaxCount);
    t.SetRowCount(kMaxCount);
    // A span running past the edge is cut there.
    result = PasteTable(t, Document(5, 4, [](TableCore& s) { s.MergeCells(0, 0, 3, 3); }),
                        kMaxCount - 2, kMaxCount - 1);
    EXPECT_EQ(invariants::Check(t), "");
    EXPECT_EQ(t.Cell(kMaxCount - 2, kMaxCount - 1).ExtraCols, 1);
    EXPECT_EQ(t.Cell(kMaxCount - 2, kMaxCount - 1).ExtraRows, 0);
    const QString notes = Notes(result.report);
    EXPECT_NE(notes.indexOf("columns 3 to 5"), -1) << notes.toStdString();
    EXPECT_NE(notes.indexOf("rows 2 to 4"), -1) << notes.toStdString();

    // A refused document changes nothing.
    const QByteArray before = t.SaveToBytes();
    EXPECT_FALSE(PasteTable(t, "not a document", 0, 0).pasted);
    EXPECT_EQ(t.SaveToBytes(), before);
}

TEST(TablePaste, SeededRandomPastesKeepTheInvariants)
{
    for (quint32 seed = 1; seed <= 300; ++seed) {
        QRandomGenerator rng(seed);
        auto pick = [&](int low, int high) { return low + int(rng.bounded(quint32(high - low + 1))); };
        auto randomMerges = [&](TableCore& s) {
            for (int i = pick(0, 4); i > 0; --i)
                s.MergeCells(pick(0, s.ColCount - 1), pick(0, s.RowCount - 1), pick(0, 3), pick(0, 3));
        };
        TableCore t;
        t.ResetTable();
        t.SetColCount(pick(1, 12));
        t.SetRowCount(pick(1, 12));
        randomMerges(t);
        t.SelectCell(pick(0, t.ColCount - 1), pick(0, t.RowCount - 1));
        const int col = rng.bounded(4u) == 0 ? pick(kMaxCount - 3, kMaxCount - 1) : pick(0, t.ColCount - 1);
        const int row = pick(0, t.RowCount + 2);
        const PasteResult r = PasteTable(t, Document(pick(1, 8), pick(1, 8), randomMerges), col, row);
        ASSERT_TRUE(r.pasted) << "seed " << seed;
        ASSERT_EQ(invariants::Check(t), "") << "seed " << seed;
    }
}

}  // namespace

namespace {

// What browsers and spreadsheets put on the clipboard: HTML whose first outermost table is
// taken (a nested one is part of its cell), or tab-separated text; anything else is no table.
TEST(ClipboardTable, HtmlFirstThenTabSeparatedText)
{
    const QString html = "<meta charset=\"windows-1252\"><p>x</p><table><tr><td colspan=2>caf\u00e9"
                         "<table><tr><td>inner</td></tr></table></td></tr><tr><td>a</td><td>b</td></tr></table>"
                         "<table><tr><td>second</td></tr></table>";
    auto r = ClipboardTable(html, "ignored\tplain");
    ASSERT_TRUE(r.imported) << r.error.toStdString();
    TableCore t;
    ASSERT_TRUE(t.LoadFromBytes(r.document));
    EXPECT_EQ(t.ColCount, 2);
    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 1);
    EXPECT_TRUE(t.Cell(0, 0).Text.startsWith(QString::fromUtf8("caf\u00e9"))) << "the text, not the named charset, decides";

    r = ClipboardTable(QString(), "Name\tPrice\r\nTea & cake\t<2>\r\n");
    ASSERT_TRUE(r.imported);
    ASSERT_TRUE(t.LoadFromBytes(r.document));
    EXPECT_EQ(t.ColCount, 2);
    EXPECT_EQ(t.RowCount, 2);
    EXPECT_EQ(t.Cell(1, 1).Text, "&lt;2&gt;");

    EXPECT_FALSE(ClipboardHoldsTable("<p>no table</p>", "one line, no tab"));
    EXPECT_FALSE(ClipboardTable("<p>no table</p>", "one line").imported);
    EXPECT_TRUE(ClipboardHoldsTable("<TABLE>", QString()));
}

}  // namespace
