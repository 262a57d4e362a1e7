// Importing the page this program writes gives back the document it was written from: every
// field of every cell, the spans and the table's properties, for seeded random documents in
// both the upper- and the lower-case page. Then the few things the page cannot tell apart,
// each stated with what comes back.

#include "ImportHelpers.h"
#include "formats/export/AnchoredLines.h"
#include "formats/export/Export.h"
#include "formats/export/HtmlPage.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Pieces of cell text: markup, entities, characters outside ASCII, line breaks, blanks.
const char* const kPieces[] = {
    "word", "Grüße €", "x < y", "&amp;", " ", "\xF0\x9F\x98\x80", "\r\n", "<a href=\"u\">link</a>",
    "<u>under</u>", "<b>bold</b>", "<span style=\"color:red\">s</span>", "&lt;td&gt;", "\n", "\t",
    "&nbsp;", "<!-- note -->", "  two  ",
};
// Faces as the font box gives them, with one that needs escaping in the attribute, and one
// that is no face at all. The last two are no font a browser would take, so the HTML5 page,
// whose CSS says only what a browser uses, leaves them out (kHtml5Faces).
const char* const kFaces[] = {"Tahoma", "Arial", "Times New Roman", "Courier New", "Zapf Dingbats É",
                              "A&B \"Q\" <X>", ""};
constexpr int kHtml5Faces = 5;

bool EveryLineAnchored(const TableCore& t)
{
    const AnchoredLines lines(t);
    for (int c = 0; c < t.ColCount; ++c)
        if (!lines.col(c)) return false;
    for (int r = 0; r < t.RowCount; ++r)
        if (!lines.row(r)) return false;
    return true;
}

struct Generator {
    QRandomGenerator rng;
    // The HTML5 page writes the face and size a browser draws: no face a browser would not
    // take, and the relative sizes (-1, 0) as the absolute ones they come to.
    bool html5 = false;
    explicit Generator(quint32 seed, bool forHtml5 = false) : rng(seed), html5(forHtml5) {}
    int Int(int low, int high) { return low + int(rng.bounded(quint32(high - low + 1))); }
    TColor Color() { return TColor(rng.bounded(0x1000000u)); }
    TSizeSpec Size()
    {
        switch (Int(0, 2)) {
        case 1: return {Int(1, 100), TSizeSpec::Percent};
        case 2: return {Int(20, 10000), TSizeSpec::Pixels};
        default: return {};
        }
    }

    // A text the page can carry; never one that a formatting element wraps whole, never the
    // page's own "&nbsp;" for an empty cell (both stated below).
    QString Text()
    {
        QByteArray text;
        for (int n = Int(0, 4); n > 0; --n) text += kPieces[Int(0, int(std::size(kPieces)) - 1)];
        if (text == "<b>bold</b>" || text == "<span style=\"color:red\">s</span>" || text == "&nbsp;") text += "x";
        // A line end of the source right after a line break is taken for the page's layout.
        static const QRegularExpression lineEndAfterBreak(QStringLiteral("\r\n[ \t]*\n"));
        return QString::fromUtf8(text).replace(lineEndAfterBreak, QStringLiteral("\r\nx\n"));
    }

    void Cell(TCell& cell)
    {
        cell.Text = Text();
        cell.FontName = kFaces[Int(0, html5 ? kHtml5Faces - 1 : int(std::size(kFaces)) - 1)];
        cell.FontSize = Int(html5 ? 1 : -1, 7);
        cell.Bold = Int(0, 1);
        cell.Italic = Int(0, 1);
        cell.FontColor = Color();
        cell.BgColor = Color();
        cell.HAlign = Int(0, 2);
        cell.VAlign = Int(0, 2);
    }

    // Tables up to 10 x 10, one in fifty up to 40 x 40, with merged areas made by the editor's
    // own merge, and table properties from the ranges of the Table Properties dialog.
    void Document(TableCore& t)
    {
        const int limit = Int(0, 49) == 0 ? 40 : 10;
        t.ResetTable();
        t.SetColCount(Int(1, limit));
        t.SetRowCount(Int(1, limit));
        t.TableWidth = Size();
        t.TableHeight = Size();
        t.SetTableBorderWidth(Int(0, 32));
        t.SetTableBorderColor(Color());
        t.CellsBorderWidth = Int(0, 32);
        t.CellsBorderColor = Color();
        t.CellsTextMargin = Int(0, 32);
        for (int n = Int(0, 4); n > 0; --n)
            t.MergeCells(Int(0, t.ColCount - 1), Int(0, t.RowCount - 1), Int(0, 3), Int(0, 3));
        // The HTML5 table holds no row or column that merged cells cover whole.
        if (html5 && !EveryLineAnchored(t))
            for (int c = 0; c < t.ColCount; ++c)
                for (int r = 0; r < t.RowCount; ++r) t.SplitCell(c, r);
        for (int c = 0; c < t.ColCount; ++c)
            for (int r = 0; r < t.RowCount; ++r)
                if (t.Cell(c, r).Visible) Cell(t.Cell(c, r));
    }

    // Header rows, columns and cells, a caption and column widths, as version 2 holds them.
    void Structure(TableCore& t)
    {
        if (Int(0, 2) == 0) t.SetHeaderRows(0, Int(0, 2), true);
        if (Int(0, 2) == 0) t.SetHeaderColumns(0, Int(0, 1), true);
        for (int n = Int(0, 3); n > 0; --n) {
            TCell& cell = t.Cell(Int(0, t.ColCount - 1), Int(0, t.RowCount - 1));
            if (cell.Visible) cell.Header = !cell.Header;
        }
        if (Int(0, 1) == 0) t.SetCaption(Text());
        for (int c = 0; c < t.ColCount; ++c) {
            // A page gives a column its width through the cells that span it alone.
            bool alone = false;
            for (int r = 0; r < t.RowCount; ++r) alone = alone || (t.Cell(c, r).Visible && t.Cell(c, r).ExtraCols == 0);
            if (!alone) continue;
            switch (Int(0, 3)) {
            case 1: t.SetColWidth(c, {Int(1, 100), TSizeSpec::Percent}); break;
            case 2: t.SetColWidth(c, {Int(1, 2000), TSizeSpec::Pixels}); break;
            default: break;
            }
        }
    }
};

// Lower-case pages lower the face names (A to Z only), which is what comes back.
void LowerFaces(TableCore& t)
{
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            if (!t.Cell(c, r).Visible) continue;
            QByteArray& name = t.Cell(c, r).FontName;
            for (char& ch : name)
                if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
        }
}

}  // namespace

TEST(ImportRoundTrip, FiveHundredRandomDocumentsComeBackExactly)
{
    for (quint32 seed = 1; seed <= 500; ++seed) {
        TableCore original;
        Generator(seed).Document(original);
        for (const bool lower : {false, true}) {
            original.TagsLowerCase = lower;
            const ImportedTable back = ImportPage(HTMLPage(original, "Round trip"));
            ASSERT_EQ(back.problem, "") << "seed " << seed;
            EXPECT_TRUE(back.result.report.IsEmpty())
                << "seed " << seed << ": " << DescribeNote(back.result.report.Notes().front()).toStdString();
            TableCore expected;
            ASSERT_TRUE(expected.LoadFromBytes(original.SaveToBytes()));
            if (lower) LowerFaces(expected);
            ASSERT_EQ(FirstDifference(expected, *back.table), "") << "seed " << seed << (lower ? ", lower case" : "");
            ASSERT_EQ(back.table->SaveToBytes(), expected.SaveToBytes()) << "seed " << seed;
        }
    }
}

// The HTML5 page comes back as the document too, and a second round gives the same again.
TEST(ImportRoundTrip, FiveHundredRandomDocumentsComeBackFromTheHtml5Page)
{
    for (quint32 seed = 1; seed <= 500; ++seed) {
        TableCore original;
        Generator(seed, true).Document(original);
        TableCore expected;
        ASSERT_TRUE(expected.LoadFromBytes(original.SaveToBytes()));
        QByteArray document = expected.SaveToBytes();
        for (int round = 1; round <= 2; ++round) {
            TableCore written;
            ASSERT_TRUE(written.LoadFromBytes(document));
            const ImportedTable back = ImportPage(ExportTable(written, ExportFormat::Html5Page, {}).data);
            ASSERT_EQ(back.problem, "") << "seed " << seed;
            EXPECT_TRUE(back.result.report.IsEmpty())
                << "seed " << seed << ": " << DescribeNote(back.result.report.Notes().front()).toStdString();
            ASSERT_EQ(FirstDifference(expected, *back.table), "") << "seed " << seed << ", round " << round << "\n"
                << ExportTable(written, ExportFormat::Html5Page, {}).data.toStdString();
            document = back.table->SaveToBytes();
        }
    }
}

// Header cells, the caption and the column widths come back from both pages, in both cases.
TEST(ImportRoundTrip, FiveHundredRandomVersion2DocumentsComeBackFromBothPages)
{
    int version2 = 0;
    for (quint32 seed = 1; seed <= 500; ++seed) {
        for (const bool html5 : {false, true}) {
            TableCore original;
            Generator generator(seed + 7000, html5);
            generator.Document(original);
            generator.Structure(original);
            original.TagsLowerCase = seed % 2 == 0;
            if (!original.UsesExtension()) continue;
            version2 += html5;
            const QByteArray page = html5 ? ExportTable(original, ExportFormat::Html5Page, {}).data
                                          : HTMLPage(original, "Round trip");
            const ImportedTable back = ImportPage(page);
            ASSERT_EQ(back.problem, "") << "seed " << seed;
            EXPECT_TRUE(back.result.report.IsEmpty())
                << "seed " << seed << ": " << DescribeNote(back.result.report.Notes().front()).toStdString();
            TableCore expected;
            ASSERT_TRUE(expected.LoadFromBytes(original.SaveToBytes()));
            if (original.TagsLowerCase && !html5) LowerFaces(expected);
            ASSERT_EQ(FirstDifference(expected, *back.table), "")
                << "seed " << seed << (html5 ? ", HTML5" : ", classic") << "\n" << page.toStdString();
            ASSERT_EQ(back.table->SaveToBytes(), expected.SaveToBytes()) << "seed " << seed;
        }
    }
    EXPECT_GT(version2, 400) << "most documents use version 2";
}

// A cell that holds only a table is that cell, not a frame around the table.
TEST(ImportRoundTrip, ACellHoldingOnlyATableComesBackAsThatCell)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(1);
    t.SetRowCount(1);
    t.SetCellText(0, 0, "<table><tr><td>inner</td><td>two</td></tr></table>");
    for (int round = 0; round < 2; ++round) {
        const ImportedTable back = ImportPage(ExportTable(t, ExportFormat::Html5Page, {}).data);
        ASSERT_EQ(back.problem, "");
        EXPECT_EQ(FirstDifference(t, *back.table), "") << "round " << round;
    }
}

// Header cells, the caption and widths as each page writes them: the classic page puts WIDTH
// (the text area) on the cells of a column and the caption on the frame, the HTML5 page a col
// width of the whole column (the text area and the padding on both sides). Both come back as
// the same document.
TEST(ImportRoundTrip, HeaderCellsCaptionAndWidthsFromEitherPage)
{
    const QByteArray classic =
        "<HTML><BODY><TABLE BORDER=\"0\" CELLSPACING=\"1\" CELLPADDING=\"0\" BGCOLOR=\"#808080\">\n"
        "<CAPTION>Prices <B>2024</B></CAPTION>\n<TR><TD>\n"
        "<TABLE WIDTH=\"100%\" HEIGHT=\"100%\" BORDER=\"0\" CELLSPACING=\"1\" CELLPADDING=\"6\" BGCOLOR=\"#C0C0C0\">\n"
        "<TR><TH SCOPE=\"COL\" WIDTH=\"120\">Item</TH><TH SCOPE=\"COL\" WIDTH=\"25%\">Price</TH><TH SCOPE=\"COL\">Note</TH></TR>\n"
        "<TR><TH SCOPE=\"ROW\" WIDTH=\"120\">Bolt</TH><TD WIDTH=\"25%\">1</TD><TD>x</TD></TR>\n"
        "</TABLE>\n</TD></TR></TABLE></BODY></HTML>";
    const QByteArray cell = " style=\"padding:6px\"";
    const QByteArray html5 =
        "<!DOCTYPE html><html><body><table style=\"border-spacing:1px\"><caption>Prices <b>2024</b></caption>\n"
        "<colgroup><col style=\"width:132px\"><col style=\"width:25%\"><col></colgroup>\n"
        "<thead><tr><th scope=\"col\"" + cell + "><span>Item</span></th><th scope=\"col\"" + cell + ">Price</th>"
        "<th scope=\"col\"" + cell + ">Note</th></tr></thead>\n"
        "<tbody><tr><th scope=\"row\"" + cell + ">Bolt</th><td" + cell + ">1</td><td" + cell + ">x</td></tr></tbody>\n"
        "</table></body></html>";
    for (const QByteArray& page : {classic, html5}) {
        const ImportedTable back = ImportPage(page);
        ASSERT_EQ(back.problem, "");
        const TableCore& t = *back.table;
        const char* which = page == classic ? "classic" : "HTML5";
        EXPECT_TRUE(back.result.report.IsEmpty()) << which << ": " << DescribeNote(back.result.report.Notes().front()).toStdString();
        EXPECT_EQ(t.CellsTextMargin, 6) << which;
        EXPECT_EQ(t.Caption, page == classic ? "Prices <B>2024</B>" : "Prices <b>2024</b>") << which;
        EXPECT_EQ(t.ColWidths[0], (TSizeSpec{120, TSizeSpec::Pixels})) << which;
        EXPECT_EQ(t.ColWidths[1], (TSizeSpec{25, TSizeSpec::Percent})) << which;
        EXPECT_EQ(t.ColWidths[2], TSizeSpec{}) << which;
        EXPECT_TRUE(t.IsHeaderRow(0) && t.IsHeaderColumn(0)) << which;
        EXPECT_FALSE(t.Cell(1, 1).Header || t.Cell(2, 1).Header) << which;
    }
}

// ---- What the page cannot tell apart -------------------------------------------------------

namespace {

// A 1 x 1 document whose cell `change` edits; the test then edits the expectation.
struct OneCell {
    TableCore written, expected;
    explicit OneCell(const std::function<void(TCell&)>& change)
    {
        written.ResetTable();
        written.SetColCount(1);
        written.SetRowCount(1);
        change(written.Cell(0, 0));
        expected.LoadFromBytes(written.SaveToBytes());
    }
    std::string Back(bool lower = false)
    {
        written.TagsLowerCase = lower;
        const ImportedTable back = ImportPage(HTMLPage(written, "t"));
        if (!back.problem.empty()) return back.problem;
        return FirstDifference(expected, *back.table);
    }
};

}  // namespace

TEST(ImportRoundTrip, EmptyTextAndNbspBothComeBackEmpty)
{
    OneCell nbsp([](TCell& c) { c.Text = "&nbsp;"; });
    nbsp.expected.Cell(0, 0).Text.clear();
    EXPECT_EQ(nbsp.Back(), "");
}

// The page's source breaks lines too, where a browser sees only white space: those line ends
// stay white space (LF), and one right after a <br> goes with the break, as the page shows it.
TEST(ImportRoundTrip, SourceLineEndsAreWhiteSpaceNotLineBreaks)
{
    OneCell source([](TCell& c) { c.Text = "x\r\n\ny"; });  // written as x<br>LF y
    source.expected.Cell(0, 0).Text = "x\r\ny";
    EXPECT_EQ(source.Back(), "");
    for (const char* page : {"<table><tr><td>first line\r\nsame paragraph</td></tr></table>",
                             "<table><tr><td>first line\rsame paragraph</td></tr></table>"}) {
        const ImportedTable back = ImportPage(page);
        ASSERT_EQ(back.problem, "");
        EXPECT_EQ(back.table->Cell(0, 0).Text, "first line\nsame paragraph") << page;
    }
    const ImportedTable breaks = ImportPage("<table><tr><td>one<br>\r\ntwo<BR>  \r\n  three<br>four</td></tr></table>");
    ASSERT_EQ(breaks.problem, "");
    EXPECT_EQ(breaks.table->Cell(0, 0).Text, "one\r\ntwo\r\n  three\r\nfour");
}

TEST(ImportRoundTrip, TypedLineBreakTagsComeBackAsCrLf)
{
    for (const char* typed : {"a<br>b", "a<BR>b", "a<br/>b"}) {
        OneCell cell([typed](TCell& c) { c.Text = typed; });
        cell.expected.Cell(0, 0).Text = "a\r\nb";
        EXPECT_EQ(cell.Back(), "") << typed;
    }
}

TEST(ImportRoundTrip, TextWhollyWrappedInFormattingComesBackAsFields)
{
    struct Case {
        const char* text;
        std::function<void(TCell&)> fields;
    } cases[] = {
        {"<b>x</b>", [](TCell& c) { c.Bold = true; }},
        {"<I>x</I>", [](TCell& c) { c.Italic = true; }},
        {"<font color=\"#FF0000\">x</font>", [](TCell& c) { c.FontColor = 0x0000FF; }},
        {"<span style=\"font-size: 24px\">x</span>", [](TCell& c) { c.FontSize = 5; }},
        {"<strong><em>x</em></strong>", [](TCell& c) { c.Bold = c.Italic = true; }},
    };
    for (const Case& k : cases) {
        OneCell cell([&k](TCell& c) { c.Text = k.text; });
        cell.expected.Cell(0, 0).Text = "x";
        k.fields(cell.expected.Cell(0, 0));
        EXPECT_EQ(cell.Back(), "") << k.text;
    }
    // Set in the fields as well: the same.
    OneCell both([](TCell& c) { c.Text = "<b>x</b>"; c.Bold = true; });
    both.expected.Cell(0, 0).Text = "x";
    EXPECT_EQ(both.Back(), "");
}

TEST(ImportRoundTrip, ValuesTheCommandsCannotSetComeBackAsThePageShowsThem)
{
    OneCell align([](TCell& c) { c.HAlign = 7; c.VAlign = 9; });
    align.expected.Cell(0, 0).HAlign = 0;  // written as LEFT and TOP
    align.expected.Cell(0, 0).VAlign = 0;
    EXPECT_EQ(align.Back(), "");

    OneCell sizes([](TCell& c) { c.FontSize = 12; });
    sizes.expected.Cell(0, 0).FontSize = 7;
    EXPECT_EQ(sizes.Back(), "");
    OneCell small([](TCell& c) { c.FontSize = -2; });
    small.expected.Cell(0, 0).FontSize = 1;  // SIZE="-2" is 3 - 2
    EXPECT_EQ(small.Back(), "");

    OneCell system([](TCell& c) { c.BgColor = TColor(0x80000005); });
    system.expected.Cell(0, 0).BgColor = 0xFFFFFF;  // the colour it resolves to
    EXPECT_EQ(system.Back(), "");

    OneCell width([](TCell&) {});
    width.written.TableWidth = {600, TSizeSpec::Default};  // a default width writes no value
    width.expected.TableWidth = {};
    EXPECT_EQ(width.Back(), "");

    OneCell spacing([](TCell&) {});
    spacing.written.CellsBorderWidth = -3;  // a page's negative spacing counts as none given
    spacing.expected.CellsBorderWidth = 2;
    EXPECT_EQ(spacing.Back(), "");
}

TEST(ImportRoundTrip, FaceNamesComeBackLoweredFromALowerCasePage)
{
    OneCell face([](TCell& c) { c.FontName = "Courier New"; });
    face.expected.Cell(0, 0).FontName = "courier new";
    EXPECT_EQ(face.Back(true), "");
}

TEST(ImportRoundTrip, CharactersThePageCannotCarry)
{
    OneCell surrogate([](TCell& c) { c.Text = QString(QChar(0xD800)) + "x"; });
    surrogate.expected.Cell(0, 0).Text = QString(QChar(0xFFFD)) + "x";
    EXPECT_EQ(surrogate.Back(), "");
    // A code unit 0 would end the text in the document: the import keeps what follows it.
    OneCell nul([](TCell& c) { c.Text = QString("a") + QChar(0) + "b"; });
    nul.expected.Cell(0, 0).Text = QString("a") + QChar(0xFFFD) + "b";
    EXPECT_EQ(nul.Back(), "");
}

TEST(ImportRoundTrip, MarkupThatClosesWhatItDidNotOpenBreaksOutOfTheCellsFormat)
{
    // "</FONT>" ends the writer's <FONT> early: the cell keeps the writer's markup as text
    // and shows what a browser shows, a cell without font attributes.
    OneCell early([](TCell& c) { c.Text = "x</FONT>y"; });
    TCell& e = early.expected.Cell(0, 0);
    e.Text = "<FONT FACE=\"Tahoma\" SIZE=\"3\" COLOR=\"#000000\">x</FONT>y</FONT>";
    e.VAlign = 0;
    EXPECT_EQ(early.Back(), "");
    // A bold cell whose text leaves a <b> open: the writer's </B> closes the typed one.
    OneCell open([](TCell& c) { c.Text = "<b>x"; c.Bold = true; });
    open.expected.Cell(0, 0).Bold = false;
    open.expected.Cell(0, 0).Text = "<B><b>x</B>";
    EXPECT_EQ(open.Back(), "");
}

TEST(ImportRoundTrip, TablesWithoutRowsHaveNoColumnsOnThePage)
{
    OneCell noRows([](TCell&) {});
    noRows.written.SetColCount(3);
    noRows.written.SetRowCount(0);
    noRows.expected.LoadFromBytes(noRows.written.SaveToBytes());
    noRows.expected.SetColCount(0);
    EXPECT_EQ(noRows.Back(), "");
    OneCell noCols([](TCell&) {});
    noCols.written.SetColCount(0);
    noCols.written.SetRowCount(2);
    noCols.expected.LoadFromBytes(noCols.written.SaveToBytes());
    EXPECT_EQ(noCols.Back(), "") << "columns come back from the cells, rows from the rows";
}
