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

std::unique_ptr<Loaded> ReadCsv(const QByteArray& bytes, QChar separator = QChar(),
                                Csv::Fields fields = Csv::Fields::Source)
{
    auto out = std::make_unique<Loaded>();
    out->result = Csv::Import(bytes, separator, fields);
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

// The first text that differs, with its index, readable; empty when the lists are equal.
std::string FirstDifference(const QStringList& got, const QStringList& want)
{
    for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i) {
        const QString a = got.value(i, QStringLiteral("(none)")), b = want.value(i, QStringLiteral("(none)"));
        if (a != b)
            return QStringLiteral("text %1: \"%2\" instead of \"%3\"").arg(QString::number(i), a.toHtmlEscaped(), b.toHtmlEscaped())
                .replace('\r', "\\r").replace('\n', "\\n").replace('\t', "\\t").toStdString();
    }
    return {};
}

QString Notes(const ImportReport& report)
{
    QStringList lines;
    for (const ImportNote& note : report.Notes()) lines << DescribeNote(note);
    return lines.join('\n');
}

TEST(CsvRead, QuotedFieldsSeparatorsAndLineEnds)
{
    // Quoted separators, doubled quotes, line breaks of each kind inside quotes (kept as
    // written), a ragged row, LF and CR record ends, stray text after a closing quote, no
    // final line end.
    const auto t = ReadCsv("a,\"b,1\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",\"x\r\ny\"\n"
                           "short\r\"q\"tail,,\"\"");
    ASSERT_TRUE(t->result.imported) << t->result.error.toStdString();
    EXPECT_EQ(t->table.ColCount, 3);
    EXPECT_EQ(t->table.RowCount, 4);
    EXPECT_EQ(Texts(t->table), (QStringList{"a", "b,1", "say \"hi\"", "two\nlines", "x\r\ny", "",
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
    // Quoted fields are skipped whole when the separators are counted, across lines too: a
    // semicolon inside one is no vote for the semicolon.
    t = ReadCsv("x,\"a;b\nc;d\"\r\n");
    EXPECT_EQ(Texts(t->table), (QStringList{"x", "a;b\nc;d"}));
    t = ReadCsv("id,\"note; one\r\nnote; two\"\r\n2,\"a;b;c\"\r\n3,plain\r\n");
    EXPECT_EQ(t->table.ColCount, 2);
    EXPECT_EQ(t->table.RowCount, 3);
    // A quote inside an unquoted field opens nothing.
    t = ReadCsv("size;name\n5\" screen;a,b\n7;c,d\n");
    EXPECT_EQ(Texts(t->table), (QStringList{"size", "name", "5\" screen", "a,b", "7", "c,d"}));
    // The clipboard's tab-separated text is read with tabs even when commas split it evenly.
    t = ReadCsv("a,b\tc,d\n", QChar(u'\t'));
    EXPECT_EQ(Texts(t->table), (QStringList{"a,b", "c,d"}));
}

TEST(CsvRead, EncodingsEscapingAndRefusals)
{
    // Fields are the cells' source; read as plain text, HTML's characters are escaped and every
    // line end becomes a line break of the cell.
    auto t = ReadCsv("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e,<b>&amp;</b>\n");
    EXPECT_EQ(Texts(t->table), (QStringList{QString::fromUtf8("Grüße"), "<b>&amp;</b>"}));
    EXPECT_TRUE(t->result.report.IsEmpty());
    t = ReadCsv("a<b,\"x\ny\rz\"\n", QChar(), Csv::Fields::PlainText);
    EXPECT_EQ(Texts(t->table), (QStringList{"a&lt;b", "x\r\ny\r\nz"}));
    // UTF-16 in either byte order, as its byte-order mark says.
    const QString sample = QString::fromUtf8("Name,Grüße €\r\nx,\U0001F600\r\n");
    QByteArray le("\xFF\xFE"), be("\xFE\xFF");
    for (const QChar ch : sample) {
        le += char(ch.unicode() & 0xFF);
        le += char(ch.unicode() >> 8);
        be += char(ch.unicode() >> 8);
        be += char(ch.unicode() & 0xFF);
    }
    for (const QByteArray& utf16 : {le, be}) {
        t = ReadCsv(utf16);
        EXPECT_EQ(Texts(t->table), (QStringList{"Name", QString::fromUtf8("Grüße €"), "x", QString::fromUtf8("\U0001F600")}));
        EXPECT_TRUE(t->result.report.IsEmpty()) << Notes(t->result.report).toStdString();
    }
    // A NUL would end the cell's text in the document: replaced, and said.
    t = ReadCsv(QByteArray("before\0after,b\n", 15));
    EXPECT_EQ(Texts(t->table), (QStringList{QString::fromUtf8("before\uFFFDafter"), "b"}));
    EXPECT_NE(Notes(t->result.report).indexOf("1 NUL character"), -1) << Notes(t->result.report).toStdString();
    t = ReadCsv("caf\xE9,\x80 5\n");  // not UTF-8: Windows-1252
    EXPECT_EQ(Texts(t->table), (QStringList{QString::fromUtf8("café"), QString::fromUtf8("€ 5")}));
    EXPECT_NE(Notes(t->result.report).indexOf("Windows-1252"), -1);
    t = ReadCsv("a,\"open\nrest");
    EXPECT_EQ(Texts(t->table), (QStringList{"a", "open\nrest"}));
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

    // Merged: the text in the top-left slot, covered slots empty; markup as it stands.
    t.SetCellText(0, 0, "one<br>two\r\nthree");
    ASSERT_TRUE(t.MergeCells(0, 0, 1, 1));
    const QByteArray out = Csv::Export(t);
    EXPECT_TRUE(out.startsWith("\xEF\xBB\xBF\"one<br>two\r\nthree\",,\"say \"\"x\"\"\"\r\n,,"));
    EXPECT_TRUE(out.endsWith("\r\n"));
    EXPECT_EQ(out.count("\r\n"), 5);  // two inside fields, one per record

    // A one-column table keeps its empty last row.
    TableCore single;
    single.ResetTable();
    single.SetColCount(1);
    single.SetRowCount(2);
    single.SetCellText(0, 0, "x");
    EXPECT_EQ(ReadCsv(Csv::Export(single))->table.RowCount, 2);
}

// Export then import gives back every text as it was: markup, entities, each kind of line
// end, quotes, separators and blanks, in seeded random tables with merged cells.
TEST(CsvRoundTrip, FiveHundredRandomTablesKeepTheirTexts)
{
    const char* const pieces[] = {"word", "Tom &amp; Jerry", "<b>bold</b>", "x < y", "\r\n", "\n", "\r",
                                  "\"", ",", ";", "\t", " ", "  ", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC",
                                  "\xF0\x9F\x98\x80", "<br>", "&lt;td&gt;", "'", "=1+2"};
    for (quint32 seed = 1; seed <= 500; ++seed) {
        QRandomGenerator rng(seed);
        auto pick = [&](int low, int high) { return low + int(rng.bounded(quint32(high - low + 1))); };
        TableCore t;
        t.ResetTable();
        t.SetColCount(pick(1, 12));
        t.SetRowCount(pick(1, 12));
        for (int n = pick(0, 3); n > 0; --n)
            t.MergeCells(pick(0, t.ColCount - 1), pick(0, t.RowCount - 1), pick(0, 2), pick(0, 2));
        QStringList expected;
        for (int r = 0; r < t.RowCount; ++r)
            for (int c = 0; c < t.ColCount; ++c) {
                QByteArray text;
                for (int n = pick(0, 4); n > 0; --n) text += pieces[pick(0, int(std::size(pieces)) - 1)];
                const bool visible = t.IsVisibleCell(c, r);
                if (visible) t.SetCellText(c, r, QString::fromUtf8(text));
                expected << (visible ? QString::fromUtf8(text) : QString());
            }
        // As the document holds them: a text of one blank is stored as no text.
        for (QString& text : expected)
            if (text == QLatin1String(" ")) text.clear();
        const auto back = ReadCsv(Csv::Export(t));
        ASSERT_TRUE(back->result.imported) << "seed " << seed;
        ASSERT_EQ(back->table.ColCount, t.ColCount) << "seed " << seed;
        ASSERT_EQ(back->table.RowCount, t.RowCount) << "seed " << seed;
        ASSERT_EQ(FirstDifference(Texts(back->table), expected), "") << "seed " << seed;
        EXPECT_TRUE(back->result.report.IsEmpty()) << "seed " << seed << ": " << Notes(back->result.report).toStdString();
    }
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

// A copied page table's header cells land as header cells; the table keeps its own caption and
// column widths, whatever the pasted table had.
TEST(TablePaste, HeaderCellsComeAlongButNotTheCaptionOrWidths)
{
    const HtmlImportResult copied = ClipboardTable(
        "<table><caption>copied</caption><col width=80><col width=\"40%\">"
        "<thead><tr><th colspan=2>head</th></tr></thead><tr><th>row</th><td>cell</td></tr></table>", QString());
    ASSERT_TRUE(copied.imported) << copied.error.toStdString();
    TableCore t;
    t.ResetTable();
    t.SetColCount(3);
    t.SetRowCount(3);
    t.SetCaption("mine");
    t.SetColWidth(2, {120, TSizeSpec::Pixels});
    const PasteResult result = PasteTable(t, copied.document, 1, 1);
    ASSERT_TRUE(result.pasted) << result.error.toStdString();
    EXPECT_EQ(invariants::Check(t), "");
    EXPECT_TRUE(t.Cell(1, 1).Header);
    EXPECT_EQ(t.Cell(1, 1).ExtraCols, 1);
    EXPECT_TRUE(t.Cell(1, 2).Header);
    EXPECT_FALSE(t.Cell(2, 2).Header);
    EXPECT_FALSE(t.Cell(0, 0).Header || t.Cell(0, 1).Header);
    EXPECT_EQ(t.Caption, "mine");
    EXPECT_EQ(t.ColWidths[1], TSizeSpec{});
    EXPECT_EQ(t.ColWidths[2], (TSizeSpec{120, TSizeSpec::Pixels}));
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
