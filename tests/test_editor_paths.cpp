// What the table control does through its in-place editor: the clipboard, inserted links,
// the caret across a format change, row heights after a size change; and that quillgrid-cli
// writes the same document and page bytes as the control for the same work.

#include "formats/export/HtmlPage.h"
#include "tests/TableFixture.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

// The history as right after a load: one entry, unchanged.
void StartHistory(TTable& t)
{
    t.ClearHistory();
    t.AddUndoStep(TUndoStep::Command);
    t.Changed = false;
}

// A table whose cell (0, 0) holds `text`, current and alone selected, with a fresh history.
void Prepare(TTable& t, const QString& text)
{
    t.SetCellText(0, 0, text);
    t.SelectCell(0, 0);
    t.ResetSelection();
    StartHistory(t);
}

void SetClipboard(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString Clipboard()
{
    return QGuiApplication::clipboard()->text();
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

}  // namespace

// ---- Clipboard -------------------------------------------------------------------------------

TEST(EditorClipboard, CopyAndCutWithNothingSelectedLeaveTheClipboardAndTheCell)
{
    TableFixture f;
    TTable& t = *f.table;
    Prepare(t, QStringLiteral("abc"));
    t.Edit()->setSelection(1, 0);
    SetClipboard(QStringLiteral("keep"));

    EXPECT_FALSE(t.HasSelection());
    t.CopyToClipboard();
    t.CutToClipboard();
    EXPECT_EQ(Clipboard(), QStringLiteral("keep"));
    EXPECT_EQ(t.Cell(0, 0).Text, QStringLiteral("abc"));
    EXPECT_EQ(t.HistoryCount(), 1);
    EXPECT_FALSE(t.Changed);
}

TEST(EditorClipboard, CopyTakesExactlyTheSelectedTextWithPlainLineBreaks)
{
    TableFixture f;
    TTable& t = *f.table;
    Prepare(t, QStringLiteral("one\r\ntwo three"));
    t.Edit()->setSelection(1, 6);  // "ne", the break, "two"
    t.CopyToClipboard();
    EXPECT_EQ(Clipboard(), QStringLiteral("ne\ntwo"));
    EXPECT_EQ(t.Cell(0, 0).Text, QStringLiteral("one\r\ntwo three"));
    EXPECT_EQ(t.HistoryCount(), 1) << "copying changes nothing";
}

TEST(EditorClipboard, CutRightAfterTypingIsPartOfThatTyping)
{
    TableFixture f;
    TTable& t = *f.table;
    Prepare(t, QStringLiteral("start"));
    t.Edit()->setSelection(5, 0);
    QTest::keyClicks(t.Edit(), "abc");
    ASSERT_EQ(t.Cell(0, 0).Text, QStringLiteral("startabc"));

    t.Edit()->setSelection(5, 3);
    ASSERT_TRUE(t.HasSelection());
    t.CutToClipboard();
    EXPECT_EQ(Clipboard(), QStringLiteral("abc"));
    EXPECT_EQ(t.Cell(0, 0).Text, QStringLiteral("start"));
    EXPECT_EQ(t.HistoryCount(), 2);

    t.Undo();
    EXPECT_EQ(t.Cell(0, 0).Text, QStringLiteral("start"));
    EXPECT_FALSE(t.CanUndo()) << "one Undo reaches the state before the typing";
}

TEST(EditorClipboard, PasteReplacesTheSelectionAndLeavesTheCaretAfterIt)
{
    TableFixture f;
    TTable& t = *f.table;
    Prepare(t, QStringLiteral("hello world!"));
    SetClipboard(QStringLiteral("there\nfriend"));
    t.Edit()->setSelection(6, 5);
    ASSERT_TRUE(t.CanPaste());

    t.PasteFromClipboard();
    EXPECT_EQ(t.Cell(0, 0).Text, QStringLiteral("hello there\r\nfriend!"));
    EXPECT_EQ(t.Edit()->selectionStart(), 6 + 12);
    EXPECT_EQ(t.Edit()->selectionLength(), 0);
    EXPECT_EQ(t.HistoryCount(), 2) << "a paste is one typing step";

    QTest::keyClicks(t.Edit(), "?");
    EXPECT_EQ(t.Cell(0, 0).Text, QStringLiteral("hello there\r\nfriend?!"));
    EXPECT_EQ(t.HistoryCount(), 2) << "typing after it merges with it";
    t.Undo();
    EXPECT_EQ(t.Cell(0, 0).Text, QStringLiteral("hello world!"));
}

// ---- Links -----------------------------------------------------------------------------------

namespace {

struct LinkCase {
    bool lowerCase;
    bool newWindow;
    bool wordSelected;
    const char* expected;
};

void PrintTo(const LinkCase& c, std::ostream* os)
{
    *os << (c.lowerCase ? "lower case" : "upper case") << (c.newWindow ? ", new window" : "")
        << (c.wordSelected ? ", word selected" : ", at the caret");
}

class InsertLinkCase : public ::testing::TestWithParam<LinkCase> {};

}  // namespace

TEST_P(InsertLinkCase, WritesTheExactMarkupWhereTheEditorsSelectionIs)
{
    const LinkCase& c = GetParam();
    TableFixture f;
    TTable& t = *f.table;
    t.TagsLowerCase = c.lowerCase;
    Prepare(t, QStringLiteral("Go Home now"));
    t.Edit()->setSelection(3, c.wordSelected ? 4 : 0);

    t.InsertLink(QStringLiteral("Home"), QStringLiteral("Index.HTM?A=B"), c.newWindow);
    const QString expected = QString::fromUtf8(c.expected);
    EXPECT_EQ(t.Cell(0, 0).Text, expected);
    const int linkEnd = int(expected.indexOf(QLatin1String("</A>"), 0, Qt::CaseInsensitive)) + 4;
    EXPECT_EQ(t.Edit()->selectionStart(), linkEnd) << "the caret follows the link";
    EXPECT_EQ(t.HistoryCount(), 2);
    EXPECT_TRUE(t.Changed);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, InsertLinkCase,
    ::testing::Values(
        LinkCase{false, false, true, "Go <A HREF=\"Index.HTM?A=B\">Home</A> now"},
        LinkCase{false, true, true, "Go <A HREF=\"Index.HTM?A=B\" TARGET=\"_BLANK\">Home</A> now"},
        LinkCase{true, false, true, "Go <a href=\"Index.HTM?A=B\">Home</a> now"},
        LinkCase{true, true, true, "Go <a href=\"Index.HTM?A=B\" target=\"_blank\">Home</a> now"},
        LinkCase{false, false, false, "Go <A HREF=\"Index.HTM?A=B\">Home</A>Home now"},
        LinkCase{true, true, false,
                 "Go <a href=\"Index.HTM?A=B\" target=\"_blank\">Home</a>Home now"}));

TEST(InsertLink, OneUndoTakesTheLinkAndTheTypingBeforeItInTheSameCell)
{
    TableFixture f;
    TTable& t = *f.table;
    Prepare(t, QStringLiteral("x"));
    t.SetCellText(1, 0, QStringLiteral("other"));
    StartHistory(t);
    t.Edit()->setSelection(1, 0);
    QTest::keyClicks(t.Edit(), "yz ");
    t.InsertLink(QStringLiteral("L"), QStringLiteral("u.htm"), false);
    ASSERT_EQ(t.Cell(0, 0).Text, QStringLiteral("xyz <A HREF=\"u.htm\">L</A>"));
    EXPECT_EQ(t.HistoryCount(), 2);

    t.Undo();
    EXPECT_EQ(t.Cell(0, 0).Text, QStringLiteral("x"));
    EXPECT_FALSE(t.CanUndo());
    t.Redo();
    EXPECT_EQ(t.Cell(0, 0).Text, QStringLiteral("xyz <A HREF=\"u.htm\">L</A>"));

    // In another cell the link is a step of its own.
    t.SelectCell(1, 0);
    t.ResetSelection();
    t.InsertLink(QStringLiteral("M"), QStringLiteral("m.htm"), false);
    EXPECT_EQ(t.HistoryCount(), 3);
}

TEST(InsertLink, WithoutACurrentCellDoesNothing)
{
    TableFixture f;
    TTable& t = *f.table;
    Prepare(t, QStringLiteral("x"));
    t.SelectCell(5, 5);
    ASSERT_TRUE(t.Edit()->isHidden());
    const QByteArray before = t.SaveToBytes();
    t.InsertLink(QStringLiteral("L"), QStringLiteral("u.htm"), true);
    EXPECT_EQ(t.SaveToBytes(), before);
    EXPECT_EQ(t.HistoryCount(), 1);
}

// ---- Format changes under the editor ---------------------------------------------------------

TEST(EditorFormat, AFormatChangeKeepsTheCaretAndTheSelectedRangeEitherWay)
{
    TableFixture f;
    TTable& t = *f.table;
    Prepare(t, QStringLiteral("abcdef"));

    t.Edit()->setSelection(1, 3);
    TCell bold;
    bold.Bold = true;
    t.ApplyFormat(bold, cfBold);
    EXPECT_EQ(t.Edit()->textCursor().anchor(), 1);
    EXPECT_EQ(t.Edit()->textCursor().position(), 4);
    EXPECT_TRUE(t.Edit()->font().bold());

    QTextCursor backwards(t.Edit()->document());
    backwards.setPosition(5);
    backwards.setPosition(2, QTextCursor::KeepAnchor);
    t.Edit()->setTextCursor(backwards);
    TCell right;
    right.HAlign = 2;
    t.ApplyFormat(right, cfHAlign);
    EXPECT_EQ(t.Edit()->textCursor().anchor(), 5);
    EXPECT_EQ(t.Edit()->textCursor().position(), 2);
    EXPECT_TRUE(t.Edit()->document()->begin().blockFormat().alignment() & Qt::AlignRight);
    EXPECT_EQ(t.Edit()->cellText(), QStringLiteral("abcdef"));
    EXPECT_EQ(t.HistoryCount(), 1) << "ApplyFormat leaves the step to its caller";
}

TEST(EditorFormat, FontSizeSevenRaisesTheRowsOfTheSelectionAtOnce)
{
    TableFixture f(320, 2, 3);
    TTable& t = *f.table;
    t.SetCellText(1, 1, QStringLiteral("y"));
    Prepare(t, QStringLiteral("x"));
    t.ToggleCellSelection(1, 1);
    const int row0 = t.Cell(0, 0).Rect.height(), row1 = t.Cell(1, 1).Rect.height(),
              row2 = t.Cell(0, 2).Rect.height(), control = t.height();

    TCell big;
    big.FontSize = 7;
    t.ApplyFormat(big, cfFontSize);
    // No event is processed in between: the layout follows within the call.
    EXPECT_GT(t.Cell(0, 0).Rect.height(), row0) << "the row of the current cell";
    EXPECT_GT(t.Cell(1, 1).Rect.height(), row1);
    EXPECT_EQ(t.Cell(0, 1).Rect.height(), t.Cell(1, 1).Rect.height()) << "the whole row";
    EXPECT_EQ(t.Cell(0, 2).Rect.height(), row2);
    EXPECT_GT(t.height(), control);
    EXPECT_EQ(t.Edit()->font().pointSize(), FontPoints(7));
    EXPECT_GE(t.Edit()->height(), QFontMetrics(t.Edit()->font()).height())
        << "the editor has room for a line of the new size";
}

// ---- The command-line tool against the control -----------------------------------------------

namespace {

struct CliRun {
    int exitCode = -1;
    QByteArray err;
};

CliRun RunCli(const QStringList& args, const QString& folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(QG_BUILD_DIR "/quillgrid-cli"), args);
    if (!p.waitForFinished(60000)) return {};
    return {p.exitCode(), p.readAllStandardError()};
}

class CliAgainstControl : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TableFixture f{480, 2, 3};
    TTable& t = *f.table;

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    void click(int col, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(&t, Qt::LeftButton, modifiers, f.inside(col, row));
    }
    // Clicks the cell and types, the way a user fills an empty cell.
    void type(int col, int row, const QStringList& lines)
    {
        click(col, row);
        ASSERT_EQ(QPoint(t.SelCol, t.SelRow), QPoint(col, row));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(t.Edit(), Qt::Key_Return);
            // Key events exist for ASCII only; other text comes in as an input method does.
            bool ascii = true;
            for (const QChar ch : lines[i]) ascii = ascii && ch.unicode() < 128;
            if (ascii) QTest::keyClicks(t.Edit(), lines[i]);
            else t.Edit()->insertPlainText(lines[i]);
        }
    }
    void format(const TCell& cell, TCellFields fields)
    {
        t.ApplyFormat(cell, fields);
        t.AddUndoStep(TUndoStep::Command);
    }
};

}  // namespace

TEST_F(CliAgainstControl, ApplyWritesTheDocumentTheControlMakes)
{
    ASSERT_TRUE(t.SaveToFile(path("start.qgd")));
    ASSERT_TRUE(t.LoadFromFile(path("start.qgd")));
    QFile script(path("work.txt"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("cols 4\n"
                 "rows 4\n"
                 "text 0 0 Item\n"
                 "text 1 0 Price\n"
                 "text 0 1 Tea\\nGreen\n"
                 "select 0 0\n"
                 "shift-click 3 0\n"
                 "format bold=1 bg=12632256 halign=1\n"
                 "select 1 1\n"
                 "ctrl-click 2 2\n"
                 "format size=5 color=255 valign=2\n"
                 "font Georgia\n"
                 "merge 2 1 1 1\n"
                 "insert-col 1\n"
                 "delete-row 3\n"
                 "select 0 2\n"
                 "shift-click 1 2\n"
                 "merge-selection\n"
                 "select 3 1\n"
                 "unmerge-selection\n"
                 "text 4 0 Total\n");
    script.close();
    const CliRun run = RunCli({"apply", "start.qgd", "work.txt", "-o", "cli.qgd"}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    t.SetColCount(4);
    t.SetRowCount(4);
    type(0, 0, {"Item"});
    type(1, 0, {"Price"});
    type(0, 1, {"Tea", "Green"});
    click(0, 0);
    click(3, 0, Qt::ShiftModifier);
    TCell header;
    header.Bold = true;
    header.BgColor = 12632256;
    header.HAlign = 1;
    format(header, cfBold | cfBgColor | cfHAlign);
    click(1, 1);
    click(2, 2, Qt::ControlModifier);
    TCell body;
    body.FontSize = 5;
    body.FontColor = 255;
    body.VAlign = 2;
    format(body, cfFontSize | cfFontColor | cfVAlign);
    TCell face;
    face.FontName = "Georgia";
    format(face, cfFontName);
    t.MergeCells(2, 1, 1, 1);
    t.InsertColumn(1);
    t.DeleteRow(3);
    click(0, 2);
    click(1, 2, Qt::ShiftModifier);
    t.MergeSelection();
    click(3, 1);
    t.UnmergeSelection();
    type(4, 0, {"Total"});

    // The work really happened through the control.
    EXPECT_EQ(t.Cell(0, 1).Text, QStringLiteral("Tea\r\nGreen"));
    EXPECT_TRUE(t.Cell(4, 0).Bold);
    EXPECT_EQ(t.Cell(0, 2).ExtraCols, 1);
    EXPECT_EQ(t.Cell(2, 1).FontName, QByteArray("Georgia"));
    EXPECT_EQ(ReadFile(path("cli.qgd")), t.SaveToBytes());
}

TEST_F(CliAgainstControl, ExportWritesThePageTheControlWrites)
{
    t.SetColCount(3);
    type(0, 0, {"Préis", "<b>€ 5</b>"});
    click(1, 0);
    t.Edit()->insertPlainText(QString::fromUtf8("Grüße 😀 & <i>mehr</i>"));
    type(2, 2, {"", "after an empty line", ""});
    click(0, 1);
    click(2, 1, Qt::ShiftModifier);
    TCell colours;
    colours.BgColor = 0x00CCFF;
    colours.FontColor = TColor(0x80000008);  // a system colour, resolved when written
    colours.Italic = true;
    colours.FontName = QByteArray("Times \"New\" <Roman>");
    format(colours, cfBgColor | cfFontColor | cfItalic | cfFontName);
    t.MergeSelection();
    t.AddUndoStep(TUndoStep::Command);
    t.SetRowCount(4);
    t.MergeCells(2, 2, 0, 1);
    t.SetTableWidth({80, TSizeSpec::Percent});
    t.SetTableHeight({300, TSizeSpec::Pixels});
    t.SetTableBorderWidth(3);
    t.SetCellsBorderColor(0x112233);
    const QString doc = path("report.v2.qgd");
    ASSERT_TRUE(t.SaveToFile(doc));

    for (const bool lower : {false, true}) {
        SCOPED_TRACE(lower ? "lower case" : "upper case");
        t.TagsLowerCase = lower;
        ASSERT_TRUE(ExportHTML(t, path("editor.htm"), "report.v2"));
        QStringList args{"export", "report.v2.qgd", "cli.htm"};
        if (lower) args << "--lowercase";
        const CliRun run = RunCli(args, dir.path());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QByteArray page = ReadFile(path("editor.htm"));
        EXPECT_EQ(ReadFile(path("cli.htm")), page);
        EXPECT_TRUE(page.contains(QString::fromUtf8("Grüße 😀").toUtf8()));
        EXPECT_TRUE(page.contains("Préis<br><b>€ 5</b>") ||
                    page.contains("Préis<BR><b>€ 5</b>"))
            << "typed lines reach the page as line breaks";
        EXPECT_TRUE(page.toUpper().contains("COLSPAN=\"3\""));
        EXPECT_TRUE(page.toUpper().contains("ROWSPAN"));
    }
}
