// The export formats: the classic page and its fragment exactly as before, the HTML5 table's
// model and CSS where a browser reads the classic attributes its own way, the reading of cell
// markup, and each text format's escaping, merges and report.

#include "core/TableCore.h"
#include "formats/export/CellMarkup.h"
#include "formats/export/Export.h"
#include "formats/export/Html5Writer.h"
#include "formats/export/HtmlPage.h"

#include <gtest/gtest.h>

namespace {

struct Export : ::testing::Test {
    TableCore t;
    ExportOptions options;
    void Use(int cols, int rows)
    {
        t.ResetTable();
        t.SetColCount(cols);
        t.SetRowCount(rows);
    }
    ExportResult Run(ExportFormat format) const { return ExportTable(t, format, options); }
    QString Text(ExportFormat format) const { return QString::fromUtf8(Run(format).data); }
    QStringList Report(ExportFormat format) const
    {
        QStringList lines;
        for (const ExportReportItem& item : Run(format).report.items) lines << DescribeReportItem(item);
        return lines;
    }
};

// A 3 x 3 table whose middle column is one cell over all rows: column 2 and rows 2 and 3
// have no cell of their own once (0, 1) spans two rows too.
void MergeMiddleColumnAndLeftRows(TableCore& t)
{
    t.MergeCells(1, 0, 0, 2);
    t.MergeCells(0, 1, 0, 1);
    t.MergeCells(2, 1, 0, 1);
}

}  // namespace

TEST_F(Export, ClassicPageAndFragmentAreThePageBytes)
{
    Use(2, 2);
    t.Cell(0, 0).Text = "a\r\nb";
    t.MergeCells(0, 1, 1, 0);
    options.title = "T";
    const QByteArray page = HTMLPage(t, "T");
    EXPECT_EQ(Run(ExportFormat::ClassicPage).data, page);
    options.classicFragment = true;
    const QByteArray fragment = Run(ExportFormat::Fragment).data;
    EXPECT_TRUE(fragment.startsWith("<TABLE BORDER=\"0\" CELLSPACING=\"1\""));
    EXPECT_TRUE(fragment.endsWith("</TD></TR></TABLE>\r\n"));
    EXPECT_TRUE(page.contains(fragment));
    // The options make the first row header cells in the classic markup too.
    options.headerRow = true;
    options.caption = "Sums & <more>";
    const QByteArray withOptions = Run(ExportFormat::Fragment).data;
    EXPECT_TRUE(withOptions.contains("<CAPTION>Sums &amp; &lt;more&gt;</CAPTION>\r\n<TR><TD>")) << withOptions.constData();
    EXPECT_EQ(withOptions.count("<TH SCOPE=\"COL\" STYLE=\"FONT-WEIGHT:NORMAL\" BGCOLOR="), 2) << withOptions.constData();
    EXPECT_EQ(withOptions.count("</TH>"), 2);
    EXPECT_TRUE(Report(ExportFormat::Fragment).isEmpty());
}

TEST_F(Export, Html5PageHeadHeadersAndCaption)
{
    Use(2, 2);
    t.Cell(1, 1).Bold = true;
    options.title = "<Prices> & more";
    options.caption = "Caption <b>";
    options.headerRow = options.headerColumn = true;
    const QString page = Text(ExportFormat::Html5Page);
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                                "<title>&lt;Prices&gt; &amp; more</title>\n"));
    EXPECT_TRUE(page.contains("<caption>Caption &lt;b&gt;</caption>"));
    EXPECT_EQ(page.count("<th scope=\"col\""), 2);
    EXPECT_EQ(page.count("<th scope=\"row\""), 1);
    // Header cells are bold in a browser unless told; the bold body cell says so itself.
    EXPECT_EQ(page.count("font-weight:normal"), 3);
    EXPECT_EQ(page.count("<td style=\"text-align:center;vertical-align:top;padding:3px;background-color:#FFFFFF;"
                         "color:#000000;font-family:'Tahoma';font-size:16px;font-weight:bold\"><span>&nbsp;</span></td>"), 1);
    EXPECT_TRUE(Run(ExportFormat::Html5Page).report.empty());
    options.title = "  ";
    EXPECT_TRUE(Text(ExportFormat::Html5Page).contains("<title>Table</title>")) << "a page needs a title";
}

// The document's header cells, caption and column widths, in each format, without options.
TEST_F(Export, EveryFormatWritesTheDocumentsHeadersCaptionAndWidths)
{
    Use(3, 3);
    t.SetHeaderRows(0, 0, true);
    t.SetHeaderColumns(0, 0, true);
    t.Cell(0, 1).Text = "h";
    t.Cell(1, 1).Text = "x";
    t.SetCaption("Price <b>list</b>");
    t.SetColWidth(0, {120, TSizeSpec::Pixels});
    t.SetColWidth(1, {25, TSizeSpec::Percent});
    const QString classic = Text(ExportFormat::ClassicPage);
    EXPECT_TRUE(classic.contains("BGCOLOR=\"#808080\">\r\n<CAPTION>Price <b>list</b></CAPTION>\r\n<TR><TD>")) << qPrintable(classic);
    EXPECT_EQ(classic.count("<TH SCOPE=\"COL\" STYLE=\"FONT-WEIGHT:NORMAL\" BGCOLOR"), 3);
    EXPECT_EQ(classic.count("<TH SCOPE=\"ROW\" "), 2);
    EXPECT_EQ(classic.count("<TD "), 4);
    EXPECT_EQ(classic.count("VALIGN=\"TOP\" WIDTH=\"120\" >"), 3) << "the text area's width, on each cell of the column";
    EXPECT_EQ(classic.count("WIDTH=\"25%\" >"), 3);
    t.TagsLowerCase = true;
    const QString lower = Text(ExportFormat::ClassicPage);
    EXPECT_TRUE(lower.contains("<caption>Price <b>list</b></caption>"));
    EXPECT_EQ(lower.count("<th scope=\"col\" style=\"font-weight:normal\""), 3);
    t.TagsLowerCase = false;

    const QString html5 = Text(ExportFormat::Html5Page);
    EXPECT_TRUE(html5.contains("<caption>Price <b>list</b></caption>\n"
                               "<colgroup><col style=\"width:126px\"><col style=\"width:25%\"><col></colgroup>\n"
                               "<thead>\n<tr>\n<th scope=\"col\"")) << qPrintable(html5);
    EXPECT_TRUE(html5.contains("</tr>\n</thead>\n<tbody>\n<tr>\n<th scope=\"row\""));
    EXPECT_EQ(html5.count("<th scope=\"row\""), 2);
    EXPECT_TRUE(Run(ExportFormat::Html5Page).report.empty());

    const QString md = Text(ExportFormat::Markdown);
    EXPECT_TRUE(md.endsWith("|\n\nTable: Price **list**\n")) << qPrintable(md);
    EXPECT_EQ(Report(ExportFormat::Markdown),
              (QStringList{"table: not possible in this format: column widths",
                           "table: not possible in this format: header cells below the first row: written as ordinary cells"}));
    const QString latex = Text(ExportFormat::LaTeX);
    EXPECT_TRUE(latex.contains("\\begin{table}[ht]\n\\centering\n\\caption{Price\\textbf{ list}}\n")) << qPrintable(latex);
    EXPECT_TRUE(latex.contains("\\textbf{h} & x &")) << "a header cell is bold, the body cell is not: " << qPrintable(latex);
    EXPECT_EQ(Report(ExportFormat::LaTeX).first(), "table: not possible in this format: column widths");
    const QString wiki = Text(ExportFormat::MediaWiki);
    EXPECT_TRUE(wiki.contains("\"\n|+ Price''' list'''\n|-\n! scope=\"col\" ")) << qPrintable(wiki);
    EXPECT_EQ(wiki.count("! scope=\"col\""), 3);
    EXPECT_EQ(wiki.count("! scope=\"row\""), 2);
    EXPECT_EQ(wiki.count(";width:120px;border:0"), 3);
    EXPECT_TRUE(Run(ExportFormat::MediaWiki).report.empty());

    const QByteArray csv = Run(ExportFormat::Csv).data;
    EXPECT_EQ(Report(ExportFormat::Csv), (QStringList{"table: not possible in this format: a caption",
                                                      "table: not possible in this format: header cells: written as ordinary cells",
                                                      "table: not possible in this format: column widths"}));
    t.SetHeaderRows(0, 2, false);
    t.SetCaption({});
    t.SetColWidth(0, {});
    t.SetColWidth(1, {});
    EXPECT_EQ(Run(ExportFormat::Csv).data, csv) << "the cells' text alone, as before";
}

TEST_F(Export, Html5LeavesOutRowsAndColumnsNoCellBeginsIn)
{
    Use(3, 3);
    MergeMiddleColumnAndLeftRows(t);
    const QString table = Text(ExportFormat::Fragment);
    EXPECT_EQ(table.count("<tr>"), 2);
    EXPECT_TRUE(table.contains("<td rowspan=\"2\" style")) << "the middle column's cell spans the kept rows";
    EXPECT_FALSE(table.contains("rowspan=\"3\""));
    EXPECT_EQ(Text(ExportFormat::MediaWiki).count("|-\n"), 2);
}

TEST_F(Export, Html5CssWhereBrowsersReadTheClassicAttributesTheirOwnWay)
{
    Use(1, 1);
    t.CellsBorderWidth = -1;  // a browser keeps its default spacing, 2
    t.CellsTextMargin = -4;   // and takes a negative padding as none
    t.SetTableBorderWidth(0);
    t.TableWidth = {0, TSizeSpec::Pixels};     // ignored
    t.TableHeight = {25, TSizeSpec::Percent};  // of the window less the body's margins
    const QString table = Text(ExportFormat::Fragment);
    EXPECT_TRUE(table.contains("border-spacing:2px;"));
    EXPECT_TRUE(table.contains("padding:0px;"));
    EXPECT_TRUE(table.contains("border:0px solid #808080")) << "no width, and the colour kept";
    EXPECT_FALSE(table.contains("width:"));
    EXPECT_TRUE(table.contains(";height:calc(25vh - 4px)\""));
    t.Cell(0, 0).Text = "<p>block</p>";
    EXPECT_TRUE(Text(ExportFormat::Fragment).contains("\"><p>block</p></td>")) << "a span holds no blocks";

    EXPECT_EQ(HtmlFontPixels(-1, false), 13);
    EXPECT_EQ(HtmlFontPixels(0, false), 10);
    EXPECT_EQ(HtmlFontPixels(9, false), 48);
    EXPECT_EQ(HtmlFontPixels(3, true), 13) << "the generic monospace alone starts smaller";
    EXPECT_EQ(HtmlFontPixels(7, true), 40);

    EXPECT_EQ(CssFontFamily("Courier New"), "'Courier New'");
    EXPECT_EQ(CssFontFamily("Verdana,  sans-serif"), "'Verdana',sans-serif");
    EXPECT_EQ(CssFontFamily("\"It's\", MONOSPACE"), "'It\\'s',MONOSPACE");
    for (const char* refused : {"", "3D Type", "Arial,,Tahoma", "inherit", "a;b", "'open"})
        EXPECT_EQ(CssFontFamily(refused), "") << refused;
}

TEST(CellMarkup, ReferencesTagsAndWhiteSpace)
{
    const CellMarkup c = ReadCellMarkup(
        u"  a &amp; &lt;b&gt;\t&#8211;&#x41;&#150;&#0;&bogus; &nbsp;<!-- x --> <b>bold <i>both</i></b> "
        u"<a href='u&amp;v'><em>link</em></a><br>2 < 3<span>x</span><SUP>2</SUP>\r\n<br/>",
        false, false);
    ASSERT_EQ(c.lines.size(), 2u) << "trailing empty lines go, the second line stays";
    const auto& line = c.lines[0];
    // A collapsed space goes with the text after it.
    ASSERT_EQ(line.size(), 4u);
    EXPECT_EQ(line[0].text, QString::fromUtf8("a & <b> \u2013A\u2013\uFFFD&bogus; \u00A0"));
    EXPECT_EQ(line[1].text, " bold");
    EXPECT_TRUE(line[1].bold && !line[1].italic);
    EXPECT_TRUE(line[2].bold && line[2].italic);
    EXPECT_EQ(line[3].text, " link");
    EXPECT_TRUE(line[3].italic && !line[3].bold);
    EXPECT_EQ(line[3].link, "u&v");
    EXPECT_EQ(c.lines[1][0].text, "2 < 3x2");
    EXPECT_EQ(c.leftOutTags, (QStringList{"span", "sup"}));
    EXPECT_TRUE(ReadCellMarkup(u"<b>x", true, true).lines[0][0].bold) << "the cell's own bold stays";
    EXPECT_TRUE(ReadCellMarkup(u" \r\n ", false, false).empty());
}

TEST_F(Export, MarkdownEscapesFlattensAndReports)
{
    Use(3, 3);
    t.Cell(0, 0).Text = "a|b *c* _d_ [e] `f` &lt;g&gt; 50$ &amp;x; ~";
    t.Cell(1, 0).Text = "<b> bold </b>";
    t.Cell(2, 0).Text = "<a href=\"https://x.org/a b(c)|d\">www.x.org jane@x.org</a>";
    t.Cell(0, 1).Text = "one\r\ntwo";
    t.Cell(0, 1).HAlign = 2;
    t.Cell(0, 2).HAlign = 2;
    t.Cell(1, 1).Text = "merged";
    t.MergeCells(1, 1, 1, 1);
    t.Cell(1, 1).HAlign = 0;
    const QString md = Text(ExportFormat::Markdown);
    EXPECT_EQ(md,
              "| a\\|b \\*c\\* \\_d\\_ \\[e\\] \\`f\\` \\<g\\> 50\\$ \\&x; \\~ | **bold** | "
              "[www\\.x\\.org jane\\@x\\.org](https://x.org/a%20b%28c%29%7Cd) |\n"
              "| ---: | :---: | :---: |\n"
              "| one<br>two | merged | |\n"
              "| | | |\n")
        << qPrintable(md);
    const QStringList report = Report(ExportFormat::Markdown);
    EXPECT_TRUE(report.contains("cell (2, 2): merged cell (2x2) flattened: its text is in the top-left slot"));
    EXPECT_TRUE(report.contains("cell (1, 1): centre alignment not kept: the column's alignment applies"));
    EXPECT_FALSE(report.join('\n').contains("cell (2, 2): left alignment")) << "a cell over columns has no column";
    EXPECT_TRUE(report.contains("table: not possible in this format: a table without a header row: the first row is the header"));
    Use(0, 0);
    EXPECT_EQ(Text(ExportFormat::Markdown), "");
}

TEST_F(Export, LatexEscapesReplacesAndMerges)
{
    Use(3, 3);
    t.Cell(0, 0).Text = QString::fromUtf8("[x] 100% #1 $5 a_b {c} ~ ^ \\ -- \"q\" &ndash; &#10003; Ж Łódź");
    t.Cell(0, 1).Text = "*star";
    t.Cell(1, 0).Text = "tall";
    t.Cell(1, 0).BgColor = 0x0000FF;
    t.MergeCells(1, 0, 1, 1);
    const QString tex = Text(ExportFormat::LaTeX);
    EXPECT_TRUE(tex.contains("{}[x] 100\\% \\#1 \\$5 a\\_b \\{c\\} \\textasciitilde{} \\textasciicircum{} "
                             "\\textbackslash{} -{}- \\textquotedbl{}q\\textquotedbl{} \\textendash{} "
                             "\\ensuremath{\\checkmark} ? Łódź & "))
        << qPrintable(tex);
    // The merged cell: coloured in both rows, its text raised from the bottom one, and the
    // line between the rows left out under it only.
    EXPECT_TRUE(tex.contains("& \\multicolumn{2}{c|}{\\cellcolor[HTML]{FF0000}} \\\\\n\\hhline{|-|~|~|}\n"
                             "{}*star & \\multicolumn{2}{c|}{\\cellcolor[HTML]{FF0000}\\multirow{-2}{*}{tall}} \\\\\n\\hline\n"));
    EXPECT_TRUE(Report(ExportFormat::LaTeX).contains("cell (1, 1): character U+0416 cannot be written: it became \"?\""));
    t.CellsBorderWidth = 0;
    EXPECT_FALSE(Text(ExportFormat::LaTeX).contains("\\hline")) << "no rules at all";
}

TEST_F(Export, MediaWikiCellsLinksAndEscaping)
{
    Use(2, 1);
    options.headerRow = true;
    options.caption = "a|b";
    t.Cell(0, 0).Text = "<b>x</b> ''y'' [[z]] {{t}} ~~~~ |-";
    t.Cell(1, 0).Text = "<a href=\"https://e.org/a b\">web</a> <a href=\"#top\">top</a>";
    const QString wiki = Text(ExportFormat::MediaWiki);
    EXPECT_TRUE(wiki.startsWith("{| class=\"wikitable\" style=\"border-collapse:separate;border-spacing:1px;"));
    EXPECT_TRUE(wiki.contains("|+ a&#124;b\n|-\n! scope=\"col\" style=\""));
    EXPECT_TRUE(wiki.contains("\" | '''x''' &#39;&#39;y&#39;&#39; &#91;&#91;z&#93;&#93; &#123;&#123;t&#125;&#125; "
                              "&#126;&#126;&#126;&#126; &#124;-\n"));
    EXPECT_TRUE(wiki.contains("\" | [https://e.org/a%20b web] top\n|}\n"));
    EXPECT_EQ(Report(ExportFormat::MediaWiki), QStringList{"cell (2, 1): link written as text only: #top"});
}

// What readers of the text formats misread: a "!" before a link, emphasis beside
// punctuation, a caption that starts like a heading or a list, blocks run together, and line
// ends inside a link's address.
TEST_F(Export, MarkdownThatEveryReaderReadsAsWritten)
{
    Use(2, 2);
    t.Cell(0, 0).Text = "Wow!<a href=\"page.html\">see this</a>";
    t.Cell(1, 0).Text = "foo<b>(bar)</b>, <b>foo.</b>bar and <b>plain</b>";
    t.Cell(0, 1).Text = "<p>first paragraph.</p><p>Second</p><ul><li>Python 3.11?</li><li>or all</li></ul>";
    t.Cell(1, 1).Text = "<a href=\"https://e.org/long\r\n/path\tname\">x</a>";
    const QString md = Text(ExportFormat::Markdown);
    EXPECT_TRUE(md.contains("| Wow\\![see this](page.html) |")) << qPrintable(md);
    EXPECT_TRUE(md.contains("| foo<strong>(bar)</strong>, <strong>foo.</strong>bar and **plain** |")) << qPrintable(md);
    EXPECT_TRUE(md.contains("| first paragraph.<br>Second<br>Python 3.11?<br>or all |")) << qPrintable(md);
    EXPECT_TRUE(md.contains("[x](https://e.org/long/pathname)")) << qPrintable(md);
    EXPECT_EQ(md.count('\n'), 3) << "one line a row, and the alignment row";
    // The caption is the line after the table that pandoc takes for one; a line start that
    // would make it a heading or a list item comes after "Table:", where it is text.
    for (const auto& [caption, written] : std::vector<std::pair<QString, QString>>{
             {"# Prices", "# Prices"}, {"1. c", "1. c"}, {"x *y* <b>z</b> | w", "x \\*y\\* \\<b\\>z\\</b\\> \\| w"}}) {
        options.caption = caption;
        EXPECT_TRUE(Text(ExportFormat::Markdown).endsWith("|\n\nTable: " + written + "\n")) << qPrintable(Text(ExportFormat::Markdown));
    }
    options.caption.clear();
    // Two links to one address beside each other stay two links.
    t.Cell(0, 0).Text = "<a href=\"u\">one</a> <a href=\"u\">two</a>";
    EXPECT_TRUE(Text(ExportFormat::Markdown).contains("| [one](u)[ two](u) |")) << qPrintable(Text(ExportFormat::Markdown));
    // The same blocks and addresses in LaTeX and MediaWiki.
    options.caption.clear();
    const QString tex = Text(ExportFormat::LaTeX);
    EXPECT_TRUE(tex.contains("first paragraph.\\\\{}Second\\\\{}Python 3.11?\\\\{}or all")) << qPrintable(tex);
    const QString wiki = Text(ExportFormat::MediaWiki);
    EXPECT_TRUE(wiki.contains("| first paragraph.<br>Second<br>Python 3.11?<br>or all\n")) << qPrintable(wiki);
    EXPECT_TRUE(wiki.contains("[https://e.org/long/pathname x]")) << qPrintable(wiki);
}

TEST_F(Export, LatexSetsOrReportsEveryCharacter)
{
    Use(1, 2);
    t.CellsBorderWidth = 0;  // no lines: a row follows \\ directly
    t.Cell(0, 0).Text = QString::fromUtf8("\u0126\u0127\u0138 \u013F\u0140\u0149 \u0166\u0167\u017F");
    t.Cell(0, 1).Text = QString(QChar(1)) + "[x] after a control character";
    const QString tex = Text(ExportFormat::LaTeX);
    EXPECT_TRUE(tex.contains("??? L\\textperiodcentered{}l\\textperiodcentered{}'n ???")) << qPrintable(tex);
    EXPECT_TRUE(tex.contains("\\\\\n{} [x] after")) << qPrintable(tex);
    const QStringList report = Report(ExportFormat::LaTeX);
    for (const char* code : {"U+0126", "U+0127", "U+0138", "U+0166", "U+0167", "U+017F"})
        EXPECT_TRUE(report.contains(QStringLiteral("cell (1, 1): character %1 cannot be written: it became \"?\"").arg(code)))
            << code;
}

TEST(ExportFormats, KeysNamesAndExtensions)
{
    for (const ExportFormatInfo& info : ExportFormats()) {
        EXPECT_EQ(ExportFormatFromKey(QString::fromLatin1(info.key)), info.format);
        EXPECT_EQ(ExportFormatOf(info.format).extension, info.extension);
    }
    EXPECT_EQ(QString(ExportFormatOf(ExportFormat::LaTeX).extension), "tex");
    EXPECT_FALSE(ExportFormatFromKey(u"HTML5").has_value());
}
