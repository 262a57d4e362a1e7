// The HTML page: exact bytes, lower-case mode, size and span pieces, cell text, UTF-8, colours.

#include "core/SafeFile.h"
#include "core/TableCore.h"
#include "core/UTF8.h"
#include "formats/export/HtmlPage.h"
#include "formats/export/HtmlWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Lines(std::initializer_list<const char*> lines)
{
    QByteArray out;
    for (const char* line : lines) out += QByteArray(line) + "\r\n";
    return out;
}

// A default table of the given size.
struct Page : ::testing::Test {
    TableCore t;
    void Use(int cols, int rows)
    {
        t.ResetTable();
        t.SetColCount(cols);
        t.SetRowCount(rows);
    }
    QByteArray page() const { return HTMLPage(t, "Table"); }
    // The content written for cell (0, 0) of a one-cell table.
    QByteArray content() const
    {
        const QByteArray p = page();
        const qsizetype start = p.indexOf("COLOR=\"#000000\">") + 16;
        return p.mid(start, p.indexOf("</FONT>") - start);
    }
};

const QByteArray kOneCellPage = Lines({
    "<HTML>",
    "<HEAD>",
    "<TITLE>Table</TITLE>",
    "<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"TEXT/HTML; CHARSET=UTF-8\">",
    "</HEAD>",
    "<BODY>",
    "",
    "",
    "<TABLE BORDER=\"0\" CELLSPACING=\"1\" CELLPADDING=\"0\" BGCOLOR=\"#808080\">",
    "<TR><TD>",
    "<TABLE WIDTH=\"100%\" HEIGHT=\"100%\" BORDER=\"0\" CELLSPACING=\"1\" CELLPADDING=\"3\" BGCOLOR=\"#C0C0C0\">",
    "<TR>",
    "<TD BGCOLOR=\"#FFFFFF\" ALIGN=\"CENTER\" VALIGN=\"TOP\" >",
    "<FONT FACE=\"Tahoma\" SIZE=\"3\" COLOR=\"#000000\">&nbsp;</FONT></TD>",
    "</TR>",
    "</TABLE>",
    "</TD></TR></TABLE>",
    "",
    "",
    "</BODY>",
    "</HTML>",
});

}  // namespace

TEST_F(Page, OneDefaultCellIsTheTwentyOneLinePage)
{
    Use(1, 1);
    EXPECT_EQ(page(), kOneCellPage);
}

TEST_F(Page, LowerCaseModeLowersMarkupButNotTitleOrText)
{
    Use(1, 1);
    t.TagsLowerCase = true;
    t.Cell(0, 0).Text = "ABC";
    t.Cell(0, 0).FontColor = 0x0000FF;
    const QByteArray p = HTMLPage(t, "My Title");
    EXPECT_TRUE(p.contains("<title>My Title</title>\r\n"));
    // A name is text, never markup: only & < > are escaped, in the title alone.
    const QByteArray named = HTMLPage(t, "a</TITLE><SCRIPT>x&y \"q\" \xc3\xa9");
    EXPECT_TRUE(named.contains("<title>a&lt;/TITLE&gt;&lt;SCRIPT&gt;x&amp;y \"q\" \xc3\xa9</title>\r\n"));
    EXPECT_EQ(named.count("<"), p.count("<"));
    EXPECT_TRUE(p.contains("<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">\r\n"));
    EXPECT_TRUE(p.contains("<table border=\"0\" cellspacing=\"1\" cellpadding=\"0\" bgcolor=\"#808080\">\r\n"));
    EXPECT_TRUE(p.contains("<font face=\"tahoma\" size=\"3\" color=\"#ff0000\">ABC</font></td>\r\n"));
}

TEST_F(Page, WidthAndHeightPieces)
{
    Use(1, 1);
    t.TableWidth = {80, TSizeSpec::Percent};
    EXPECT_TRUE(page().contains("\r\n<TABLE WIDTH=\"80%\" BORDER="));
    t.TableWidth = {600, TSizeSpec::Pixels};
    EXPECT_TRUE(page().contains("\r\n<TABLE WIDTH=\"600\" BORDER="));
    t.TableWidth = {-5, TSizeSpec::Pixels};
    EXPECT_TRUE(page().contains("\r\n<TABLE WIDTH=\"-5\" BORDER="));
    t.TableWidth = {600, TSizeSpec::Default};
    EXPECT_EQ(page(), kOneCellPage) << "default units write no width whatever the value";
    t.TableWidth = {50, TSizeSpec::Percent};
    t.TableHeight = {300, TSizeSpec::Pixels};
    EXPECT_TRUE(page().contains("\r\n<TABLE WIDTH=\"50%\" HEIGHT=\"300\" BORDER="));
    t.TableHeight = {90, TSizeSpec::Percent};
    EXPECT_TRUE(page().contains("\r\n<TABLE WIDTH=\"50%\" HEIGHT=\"90%\" BORDER="));
}

TEST_F(Page, MergedCellWritesSpansAndItsCoveredCellsNothing)
{
    Use(2, 3);
    TCell& anchor = t.Cell(0, 0);
    anchor.ExtraCols = 1;
    anchor.ExtraRows = 2;
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 3; ++r)
            if (c || r) t.Cell(c, r).reset(false);
    const QByteArray p = page();
    EXPECT_TRUE(p.contains("<TD BGCOLOR=\"#FFFFFF\" ALIGN=\"CENTER\" VALIGN=\"TOP\" COLSPAN=\"2\" ROWSPAN=\"3\" >\r\n"));
    EXPECT_EQ(p.count("<TD BGCOLOR"), 1);
    EXPECT_EQ(p.count("<TR>\r\n</TR>\r\n"), 2) << "fully covered rows keep their row tags";
}

TEST_F(Page, EmptyRowsAndColumns)
{
    Use(2, 0);
    EXPECT_TRUE(page().contains("BGCOLOR=\"#C0C0C0\">\r\n</TABLE>\r\n"));
    Use(0, 2);
    EXPECT_TRUE(page().contains("BGCOLOR=\"#C0C0C0\">\r\n<TR>\r\n</TR>\r\n<TR>\r\n</TR>\r\n</TABLE>\r\n"));
}

TEST_F(Page, CellTextIsSourceWithOnlyLineBreaksConverted)
{
    Use(1, 1);
    t.Cell(0, 0).Text = "a\r\nb";
    EXPECT_EQ(content(), "a<br>b");
    t.Cell(0, 0).Text = "a\nb\rc\r\r\nd";
    EXPECT_EQ(content(), "a\nb\rc\r<br>d");
    t.Cell(0, 0).Text = "x < y & z \"q\"";
    EXPECT_EQ(content(), "x < y & z \"q\"");
    t.Cell(0, 0).Text = " ";
    EXPECT_EQ(content(), " ");
    t.Cell(0, 0).Text = QString::fromUtf8("Grüße €");
    EXPECT_EQ(content(), "Grüße €");
    t.Cell(0, 0).Text = "t";
    t.Cell(0, 0).Bold = t.Cell(0, 0).Italic = true;
    EXPECT_EQ(content(), "<B><I>t</I></B>");
}

TEST_F(Page, AlignmentsAndFontPieces)
{
    Use(1, 1);
    TCell& c = t.Cell(0, 0);
    c.HAlign = 2;
    c.VAlign = 1;
    c.FontSize = -1;
    c.BgColor = 0x123456;
    EXPECT_TRUE(page().contains("<TD BGCOLOR=\"#563412\" ALIGN=\"RIGHT\" VALIGN=\"MIDDLE\" >\r\n<FONT FACE=\"Tahoma\" SIZE=\"-1\" "));
    c.HAlign = 7;
    c.VAlign = 2;
    EXPECT_TRUE(page().contains("ALIGN=\"LEFT\" VALIGN=\"BOTTOM\" >"));
}

TEST_F(Page, FaceNameCannotBreakTheTag)
{
    Use(1, 1);
    t.Cell(0, 0).FontName = "A&B \"Q\" <X>";
    EXPECT_TRUE(page().contains("<FONT FACE=\"A&amp;B &quot;Q&quot; &lt;X&gt;\" SIZE="));
    t.TagsLowerCase = true;
    EXPECT_TRUE(page().contains("<font face=\"a&amp;b &quot;q&quot; &lt;x&gt;\" size="));
    t.Cell(0, 0).FontName = "Zapf Dingbats É";
    EXPECT_TRUE(page().contains("<font face=\"zapf dingbats É\" size=")) << "only A-Z are lowered";
}

TEST(HtmlColor, DigitsAreRedGreenBlue)
{
    EXPECT_EQ(HTMLColor(0x0000FF), "FF0000");
    EXPECT_EQ(HTMLColor(0xC0C0C0), "C0C0C0");
    EXPECT_EQ(HTMLColor(0x123456), "563412");
    EXPECT_EQ(HTMLColor(0), "000000");
    EXPECT_EQ(HTMLColor(TColor(0x80000005)), "FFFFFF") << "window background";
    EXPECT_EQ(HTMLColor(TColor(0x80000008)), "000000") << "window text";

    SetSystemColorResolver([](int index) { return index == 5 ? TColor(0x332211) : TColor(0); });
    EXPECT_EQ(HTMLColor(TColor(0x80000005)), "112233");
    SetSystemColorResolver(nullptr);
    EXPECT_EQ(HTMLColor(TColor(0x80000005)), "FFFFFF");
}

TEST(WideToUTF8, ValidUtf8ForEveryInput)
{
    auto utf8 = [](std::initializer_list<char16_t> units) {
        QString s;
        for (char16_t u : units) s += QChar(u);
        return WideToUTF8(s).toHex(' ').toUpper();
    };
    EXPECT_EQ(utf8({}), "");
    EXPECT_EQ(utf8({u'A'}), "41");
    EXPECT_EQ(utf8({0x00E9}), "C3 A9");
    EXPECT_EQ(utf8({0x07FF}), "DF BF");
    EXPECT_EQ(utf8({0x20AC}), "E2 82 AC");
    EXPECT_EQ(utf8({0xFFFF}), "EF BF BF");
    EXPECT_EQ(utf8({0xD83D, 0xDE00}), "F0 9F 98 80");
    EXPECT_EQ(utf8({0xDBFF, 0xDFFF}), "F4 8F BF BF");
    EXPECT_EQ(utf8({0xD83D}), "EF BF BD") << "high surrogate at the end";
    EXPECT_EQ(utf8({0xDE00, u'x'}), "EF BF BD 78") << "low surrogate alone";
    EXPECT_EQ(utf8({0xD83D, u'x', 0xDE00}), "EF BF BD 78 EF BF BD");
    EXPECT_EQ(utf8({0xD83D, 0xD83D, 0xDE00}), "EF BF BD F0 9F 98 80");
}

TEST(ExportHTML, WritesThePageSafely)
{
    TableCore t;
    t.ResetTable();
    QTemporaryDir dir;
    const QString path = dir.filePath("page.htm");
    ASSERT_TRUE(ExportHTML(t, path, "Title"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), HTMLPage(t, "Title"));
    f.close();

    // A failing write reports false and keeps the earlier page.
    t.Cell(0, 0).Text = "new";
    SafeFile::SetFaultHook([](SafeFile::Step s) { return s == SafeFile::Step::Flush; });
    QString error;
    EXPECT_FALSE(ExportHTML(t, path, "Title", &error));
    SafeFile::SetFaultHook({});
    EXPECT_TRUE(error.contains(path));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains("new"));
    EXPECT_FALSE(ExportHTML(t, path + "/below-a-file.htm", "Title"));
}
