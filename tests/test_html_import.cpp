// The import of pages other tools write: where cells land by the HTML table model, the
// formatting read from attributes, style and wrappers, the table's properties, the report of
// what was not kept, the page's encoding, and the list of a page's tables.

#include "ImportHelpers.h"
#include "formats/import/HtmlValues.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QByteArray Page(const QByteArray& body)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>" + body + "</body></html>";
}

// The table's positions row by row, "|" between rows: each position shows its anchor's text
// (one character each), "." for a position without a cell.
std::string Layout(const TableCore& t)
{
    std::string out;
    for (int r = 0; r < t.RowCount; ++r) {
        if (r) out += '|';
        for (int c = 0; c < t.ColCount; ++c) {
            char shown = '?';
            for (int ac = 0; ac <= c; ++ac)
                for (int ar = 0; ar <= r; ++ar) {
                    const TCell& a = t.Cell(ac, ar);
                    if (a.Visible && ac + a.ExtraCols >= c && ar + a.ExtraRows >= r)
                        shown = a.Text.isEmpty() ? '.' : char(a.Text[0].unicode());
                }
            out += shown;
        }
    }
    return out;
}

// The report as "place: what: why" lines.
std::vector<std::string> Notes(const HtmlImportResult& r)
{
    std::vector<std::string> out;
    for (const ImportNote& note : r.report.Notes()) out.push_back(DescribeNote(note).toStdString());
    return out;
}

// Every note, one a line, to show with a failure.
std::string AllNotes(const HtmlImportResult& r)
{
    std::string out;
    for (const std::string& note : Notes(r)) out += note + "\n";
    return out;
}

bool HasNote(const HtmlImportResult& r, const std::string& part)
{
    for (const std::string& note : Notes(r))
        if (note.find(part) != std::string::npos) return true;
    return false;
}

struct Import : ::testing::Test {
    ImportedTable in;
    const TableCore& Load(const QByteArray& body, int index = 0, ImportMarkup markup = ImportMarkup::AsWritten)
    {
        in = ImportPage(Page(body), index, markup);
        EXPECT_EQ(in.problem, "");
        return *in.table;
    }
    const TCell& Cell(int c, int r) const { return in.table->Cell(c, r); }
};

}  // namespace

// ---- Where cells land ----------------------------------------------------------------------

TEST_F(Import, SpansFollowTheTableModel)
{
    // a a b
    // c d b
    Load("<table><tr><td colspan=2>a<td rowspan=2>b<tr><td>c<td>d</table>");
    EXPECT_EQ(Layout(*in.table), "aab|cdb");
    EXPECT_TRUE(in.result.report.IsEmpty());

    // colspan 0 counts as 1, "3x" as 3, a negative rowspan as 1.
    Load("<table><tr><td colspan=0>a<td colspan=3x>b<tr><td rowspan=-1>c</table>");
    EXPECT_EQ(Layout(*in.table), "abbb|c...");
}

TEST_F(Import, RowspanZeroAndLongRowspansEndWithTheirRowGroup)
{
    Load("<table><tbody><tr><td rowspan=0>a<td>b<tr><td>c</tbody>"
         "<tbody><tr><td rowspan=5>d<td>e<tr><td>f</tbody></table>");
    EXPECT_EQ(Layout(*in.table), "ab|ac|de|df");
    EXPECT_TRUE(HasNote(in.result, "cell (1, 3): rowspan: reached past the last row of its group"));
}

TEST_F(Import, OverlappingSpansLeaveTheEarlierCellWhole)
{
    // The second row's colspan runs into b's rowspan: b keeps its place, c is cut to 1 x 1.
    Load("<table><tr><td>a<td rowspan=2>b<tr><td colspan=2>c</table>");
    EXPECT_EQ(Layout(*in.table), "ab|cb");
    EXPECT_TRUE(HasNote(in.result, "cell (1, 2): colspan, rowspan: ran into an earlier cell; cut to 1 x 1"));
}

TEST_F(Import, FootersGoLastAndTheCaptionIsNoRow)
{
    Load("<table><caption>t</caption><thead><tr><td>h<td>h</thead><tfoot><tr><td>f<td>f</tfoot>"
         "<tbody><tr><td>b<td>b</tbody></table>");
    EXPECT_EQ(Layout(*in.table), "hh|bb|ff");
    EXPECT_EQ(in.table->Caption, "t");
    EXPECT_FALSE(HasNote(in.result, "caption"));
    EXPECT_FALSE(HasNote(in.result, "<thead>"));
    EXPECT_TRUE(HasNote(in.result, "table: footer rows (<tfoot>): kept as ordinary rows, after the others"));
    // A caption of a table without cells is no column.
    Load("<table><caption>only</caption></table>");
    EXPECT_EQ(in.table->ColCount, 0);
    EXPECT_EQ(in.table->Caption, "only");
}

TEST_F(Import, MalformedMarkupReadsAsBrowsersReadIt)
{
    // Unclosed cells and rows, text between rows (moved before the table), a short row.
    Load("<table><tr><td>a<td>b\n<tr>stray<td>c</table>");
    EXPECT_EQ(Layout(*in.table), "ab|c.");
    EXPECT_EQ(Cell(1, 0).Text, "b") << "blanks around a cell's content are the page's layout";
    EXPECT_TRUE(HasNote(in.result, "table: 1 position without a cell: filled with empty cells"));
}

TEST_F(Import, MoreThan127ColumnsOrRowsKeepTheFirst127)
{
    const QByteArray row = "<tr>" + QByteArray("<td>x").repeated(130);
    Load("<table>" + row + row.repeated(129) + "</table>");
    EXPECT_EQ(in.table->ColCount, 127);
    EXPECT_EQ(in.table->RowCount, 127);
    EXPECT_TRUE(HasNote(in.result, "table: rows 128 to 130: a table holds at most 127 rows"));
    EXPECT_TRUE(HasNote(in.result, "table: columns 128 to 130: a table holds at most 127 columns"));
    // Rows left out widen nothing: a long row 128 adds no columns.
    Load("<table>" + QByteArray("<tr><td>a<td>b").repeated(127) + "<tr>" + QByteArray("<td>x").repeated(10) + "</table>");
    EXPECT_EQ(in.table->ColCount, 2);
    EXPECT_TRUE(HasNote(in.result, "table: rows 128 to 128"));
    EXPECT_FALSE(HasNote(in.result, "position")) << "no filler cells";
    // A span across the edge is cut there.
    Load("<table><tr><td colspan=200 rowspan=200>a</table>");
    EXPECT_EQ(Cell(0, 0).ExtraCols, 126);
    EXPECT_EQ(Cell(0, 0).ExtraRows, 0) << "a rowspan ends with its group";
}

// ---- Formatting ------------------------------------------------------------------------------

TEST_F(Import, StyleWinsOverAttributesAndCellsInheritFromRowsAndTable)
{
    Load("<table style=\"color: #00f; font-family: 'Courier New', monospace\" bgcolor=silver>"
         "<tbody valign=bottom><tr bgcolor=\"#ff0000\" align=right>"
         "<td bgcolor=yellow style=\"background-color: rgb(0, 128, 0)\">a<td>b<td style=\"text-align:center\">c"
         "</table>");
    EXPECT_EQ(Cell(0, 0).BgColor, 0x008000);
    EXPECT_EQ(Cell(1, 0).BgColor, 0x0000FF) << "a row's background shows in its cells";
    EXPECT_EQ(Cell(1, 0).FontColor, 0xFF0000);
    EXPECT_EQ(Cell(1, 0).FontName, "Courier New");
    EXPECT_EQ(Cell(1, 0).HAlign, 2);
    EXPECT_EQ(Cell(1, 0).VAlign, 2);
    EXPECT_EQ(Cell(2, 0).HAlign, 1);
    EXPECT_EQ(in.table->CellsBorderColor, 0xC0C0C0) << "the spacing shows the table's background";
}

TEST_F(Import, CellsWithoutFormattingLookAsInABrowser)
{
    Load("<table><tr><th>h<td>d<tr align=left><th>l</table>");
    EXPECT_TRUE(Cell(0, 0).Bold);
    EXPECT_EQ(Cell(0, 0).HAlign, 1);
    EXPECT_FALSE(Cell(1, 0).Bold);
    EXPECT_EQ(Cell(1, 0).HAlign, 0);
    EXPECT_EQ(Cell(1, 0).VAlign, 1);
    EXPECT_EQ(Cell(1, 0).FontName, "Tahoma") << "the editor's face where the page names none";
    EXPECT_EQ(Cell(0, 1).HAlign, 0) << "a row's alignment reaches header cells too";
    EXPECT_TRUE(Cell(0, 0).Header && Cell(0, 1).Header);
    EXPECT_FALSE(Cell(1, 0).Header);
    EXPECT_FALSE(HasNote(in.result, "<th>")) << "nothing of a header cell is lost";
}

TEST_F(Import, WrappersAroundTheWholeContentBecomeFields)
{
    Load("<table><tr>"
         "<td> <b><font color=red size=+1 face=Georgia><i>x <u>y</u></i></font></b> "
         "<td><span style=\"font-weight: 700; font-size: 10pt; color: hsl(120, 100%, 25%)\">z</span>"
         "<td><span class=note>kept</span>"
         "<td><b>half</b> of it"
         "<td><div align=right><p style=\"text-align: center\">p</p></div>"
         "</table>");
    EXPECT_EQ(Cell(0, 0).Text, "x <u>y</u>");
    EXPECT_TRUE(Cell(0, 0).Bold && Cell(0, 0).Italic);
    EXPECT_EQ(Cell(0, 0).FontColor, 0x0000FF);
    EXPECT_EQ(Cell(0, 0).FontSize, 4);
    EXPECT_EQ(Cell(0, 0).FontName, "Georgia");
    EXPECT_EQ(Cell(1, 0).Text, "z");
    EXPECT_TRUE(Cell(1, 0).Bold);
    EXPECT_EQ(Cell(1, 0).FontSize, 2);
    EXPECT_EQ(Cell(1, 0).FontColor, 0x008000);
    EXPECT_EQ(Cell(2, 0).Text, "<span class=note>kept</span>") << "a class is no field: the wrapper stays";
    EXPECT_EQ(Cell(3, 0).Text, "<b>half</b> of it");
    EXPECT_EQ(Cell(4, 0).Text, "p");
    EXPECT_EQ(Cell(4, 0).HAlign, 1) << "the inner wrapper wins";
}

TEST_F(Import, TablePropertiesFromAttributesAndStyle)
{
    Load("<table border=2 bordercolor=navy cellspacing=4 cellpadding=6 width=80% height=300><tr><td>a</table>");
    EXPECT_EQ(in.table->TableBorderWidth(), 2);
    EXPECT_EQ(in.table->TableBorderColor(), 0x800000);
    EXPECT_EQ(in.table->CellsBorderWidth, 4);
    EXPECT_EQ(in.table->CellsBorderColor, 0x800000) << "ruled cells without a background";
    EXPECT_EQ(in.table->CellsTextMargin, 6);
    EXPECT_EQ(in.table->TableWidth, (TSizeSpec{80, TSizeSpec::Percent}));
    EXPECT_EQ(in.table->TableHeight, (TSizeSpec{300, TSizeSpec::Pixels}));

    Load("<table style=\"border: 3px solid #f00; border-spacing: 5px; width: 640px\"><tr><td>a</table>");
    EXPECT_EQ(in.table->TableBorderWidth(), 3);
    EXPECT_EQ(in.table->TableBorderColor(), 0x0000FF);
    EXPECT_EQ(in.table->CellsBorderWidth, 5);
    EXPECT_EQ(in.table->TableWidth, (TSizeSpec{640, TSizeSpec::Pixels}));

    // Nothing said: browsers' spacing 2 and padding 1, no border, white between the cells.
    Load("<table><tr><td>a</table>");
    EXPECT_EQ(in.table->TableBorderWidth(), 0);
    EXPECT_EQ(in.table->CellsBorderWidth, 2);
    EXPECT_EQ(in.table->CellsTextMargin, 1);
    EXPECT_EQ(in.table->CellsBorderColor, 0xFFFFFF);
    EXPECT_EQ(in.table->TableWidth, TSizeSpec{});
}

// ---- Header cells, caption and column widths ---------------------------------------------

TEST_F(Import, ThAndTheadRowsAreHeaderCells)
{
    // The thead's td is a header cell shown as the page shows it (not bold); a th in the body
    // is one too; a merged th is one by its anchor.
    Load("<table><thead><tr><td>a<th style=\"font-weight: normal\">b</thead>"
         "<tbody><tr><th rowspan=2>c<td>d<tr><td>e</tbody></table>");
    EXPECT_TRUE(Cell(0, 0).Header);
    EXPECT_FALSE(Cell(0, 0).Bold);
    EXPECT_TRUE(Cell(1, 0).Header);
    EXPECT_FALSE(Cell(1, 0).Bold) << "a th's own weight wins";
    EXPECT_TRUE(Cell(0, 1).Header && Cell(0, 1).Bold);
    EXPECT_FALSE(Cell(0, 2).Header) << "covered";
    EXPECT_FALSE(Cell(1, 1).Header || Cell(1, 2).Header);
    EXPECT_TRUE(in.table->IsHeaderRow(0));
    EXPECT_TRUE(in.table->IsHeaderColumn(0));
    EXPECT_TRUE(in.result.report.IsEmpty()) << AllNotes(in.result);
    EXPECT_EQ(in.result.document.left(4), QByteArray("\x02\0\0\0", 4));

    // A th's scope follows from the header cells; on a td it means nothing and is reported.
    Load("<table><tr><th scope=col>h<td scope=row>d</table>");
    EXPECT_TRUE(HasNote(in.result, "cell (2, 1): attribute \"scope\": not kept"));
    EXPECT_FALSE(HasNote(in.result, "cell (1, 1)"));
}

TEST_F(Import, APageWithoutHeadersCaptionOrWidthsIsAVersionOneDocument)
{
    Load("<table><thead></thead><colgroup><col></colgroup><tr><td width=auto style=\"width: auto\">a"
         "<caption>&nbsp;</caption></table>");
    EXPECT_EQ(in.result.document.left(4), QByteArray("\x01\0\0\0", 4));
    EXPECT_EQ(in.result.document.size(), in.table->SaveToBytes().size()) << "nothing after the cells";
    EXPECT_EQ(in.result.document, in.table->SaveToBytes());
}

TEST_F(Import, TheCaptionKeepsItsMarkupButNotItsOwnFormatting)
{
    Load("<table><caption align=bottom class=c style=\"color: red; caption-side: bottom\">"
         "<b>Prices</b>, <i>May</i><br>net</caption><tr><td>a</table>");
    EXPECT_EQ(in.table->Caption, "<b>Prices</b>, <i>May</i>\r\nnet");
    EXPECT_EQ(Layout(*in.table), "a");
    for (const char* note : {"table: <caption> align=\"bottom\": not kept", "table: <caption> class=\"c\": CSS classes are not read",
                             "table: <caption> CSS color: red: not kept", "table: <caption> CSS caption-side: bottom: not kept"})
        EXPECT_TRUE(HasNote(in.result, note)) << note;
    EXPECT_EQ(Notes(in.result).size(), 4u);
    // A wrapper around the whole caption stays markup (the caption has no fields to hold it),
    // and the blanks around it stay, so that a caption comes back exactly as it was written.
    Load("<table><caption><b>all bold</b></caption><tr><td>a</table>");
    EXPECT_EQ(in.table->Caption, "<b>all bold</b>");
    Load("<table><caption>\n<span>plain</span> </caption><tr><td>a</table>");
    EXPECT_EQ(in.table->Caption, "\n<span>plain</span> ");
    Load("<table><caption>a<table><tr><td>b</table></caption><tr><td>a</table>");
    EXPECT_TRUE(HasNote(in.result, "table: table in the caption: kept as markup in the caption"));
}

// What a documentation page's cells hold, cleaned to what the grid shows of them; the page's
// markup stays when asked, and only the cleaning is reported, cell by cell.
TEST_F(Import, ShownMarkupKeepsWhatACellShowsAndNothingElse)
{
    const QByteArray page =
        "<table><caption><span class=c>Price</span>  list</caption><tr>"
        "<td><p><a class=\"reference internal\" href=\"intro.html#a&amp;b\" title=t><code class=docutils>"
        "<span class=pre>apt-get</span></code></a></p>"
        "<td><span class=x><span id=y><b class=b>bold</b></span></span> &lt;tag&gt; &amp;\n&nbsp;&eacute;"
        "<td>one<br>two<br/>  three"
        "<td><p>first</p>\n<p>second</p>"
        "<td><span></span><em> </em>H<sub>2</sub>O and x<sup style=\"color:red\">2</sup><a name=anchor></a>"
        "<td><span class=note>  </span>"
        "<td><script>alert(1)</script><img src=i.png>text<style>p{}</style>"
        "<td>a<table><tr><td>b<td>c<tr><td>d</table>"
        "<td><font color=red><span class=pre>x</span></font>"
        "</table>";
    Load(page, 0, ImportMarkup::ShownOnly);
    EXPECT_EQ(in.table->Caption, "Price list");
    const QStringList shown = {"<a href=\"intro.html#a&amp;b\">apt-get</a>",
                               "<b>bold</b> &lt;tag&gt; &amp; &nbsp;&eacute;",
                               "one\r\ntwo\r\nthree",
                               "first\r\nsecond",
                               "H<sub>2</sub>O and x<sup>2</sup>",
                               "",
                               "text",
                               "a\r\nb c\r\nd",
                               "x"};
    for (int c = 0; c < shown.size(); ++c) EXPECT_EQ(Cell(c, 0).Text, shown[c]) << "column " << c;
    EXPECT_EQ(Cell(8, 0).FontColor, 0x0000FF) << "the wrapper read into the cell's format goes from the text";
    EXPECT_TRUE(in.result.unshownMarkup);
    EXPECT_FALSE(HasNote(in.result, "nested table")) << "the nested table left no markup";
    const auto note = std::find_if(in.result.report.Notes().begin(), in.result.report.Notes().end(),
                                   [](const ImportNote& n) { return n.what == QLatin1String(kUnshownMarkup); });
    ASSERT_NE(note, in.result.report.Notes().end()) << AllNotes(in.result);
    EXPECT_EQ(note->why, "left out: only text, line breaks, links, bold, italic, sub and sup kept");
    const std::vector<ImportPlace> where(note->where);
    EXPECT_EQ(where.size(), 9u) << "the caption and every cell but the one whose breaks were all it had";
    EXPECT_TRUE(std::find(where.begin(), where.end(), ImportPlace{2, 0}) == where.end());

    // Kept as written, nothing is reported: nothing was lost.
    Load(page);
    EXPECT_EQ(Cell(5, 0).Text, "<span class=note>  </span>");
    EXPECT_TRUE(Cell(0, 0).Text.startsWith("<p><a class=\"reference internal\""));
    EXPECT_TRUE(in.result.unshownMarkup);
    EXPECT_FALSE(HasNote(in.result, kUnshownMarkup));
    Load("<table><tr><td>plain &amp; <b>bold</b><br>line</table>", 0, ImportMarkup::ShownOnly);
    EXPECT_EQ(Cell(0, 0).Text, "plain &amp; <b>bold</b>\r\nline");
    EXPECT_FALSE(in.result.unshownMarkup) << "markup the grid shows is no reason to ask";
}

// The classic page puts the caption on the frame, above the border.
TEST_F(Import, AFramesCaptionIsTheTablesCaption)
{
    const QByteArray inner = "<TABLE WIDTH=\"100%\" HEIGHT=\"100%\" BORDER=\"0\" CELLSPACING=\"1\" CELLPADDING=\"3\">"
                             "<TR><TD>a</TD><TD>b</TD></TR></TABLE>";
    Load("<TABLE BORDER=\"0\" CELLSPACING=\"2\" CELLPADDING=\"0\" BGCOLOR=\"#808080\"><CAPTION>Title</CAPTION>"
         "<TR><TD>" + inner + "</TD></TR></TABLE>");
    EXPECT_EQ(in.table->ColCount, 2) << "the frame is recognised";
    EXPECT_EQ(in.table->Caption, "Title");
    EXPECT_EQ(in.table->TableBorderWidth(), 2);
    EXPECT_TRUE(in.result.report.IsEmpty()) << AllNotes(in.result);
    const HtmlImport page(Page("<TABLE><CAPTION>Title</CAPTION><TR><TD>" + inner + "</TD></TR></TABLE>"));
    EXPECT_TRUE(page.Tables()[0].isFrame);
    EXPECT_EQ(page.Tables()[0].firstCells, (QStringList{"Title", "a", "b"}));

    // A caption inside the frame as well: the frame's is the one above the table.
    Load("<TABLE><CAPTION>Outer</CAPTION><TR><TD><TABLE><CAPTION>Inner</CAPTION><TR><TD>a</TABLE></TD></TR></TABLE>");
    EXPECT_EQ(in.table->Caption, "Outer");
    EXPECT_TRUE(HasNote(in.result, "table: caption of the framed table: not kept: the frame's caption is"));
    Load("<TABLE><TR><TD><TABLE><CAPTION>Inner</CAPTION><TR><TD>a</TABLE></TD></TR></TABLE>");
    EXPECT_EQ(in.table->Caption, "Inner");
}

namespace {

TSizeSpec Px(int n)
{
    return {n, TSizeSpec::Pixels};
}

TSizeSpec Pc(int n)
{
    return {n, TSizeSpec::Percent};
}

}  // namespace

// A col's pixel width is the whole column, padding included; the document holds the text
// area, as the classic page's cell WIDTH gives it.
TEST_F(Import, ColWidthsTakeSpansAndLoseTheCellPadding)
{
    const QByteArray row = "<tr>" + QByteArray("<td>x").repeated(7);
    Load("<table cellpadding=5><colgroup><col width=100><col span=2 style=\"width: 30%\"><col></colgroup>"
         "<colgroup span=2 width=\"8\"></colgroup><colgroup width=50><col><col style=\"width:60px\"></colgroup>" + row + "</table>");
    EXPECT_EQ(in.table->ColWidths[0], Px(90));
    EXPECT_EQ(in.table->ColWidths[1], Pc(30));
    EXPECT_EQ(in.table->ColWidths[2], Pc(30));
    EXPECT_EQ(in.table->ColWidths[3], TSizeSpec{}) << "a col without a width is automatic";
    EXPECT_EQ(in.table->ColWidths[4], Px(1)) << "never less than a pixel";
    EXPECT_EQ(in.table->ColWidths[5], Px(1));
    EXPECT_EQ(in.table->ColWidths[6], Px(40)) << "a colgroup's width is its cols' that name none";
    EXPECT_TRUE(in.result.report.IsEmpty()) << AllNotes(in.result);

    // The padding the cells agree on, which becomes the margin, is the one taken off.
    Load("<table><col width=100><tr><td style=\"padding: 8px\">a</table>");
    EXPECT_EQ(in.table->CellsTextMargin, 8);
    EXPECT_EQ(in.table->ColWidths[0], Px(84));

    // Widths of columns past the 127 kept go with the columns, unreported; a huge span
    // costs nothing.
    Load("<table><col span=126><col span=1000 width=20><col span=1000 width=0>"
         "<tr>" + QByteArray("<td>x").repeated(130) + "</table>");
    EXPECT_EQ(in.table->ColWidths[126], Px(18));
    EXPECT_FALSE(HasNote(in.result, "<col>"));
}

TEST_F(Import, AColumnsCellsGiveItsWidthWhenTheyAgree)
{
    Load("<table cellpadding=4>"
         "<tr><td width=120>a<td width=\"25%\">b<td style=\"width: 40px\">c<td width=10>d<td width=70>e<td>f"
         "<tr><td width=120>a<td>b<td width=40>c<td width=11>d<td colspan=2 width=300>e"
         "<tr><td>a<td>b<td>c<td>d<td>e<td width=70>f</table>");
    EXPECT_EQ(in.table->ColWidths[0], Px(120)) << "a cell's width is its text area: the padding stays";
    EXPECT_EQ(in.table->ColWidths[1], Pc(25)) << "cells that name none do not count";
    EXPECT_EQ(in.table->ColWidths[2], Px(40)) << "attribute and CSS alike";
    EXPECT_EQ(in.table->ColWidths[3], TSizeSpec{}) << "the cells differ";
    EXPECT_EQ(in.table->ColWidths[4], Px(70)) << "a cell across columns does not count";
    EXPECT_TRUE(HasNote(in.result, "cell (4, 1): width=\"10\": not kept: the cells of the column name different widths"));
    EXPECT_TRUE(HasNote(in.result, "cell (4, 2): width=\"11\": not kept: the cells of the column name different widths"));
    EXPECT_TRUE(HasNote(in.result, "cell (5, 2): width=\"300\": not kept: the cell spans several columns"));
    EXPECT_EQ(Notes(in.result).size(), 3u) << AllNotes(in.result);

    // A col's width wins; a cell that says otherwise is reported.
    Load("<table cellpadding=0><col width=50><tr><td width=50>a<tr><td width=60>b</table>");
    EXPECT_EQ(in.table->ColWidths[0], Px(50));
    EXPECT_EQ(Notes(in.result), (std::vector<std::string>{"cell (1, 2): width=\"60\": not kept: the column's <col> width is"}));
}

TEST_F(Import, WidthsOutOfRangeAreReportedAndLeftAutomatic)
{
    Load("<table cellpadding=0><col width=0><col style=\"width: 40000px\"><col width=\"150%\"><col style=\"width: 3em\">"
         "<col width=\"2*\"><tr><td>a<td>b<td>c<td>d<td>e<td width=0>f<td width=\"101%\">g</table>");
    for (int c = 0; c < 7; ++c) EXPECT_EQ(in.table->ColWidths[std::size_t(c)], TSizeSpec{}) << c;
    EXPECT_FALSE(in.table->HasColWidths());
    const std::string range = "out of range: a column is 1 to 100% or 1 to 32767 pixels wide; left automatic";
    for (const std::string& note : std::vector<std::string>{"table: <col> width=\"0\": " + range, "table: <col> CSS width: 40000px: " + range,
                                   "table: <col> width=\"150%\": " + range,
                                   "table: <col> CSS width: 3em: not kept: a column's width is kept in px or %",
                                   "table: <col> width=\"2*\": not kept: a column's width is kept in px or %",
                                   "cell (6, 1): width=\"0\": " + range, "cell (7, 1): width=\"101%\": " + range})
        EXPECT_TRUE(HasNote(in.result, note)) << note;
    EXPECT_EQ(Notes(in.result).size(), 7u);
    // The largest pixel width is taken, after the padding.
    Load("<table cellpadding=2><col width=32771><col width=32772><tr><td>a<td>b</table>");
    EXPECT_EQ(in.table->ColWidths[0], Px(32767));
    EXPECT_EQ(in.table->ColWidths[1], TSizeSpec{});
}

// ---- The report ------------------------------------------------------------------------------

TEST_F(Import, ReportSaysWhatWasNotKeptAndWhere)
{
    in = ImportPage("<html><head><style>td { color: red }</style></head><body>"
                    "<table class=wide id=t><colgroup><col width=20 bgcolor=red></colgroup>"
                    "<tr class=odd><td class=c nowrap style=\"padding: 4px; text-align: justify\">a"
                    "<td><table><tr><td>inner</table><td><script>go()</script>s</table>");
    ASSERT_EQ(in.problem, "");
    const std::vector<std::string> notes = Notes(in.result);
    for (const char* expected : {
             "table: style sheets of the page: not read",
             "table: class=\"wide\": CSS classes are not read",
             "table: attribute \"id\": not kept",
             "table: <col> bgcolor=\"red\": not kept",
             "table: <tr> class=\"odd\": CSS classes are not read",
             "cell (1, 1): class=\"c\": CSS classes are not read",
             "cell (1, 1): attribute \"nowrap\": not kept",
             "table: CSS padding of the cells: not kept: it differs from cell to cell",
             "cell (1, 1): text-align: justify: value not understood",
             "cell (2, 1): nested table: kept as markup in the cell text",
             "cell (3, 1): script or style sheet: kept in the cell text",
         })
        EXPECT_TRUE(HasNote(in.result, expected)) << expected;
    EXPECT_EQ(notes.size(), 11u);
    EXPECT_EQ(Cell(1, 0).Text, "<table><tr><td>inner</table>");
}

// ---- The page ----------------------------------------------------------------------------------

TEST_F(Import, EncodingsByByteOrderMarkAndDeclaredCharset)
{
    const QByteArray body = "<table><tr><td>\xE9\x80</table>";  // é € in windows-1252
    in = ImportPage("<meta charset=iso-8859-1>" + body);
    EXPECT_EQ(Cell(0, 0).Text, QString::fromUtf8("é€"));
    in = ImportPage(body);
    EXPECT_EQ(Cell(0, 0).Text, QString(2, QChar(0xFFFD)));
    EXPECT_TRUE(HasNote(in.result, "table: bytes that are not UTF-8: read as U+FFFD"));

    const QString text = QStringLiteral("<table><tr><td>\u00e9</table>");
    in = ImportPage("\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    EXPECT_EQ(Cell(0, 0).Text, QString::fromUtf8("é"));
    in = ImportPage("\xEF\xBB\xBF<table><tr><td>\xC3\xA9</table>");
    EXPECT_EQ(Cell(0, 0).Text, QString::fromUtf8("é"));
    EXPECT_TRUE(in.result.report.IsEmpty()) << AllNotes(in.result);
}

TEST(ImportPageTables, ListsEveryTableAndRefusesWhatIsNotThere)
{
    const HtmlImport page(Page("<table><tr><td> <table><tr><td>inner 1<td>inner 2</table></table>"
                               "<table><tr><td>x<td>y<td>z<td>w</table>"));
    ASSERT_EQ(page.Tables().size(), 3u);
    const HtmlTableInfo& frame = page.Tables()[0];
    EXPECT_TRUE(frame.isFrame);
    EXPECT_EQ(frame.cols, 2) << "a frame imports as the table inside it";
    EXPECT_EQ(page.Tables()[1].depth, 1);
    EXPECT_EQ(page.Tables()[2].firstCells, (QStringList{"x", "y", "z"}));
    EXPECT_EQ(page.Tables()[2].cols, 4);
    EXPECT_FALSE(page.Import(3).imported);
    EXPECT_EQ(page.Import(3).error, "the page has no table 3 (it has 3, numbered from 0)");

    EXPECT_EQ(HtmlImport("<p>no table here").Import(0).error, "the page holds no table");
    EXPECT_EQ(HtmlImport("").Import(0).error, "the page holds no table");
    EXPECT_EQ(HtmlImport(QByteArray(HtmlImport::kMaxPageSize + 1, ' ')).Import(0).error,
              "the page is larger than 32 MB");
}

// What would take the parser minutes is refused before it parses, and says why; what real
// pages hold (unclosed cells, nesting of a few hundred, scripts full of tags) is read.
TEST(ImportPageTables, PagesBeyondTheParsersLimitsAreRefusedWithTheReason)
{
    QByteArray attributes = "<table><tr><td><p";
    for (int i = 0; i < 100000; ++i) attributes += " a" + QByteArray::number(i);
    EXPECT_EQ(HtmlImport(attributes + ">x</table>").Import(0).error,
              "the page is not read: an element at byte 15 has more than 256 attributes");
    const QByteArray nested = "<table><tr><td>" + QByteArray("<div>").repeated(100000) + "x</table>";
    EXPECT_EQ(HtmlImport(nested).Import(0).error.toStdString(),
              "the page is not read: elements are nested more than 512 deep (at byte 2560)");
    EXPECT_TRUE(HtmlImport(QByteArray("<b>").repeated(600) + "<table><tr><td>x</table>").Import(0).error.contains("nested"));

    const QByteArray wide = "<table>" + ("<tr>" + QByteArray("<td>x").repeated(127)).repeated(127) + "</table>";
    const QByteArray deep = QByteArray("<div>").repeated(400) + "<table><tr><td>x</table>" + QByteArray("</div>").repeated(400);
    const QByteArray lists = "<table><tr><td><ul>" + QByteArray("<li>item").repeated(5000) + "</ul></table>";
    QByteArray busy = "<table><tr><td>x</table><script>";
    for (int i = 0; i < 1000; ++i) busy += "document.write('<div a b c d e f g h i j k l m n o p q r s t u v w x y z>');";
    busy += "</SCRIPT><!-- " + QByteArray("<div>").repeated(1000) + " --><table><tr><td>y</table>";
    for (const QByteArray& page : {wide, deep, lists, busy, QByteArray("<table><tr><td><p ") + QByteArray("a=1 ").repeated(256) + ">x</table>"})
        EXPECT_TRUE(HtmlImport(page).Import(0).imported) << HtmlImport(page).Import(0).error.toStdString();
}

// A note lists each place once, in the order first met, however many there are; a report
// appended after another keeps both its notes and their places.
TEST(ImportReportNotes, EachPlaceOnceInTheOrderFirstMet)
{
    ImportReport report;
    std::vector<ImportPlace> expected;
    for (int round = 0; round < 3; ++round)
        for (int i = 0; i < 40; ++i) {
            const ImportPlace place = i == 7 ? ImportPlace{} : i == 30 ? ImportPlace{200, 3} : ImportPlace{(i * 37) % 127, i};
            report.Add(place, "what", "why");
            if (round == 0) expected.push_back(place);
        }
    ASSERT_EQ(report.Notes().size(), 1u);
    EXPECT_EQ(report.Notes()[0].where, expected);

    ImportReport first;
    first.AddToTable("page", "note");
    first.Add({1, 1}, "what", "why");
    first.Append(std::move(report));
    ASSERT_EQ(first.Notes().size(), 2u);
    EXPECT_EQ(first.Notes()[0].what, "page");
    EXPECT_EQ(first.Notes()[1].where.size(), expected.size() + 1) << "(1, 1) and the forty";
    first.Add(expected.back(), "what", "why");
    EXPECT_EQ(first.Notes()[1].where.size(), expected.size() + 1);
}

// ---- Values --------------------------------------------------------------------------------------

TEST(HtmlValues, ColoursAsBrowsersReadThem)
{
    using namespace HtmlValues;
    EXPECT_EQ(ParseLegacyColor("#abc"), TColor(0xCCBBAA));
    EXPECT_EQ(ParseLegacyColor("chucknorris"), TColor(0x0000C0)) << "the legacy rules' famous case";
    EXPECT_EQ(ParseLegacyColor(" Red "), TColor(0x0000FF));
    EXPECT_EQ(ParseLegacyColor("transparent"), std::nullopt);
    EXPECT_EQ(ParseCssColor("#11223344"), ParseCssColor("rgba(17, 34, 51, 0.2667)"));
    EXPECT_EQ(ParseCssColor("rgb(100% 0% 0%)"), TColor(0x0000FF));
    EXPECT_EQ(ParseCssColor("rgba(0,0,0,0.5)"), TColor(0x808080)) << "half black over white";
    EXPECT_EQ(ParseCssColor("hsl(240, 100%, 50%)"), TColor(0xFF0000));
    EXPECT_EQ(ParseCssColor("notacolour"), std::nullopt);
    EXPECT_EQ(ParseCssColor("#12345"), std::nullopt);
}

TEST(HtmlValues, FontSizesToTheSevenHtmlSizes)
{
    using namespace HtmlValues;
    EXPECT_EQ(ParseFontSizeAttribute("+2"), 5);
    EXPECT_EQ(ParseFontSizeAttribute("-2"), 1);
    EXPECT_EQ(ParseFontSizeAttribute("-1"), -1) << "the editor's own value";
    EXPECT_EQ(ParseFontSizeAttribute("9"), 7);
    EXPECT_EQ(ParseCssFontSize("x-large", 3), 5);
    EXPECT_EQ(ParseCssFontSize("12pt", 3), 3);
    EXPECT_EQ(ParseCssFontSize("2em", 3), 6);
    EXPECT_EQ(ParseCssFontSize("larger", 7), 7);
    EXPECT_EQ(ParseCssFontSize("12vw", 3), std::nullopt);
}
