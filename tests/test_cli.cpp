// The script language in process, and quillgrid-cli as a program: usage, exit statuses,
// and outputs that match what the editor's own core writes.

#include "core/Script.h"
#include "core/TableCore.h"
#include "formats/export/Export.h"
#include "formats/export/HtmlPage.h"
#include "formats/import/HtmlImport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray DefaultDocument(int cols = 2, int rows = 3)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(cols);
    t.SetRowCount(rows);
    return t.SaveToBytes();
}

// ---- The script language ----------------------------------------------------------------------

struct Script : ::testing::Test {
    TableCore t;
    QString error;
    void SetUp() override { ASSERT_TRUE(t.LoadFromBytes(DefaultDocument(3, 3))); }
    bool Run(const QByteArray& script) { return RunScript(t, script, "s.txt", &error); }
};

}  // namespace

TEST_F(Script, RunsOperationsAndSkipsCommentsAndBlankLines)
{
    ASSERT_TRUE(Run("# a comment\n"
                    "\n"
                    "   \t\n"
                    "  # indented comment\r\n"
                    "cols 4\r\n"
                    "rows  5\n"
                    "text 3 4 \\\\path\\nnext line\n"
                    "text 0 0  two leading blanks\n"
                    "text 1 0\n"
                    "font   Courier New  \n"
                    "format size=-1 bold=1 italic=1 color=255 bg=-2147483643 valign=2 halign=0\n"))
        << error.toStdString();
    EXPECT_EQ(t.ColCount, 4);
    EXPECT_EQ(t.RowCount, 5);
    EXPECT_EQ(t.Cell(3, 4).Text, "\\path\r\nnext line");
    EXPECT_EQ(t.Cell(0, 0).Text, " two leading blanks") << "one blank separates, the rest is text";
    EXPECT_EQ(t.Cell(1, 0).Text, "");
    // Only the current cell (0, 0) is selected after loading.
    const TCell& c = t.Cell(0, 0);
    EXPECT_EQ(c.FontName, "Courier New");
    EXPECT_EQ(c.FontSize, -1);
    EXPECT_TRUE(c.Bold && c.Italic);
    EXPECT_EQ(c.FontColor, 255);
    EXPECT_EQ(c.BgColor, TColor(0x80000005));
    EXPECT_EQ(c.VAlign, 2);
    EXPECT_EQ(c.HAlign, 0);
    EXPECT_EQ(t.Cell(1, 1).FontName, "Tahoma");
}

TEST_F(Script, ClicksBuildTheSelectionThatFormatAndMergeUse)
{
    ASSERT_TRUE(Run("select 1 1\n"
                    "ctrl-click 2 2\n"
                    "format bg=255\n"))
        << error.toStdString();
    EXPECT_EQ(t.Cell(1, 1).BgColor, 255);
    EXPECT_EQ(t.Cell(2, 2).BgColor, 255);
    EXPECT_EQ(t.Cell(2, 1).BgColor, 0xFFFFFF);

    ASSERT_TRUE(Run("select 0 0\nshift-click 1 1\nmerge-selection\n")) << error.toStdString();
    EXPECT_EQ(t.Cell(0, 0).ExtraCols, 1);
    EXPECT_EQ(t.Cell(0, 0).ExtraRows, 1);
    EXPECT_FALSE(t.Cell(1, 1).Visible);

    ASSERT_TRUE(Run("unmerge-selection\nmerge 1 1 1 1\nsplit 1 1\ninsert-col 0\ndelete-row 0\n"))
        << error.toStdString();
    EXPECT_EQ(t.ColCount, 4);
    EXPECT_EQ(t.RowCount, 2);
}

TEST_F(Script, BadLinesStopWithTheirLineNumber)
{
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"cols 2\nbogus 1\n", "s.txt:2: unknown operation \"bogus\""},
        {"cols\n", "s.txt:1: a number is missing"},
        {"cols x\n", "s.txt:1: \"x\" is not a number"},
        {"cols 3 4\n", "s.txt:1: unexpected \"4\""},
        {"cols 99999999999\n", "s.txt:1: \"99999999999\" is not a number"},
        {"cols +3\n", "s.txt:1: \"+3\" is not a number"},
        {"merge 0 0 1\n", "s.txt:1: a number is missing"},
        {"# c\n\nformat size=8\n", "s.txt:3: size must be from -1 to 7"},
        {"format bold=2\n", "s.txt:1: bold must be from 0 to 1"},
        {"format weight=1\n", "s.txt:1: unknown format field \"weight\""},
        {"format bold\n", "s.txt:1: expected NAME=VALUE"},
        {"format\n", "s.txt:1: format needs at least one"},
        {"font   \n", "s.txt:1: font needs a name"},
        {"text 3 0 x\n", "s.txt:1: cell (3, 0) is outside the table"},
        {"text -1 0 x\n", "s.txt:1: cell (-1, 0) is outside the table"},
        {"merge 0 0 1 0\ntext 1 0 x\n", "s.txt:2: cell (1, 0) is covered"},
        {"text 0 0 a\\qb\n", "s.txt:1: a backslash must be followed"},
        {"text 0 0 a\\\n", "s.txt:1: a backslash must be followed"},
        // Counts the table cannot hold are errors, as they are for new --cols.
        {"cols 200\n", "s.txt:1: cols must be from 0 to 127"},
        {"cols 1\nrows 128\n", "s.txt:2: rows must be from 0 to 127"},
        {"rows -1\n", "s.txt:1: rows must be from 0 to 127"},
        {"cols 127\ninsert-col 0\n", "s.txt:2: the table already has the most columns it can hold (127)"},
        {"rows 127\ninsert-row 200\n", "s.txt:2: the table already has the most rows it can hold (127)"},
        {"undo\n", "s.txt:1: nothing to undo"},
        {"cols 2\nredo\n", "s.txt:2: nothing to redo"},
        {"undo 1\n", "s.txt:1: unexpected \"1\""},
    };
    for (const Case& c : cases) {
        TableCore fresh;
        ASSERT_TRUE(fresh.LoadFromBytes(DefaultDocument(3, 3)));
        QString message;
        EXPECT_FALSE(RunScript(fresh, c.script, "s.txt", &message)) << c.script;
        EXPECT_TRUE(message.startsWith(QLatin1String(c.error))) << c.script << " gave " << message.toStdString();
    }
}

// Each line that changes the table is one step of the same history the window's Undo and Redo
// walk; selecting is none, and the history keeps its last ten steps.
TEST_F(Script, UndoAndRedoWalkOneStepPerLine)
{
    t.ClearHistory();
    t.AddUndoStep(TUndoStep::Command);  // as a loaded document starts
    ASSERT_TRUE(Run("text 0 0 a\nselect 1 1\nformat bold=1\nmerge 1 1 1 1\nundo\nundo\n"))
        << error.toStdString();
    EXPECT_EQ(t.HistoryCount(), 4);
    EXPECT_EQ(t.HistoryPosition(), 1);
    EXPECT_EQ(t.Cell(0, 0).Text, "a");
    EXPECT_FALSE(t.Cell(1, 1).Bold);
    EXPECT_FALSE(t.Cell(1, 1).isMerged());
    ASSERT_TRUE(Run("redo\n")) << error.toStdString();
    EXPECT_TRUE(t.Cell(1, 1).Bold);
    ASSERT_TRUE(Run("undo\nundo\n")) << error.toStdString();
    EXPECT_EQ(t.Cell(0, 0).Text, "");
    EXPECT_FALSE(Run("undo\n"));
    EXPECT_EQ(error, "s.txt:1: nothing to undo");

    ASSERT_TRUE(Run("text 0 0 b\n")) << error.toStdString();
    EXPECT_FALSE(t.CanRedo()) << "a new step drops the redo part";
    QByteArray twelve;
    for (int i = 0; i < 12; ++i) twelve += "text 0 0 " + QByteArray::number(i) + "\n";
    ASSERT_TRUE(Run(twelve + "undo\nundo\nundo\nundo\nundo\nundo\nundo\nundo\nundo\n"))
        << error.toStdString();
    EXPECT_EQ(t.HistoryCount(), TableCore::kHistoryLimit);
    EXPECT_EQ(t.Cell(0, 0).Text, "2");
    EXPECT_FALSE(Run("undo\n"));
}

// ---- quillgrid-cli ------------------------------------------------------------------------------

namespace {

struct Result {
    int exitCode;
    QByteArray out, err;
};

struct Cli : ::testing::Test {
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

    Result Run(const QStringList& args) const
    {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(QG_BUILD_DIR "/quillgrid-cli"), args);
        EXPECT_TRUE(p.waitForFinished(-1));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }
};

}  // namespace

TEST_F(Cli, UsageAndBadUsage)
{
    const Result help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: quillgrid-cli"));
    // Every line of the script language is described, the history's included.
    for (const char* line : {"cols N", "rows N", "insert-col P", "insert-row P", "delete-col D",
                             "delete-row D", "merge C R EXTRACOLS EXTRAROWS", "split C R",
                             "select C R", "ctrl-click C R", "shift-click C R", "merge-selection",
                             "unmerge-selection", "format NAME=VALUE", "font NAME",
                             "text C R STRING", "undo", "redo"})
        EXPECT_TRUE(help.out.contains(line)) << line;

    for (const QStringList& bad : {QStringList{}, {"frobnicate"}, {"new"}, {"new", "a", "b"},
                                   {"new", "x.qgd", "--cols", "abc"}, {"new", "x.qgd", "--rows", "128"},
                                   {"new", "x.qgd", "--cols"}, {"export", "d.qgd", "--bogus"},
                                   {"export"}, {"check"}, {"dump"}, {"apply", "d.qgd"}}) {
        const Result r = Run(bad);
        EXPECT_EQ(r.exitCode, 64) << bad.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("Usage: quillgrid-cli")) << bad.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(path("x.qgd")));
}

TEST_F(Cli, NewWritesWhatTheEditorSaves)
{
    ASSERT_EQ(Run({"new", "t.qgd"}).exitCode, 0);
    EXPECT_EQ(ReadAll(path("t.qgd")).size(), 1320);
    EXPECT_EQ(ReadAll(path("t.qgd")), DefaultDocument());

    ASSERT_EQ(Run({"new", "big.qgd", "--cols", "4", "--rows", "5"}).exitCode, 0);
    EXPECT_EQ(ReadAll(path("big.qgd")), DefaultDocument(4, 5));

    WriteAll(path("blocker"), "a file");
    const Result r = Run({"new", "blocker/t.qgd"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("blocker/t.qgd"));
}

TEST_F(Cli, CheckReportsEachFile)
{
    WriteAll(path("good.qgd"), DefaultDocument(4, 1));
    QByteArray v3 = DefaultDocument();
    v3[0] = 3;
    WriteAll(path("v3.qgd"), v3);
    WriteAll(path("empty.qgd"), "");
    WriteAll(path("cut.qgd"), DefaultDocument().left(100));

    const Result ok = Run({"check", "good.qgd"});
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.out, "good.qgd: ok, 4 columns x 1 rows\n");

    const Result r = Run({"check", "good.qgd", "v3.qgd", "empty.qgd", "cut.qgd", "missing.qgd"});
    EXPECT_EQ(r.exitCode, 1);
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "good.qgd: ok, 4 columns x 1 rows");
    EXPECT_EQ(lines[1], "v3.qgd: unsupported format version 3");
    EXPECT_EQ(lines[2], "empty.qgd: empty file");
    EXPECT_TRUE(lines[3].startsWith("cut.qgd: cut short")) << lines[3].toStdString();
    EXPECT_TRUE(lines[3].contains("2 columns x 3 rows")) << "the file's own size: " << lines[3].toStdString();
    EXPECT_TRUE(lines[4].startsWith("missing.qgd: cannot open")) << lines[4].toStdString();
}

// Names and script lines are text, never a message's placeholders; a document that cannot be
// read and one whose content is refused end with the exit statuses the help gives.
TEST_F(Cli, MessagesKeepPercentSignsAndExitStatusesFollowTheHelp)
{
    WriteAll(path("100%1.qgd"), DefaultDocument(1, 3));
    EXPECT_EQ(Run({"check", "100%1.qgd"}).out, "100%1.qgd: ok, 1 columns x 3 rows\n");
    WriteAll(path("50%2 off.txt"), "text 9 9 %1 and %3\n");
    EXPECT_EQ(Run({"apply", "100%1.qgd", "50%2 off.txt"}).err, "50%2 off.txt:1: cell (9, 9) is outside the table\n");
    WriteAll(path("bold%1.txt"), "bold%2 1\n");
    EXPECT_TRUE(Run({"apply", "100%1.qgd", "bold%1.txt"}).err.startsWith("bold%1.txt:1: ")) << "the script's name";

    WriteAll(path("damaged.qgd"), DefaultDocument().left(100));
    for (const char* command : {"export", "dump"}) {
        EXPECT_EQ(Run({command, "damaged.qgd"}).exitCode, 1) << command << ": refused";
        EXPECT_EQ(Run({command, "absent.qgd"}).exitCode, 2) << command << ": cannot be read";
    }
}

TEST_F(Cli, DumpIsOneJsonObjectInTheDocumentOrder)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(1);
    t.SetRowCount(1);
    t.Cell(0, 0).Text = "a\r\n\"b\"\\";
    t.Cell(0, 0).BgColor = TColor(0x80000005);
    WriteAll(path("one.qgd"), t.SaveToBytes());
    const Result one = Run({"dump", "one.qgd"});
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_EQ(one.out,
              "{\"version\":1,\"colCount\":1,\"rowCount\":1,\"tableWidth\":{\"value\":0,\"units\":0},"
              "\"tableHeight\":{\"value\":0,\"units\":0},\"tableBorderWidth\":1,\"tableBorderColor\":8421504,"
              "\"cellsBorderWidth\":1,\"cellsBorderColor\":12632256,\"cellsTextMargin\":3,\"caption\":\"\","
              "\"colWidths\":[{\"value\":0,\"units\":0}],\"cells\":["
              "{\"col\":0,\"row\":0,\"text\":\"a\\r\\n\\\"b\\\"\\\\\",\"fontName\":\"Tahoma\",\"fontSize\":3,"
              "\"bold\":false,\"italic\":false,\"fontColor\":0,\"bgColor\":-2147483643,\"visible\":true,"
              "\"extraCols\":0,\"extraRows\":0,\"vAlign\":0,\"hAlign\":1,\"header\":false}]}\n");

    // Column by column, each from the top; covered cells included; text as UTF-8.
    t.SetColCount(2);
    t.SetRowCount(2);
    t.MergeCells(0, 1, 1, 0);
    t.Cell(1, 0).Text = QString::fromUtf8("é 😀");
    WriteAll(path("two.qgd"), t.SaveToBytes());
    const Result two = Run({"dump", "two.qgd"});
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(two.out, &parseError);
    ASSERT_EQ(parseError.error, QJsonParseError::NoError);
    const QJsonArray cells = json.object()["cells"].toArray();
    ASSERT_EQ(cells.size(), 4);
    const int order[][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cells[i].toObject()["col"].toInt(), order[i][0]);
        EXPECT_EQ(cells[i].toObject()["row"].toInt(), order[i][1]);
    }
    EXPECT_EQ(cells[1].toObject()["extraCols"].toInt(), 1);
    EXPECT_FALSE(cells[3].toObject()["visible"].toBool());
    EXPECT_EQ(cells[2].toObject()["text"].toString(), QString::fromUtf8("é 😀"));

    // Header cells, the caption and the column widths of a version 2 document, in dump and
    // in check.
    t.SetHeaderRows(0, 0, true);
    t.SetCaption(QStringLiteral("<b>Prices</b> 2024"));
    t.SetColWidth(1, {40, TSizeSpec::Percent});
    WriteAll(path("v2.qgd"), t.SaveToBytes());
    const QJsonObject v2 = QJsonDocument::fromJson(Run({"dump", "v2.qgd"}).out).object();
    EXPECT_EQ(v2["version"].toInt(), 2);
    EXPECT_EQ(v2["caption"].toString(), "<b>Prices</b> 2024");
    EXPECT_EQ(QJsonDocument(v2["colWidths"].toArray()).toJson(QJsonDocument::Compact),
              "[{\"units\":0,\"value\":0},{\"units\":1,\"value\":40}]");
    const QJsonArray v2Cells = v2["cells"].toArray();
    EXPECT_TRUE(v2Cells[0].toObject()["header"].toBool());
    EXPECT_FALSE(v2Cells[1].toObject()["header"].toBool());
    EXPECT_TRUE(v2Cells[2].toObject()["header"].toBool());
    EXPECT_EQ(Run({"check", "v2.qgd"}).out, "v2.qgd: ok, 2 columns x 2 rows, version 2: 2 header cells, a caption, 1 column width\n");
}

TEST_F(Cli, ExportWritesTheEditorsPage)
{
    TableCore t;
    t.ResetTable();
    t.Cell(0, 0).Text = QString::fromUtf8("Préis\r\n<b>1</b>");
    t.Cell(1, 2).Bold = true;
    t.TableWidth = {80, TSizeSpec::Percent};
    WriteAll(path("price.list.qgd"), t.SaveToBytes());
    ASSERT_TRUE(t.LoadFromFile(path("price.list.qgd")));

    const Result toStdout = Run({"export", "price.list.qgd"});
    EXPECT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.out, HTMLPage(t, "price.list"));
    EXPECT_EQ(Run({"export", "price.list.qgd", "-"}).out, toStdout.out);

    ASSERT_EQ(Run({"export", "--lowercase", "price.list.qgd", "page.htm", "--title", "Prices 2024"}).exitCode, 0);
    t.TagsLowerCase = true;
    const QString editorPage = path("editor.htm");
    ASSERT_TRUE(ExportHTML(t, editorPage, "Prices 2024"));
    EXPECT_EQ(ReadAll(path("page.htm")), ReadAll(editorPage));

    const Result missing = Run({"export", "nothere.qgd", "page.htm"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains("nothere.qgd"));
    const Result unwritable = Run({"export", "price.list.qgd", "page.htm/x.htm"});
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_TRUE(unwritable.err.contains("page.htm/x.htm"));
}

TEST_F(Cli, ExportFormatsTakeOptionsAnywhereAndReportOnStandardError)
{
    TableCore t;
    t.ResetTable();
    t.Cell(0, 0).Text = "Item";
    t.MergeCells(0, 1, 1, 0);
    WriteAll(path("doc.qgd"), t.SaveToBytes());
    ASSERT_TRUE(t.LoadFromFile(path("doc.qgd")));

    ExportOptions options;
    options.title = "doc";
    options.headerRow = true;
    options.caption = "Prices";
    const ExportResult markdown = ExportTable(t, ExportFormat::Markdown, options);
    const Result r = Run({"export", "--format", "markdown", "--caption", "Prices", "doc.qgd", "--header-row"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, markdown.data);
    ASSERT_EQ(r.err.count('\n'), qsizetype(markdown.report.items.size()));
    EXPECT_TRUE(r.err.contains("doc.qgd: cell (1, 2): merged cell (2x1) flattened")) << r.err.toStdString();

    ASSERT_EQ(Run({"export", "doc.qgd", "out.html", "--format", "html5", "--header-col"}).exitCode, 0);
    options = ExportOptions{};
    options.title = "doc";
    options.headerColumn = true;
    EXPECT_EQ(ReadAll(path("out.html")), ExportTable(t, ExportFormat::Html5Page, options).data);
    const Result classicTable = Run({"export", "doc.qgd", "--format", "fragment", "--style", "classic"});
    EXPECT_TRUE(classicTable.out.startsWith("<TABLE ")) << classicTable.out.toStdString();
    EXPECT_TRUE(Run({"export", "doc.qgd", "--format", "fragment"}).out.startsWith("<table style="));

    for (const QStringList& bad : {QStringList{"export", "doc.qgd", "--format", "docx"},
                                   QStringList{"export", "doc.qgd", "--format", "fragment", "--style", "new"},
                                   QStringList{"export", "doc.qgd", "--caption"}}) {
        const Result refused = Run(bad);
        EXPECT_EQ(refused.exitCode, 64) << bad.join(' ').toStdString();
        EXPECT_TRUE(refused.out.isEmpty());
    }
}

TEST_F(Cli, ApplySavesOnlyWhenTheWholeScriptRan)
{
    WriteAll(path("doc.qgd"), DefaultDocument());
    WriteAll(path("good.txt"), "cols 3\ntext 2 2 Total\\nsum\nmerge 0 0 1 0\n");
    ASSERT_EQ(Run({"apply", "doc.qgd", "good.txt", "-o", "out.qgd"}).exitCode, 0);
    EXPECT_EQ(ReadAll(path("doc.qgd")), DefaultDocument()) << "-o leaves the source alone";
    TableCore expected;
    ASSERT_TRUE(expected.LoadFromBytes(DefaultDocument()));
    ASSERT_TRUE(RunScript(expected, ReadAll(path("good.txt")), "good.txt"));
    EXPECT_EQ(ReadAll(path("out.qgd")), expected.SaveToBytes());

    WriteAll(path("bad.txt"), "cols 5\n# fine so far\ntext 9 9 nowhere\n");
    const Result bad = Run({"apply", "doc.qgd", "bad.txt"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "bad.txt:3: cell (9, 9) is outside the table\n");
    EXPECT_EQ(ReadAll(path("doc.qgd")), DefaultDocument()) << "nothing is written";

    ASSERT_EQ(Run({"apply", "doc.qgd", "good.txt"}).exitCode, 0);
    EXPECT_EQ(ReadAll(path("doc.qgd")), expected.SaveToBytes()) << "saved over the document itself";

    const Result noScript = Run({"apply", "doc.qgd", "none.txt"});
    EXPECT_EQ(noScript.exitCode, 2);
    EXPECT_TRUE(noScript.err.contains("none.txt"));
}

TEST_F(Cli, ImportAndTablesReadAPagesTables)
{
    const QString corpus = QStringLiteral(QG_SOURCE_DIR "/tests/data/import/");
    const Result imported = Run({"import", corpus + "wiki.html", "wiki.qgd", "--report", "report.json"});
    EXPECT_EQ(imported.exitCode, 0) << "a report is no failure";
    const HtmlImportResult expected = HtmlImport(ReadAll(corpus + "wiki.html")).Import(0);
    EXPECT_EQ(ReadAll(path("wiki.qgd")), expected.document);
    EXPECT_TRUE(imported.out.contains("table 0 imported into wiki.qgd, 4 columns x 7 rows\n"));
    EXPECT_TRUE(imported.out.contains("  cell (4, 5): nested table: kept as markup in the cell text\n"));
    const QJsonObject report = QJsonDocument::fromJson(ReadAll(path("report.json"))).object();
    EXPECT_EQ(report["columns"].toInt(), 4);
    EXPECT_EQ(report["notes"].toArray().size(), qsizetype(expected.report.Notes().size()));

    const Result listed = Run({"tables", corpus + "wiki.html"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out, "0  4 columns x 7 rows  \"Inner planets [1]\", \"Planet\", \"Orbit\"\n"
                          "1  1 column x 1 row, inside another table  \"Moon\"\n");
    ASSERT_EQ(Run({"import", corpus + "wiki.html", "inner.qgd", "--table", "1"}).exitCode, 0);
    EXPECT_EQ(ReadAll(path("inner.qgd")), HtmlImport(ReadAll(corpus + "wiki.html")).Import(1).document);

    // The program's own page comes back as the document.
    TableCore t;
    t.ResetTable();
    t.Cell(1, 2).Text = "<i>x</i> y";
    t.Cell(0, 1).Bold = true;
    ASSERT_TRUE(ExportHTML(t, path("own.htm"), "Own"));
    ASSERT_EQ(Run({"import", "own.htm", "own.qgd"}).exitCode, 0);
    EXPECT_EQ(ReadAll(path("own.qgd")), t.SaveToBytes());

    WriteAll(path("none.htm"), "<p>no table");
    for (const QStringList& refused : {QStringList{"import", "none.htm", "x.qgd"}, {"tables", "none.htm"},
                                       {"import", "own.htm", "x.qgd", "--table", "2"}}) {
        const Result r = Run(refused);
        EXPECT_EQ(r.exitCode, 1) << refused.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    // A page that cannot be read is a file error, as the help says.
    for (const QStringList& unreadable : {QStringList{"import", "missing.htm", "x.qgd"}, {"tables", "missing.htm"}}) {
        const Result r = Run(unreadable);
        EXPECT_EQ(r.exitCode, 2) << unreadable.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("missing.htm"));
    }
    EXPECT_FALSE(QFile::exists(path("x.qgd")));
    for (const QStringList& bad : {QStringList{"import", "own.htm"}, {"import", "own.htm", "x.qgd", "--table", "one"},
                                   {"import", "own.htm", "x.qgd", "--table"}, {"tables"}})
        EXPECT_EQ(Run(bad).exitCode, 64) << bad.join(' ').toStdString();
    EXPECT_EQ(Run({"import", "own.htm", "own.htm/x.qgd"}).exitCode, 2);
}
