// The document format: exact bytes, round trips, refusal without side effects, safe saving.

#include "core/DocumentFormat.h"
#include "core/SafeFile.h"
#include "core/TableCore.h"
#include "formats/export/HtmlPage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

std::int32_t I32(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<std::int32_t>(bytes.constData() + offset);
}

void PutI32(QByteArray& bytes, qsizetype offset, std::int32_t value)
{
    qToLittleEndian<std::int32_t>(value, bytes.data() + offset);
}

QByteArray NewDocument()
{
    TableCore table;
    table.ResetTable();
    return table.SaveToBytes();
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A table with something in every kind of field, a merged cell and content in the spare
// column and row, so that a lossy round trip shows.
void FillVaried(TableCore& t)
{
    t.ResetTable();
    t.SetColCount(3);
    t.SetRowCount(2);
    t.TableWidth = {80, TSizeSpec::Percent};
    t.TableHeight = {400, TSizeSpec::Pixels};
    t.SetTableBorderWidth(4);
    t.SetTableBorderColor(0x123456);
    t.CellsBorderWidth = 2;
    t.CellsBorderColor = TColor(0x80000005);
    t.CellsTextMargin = 7;
    TCell& a = t.Cell(0, 0);
    a.Text = QString::fromUtf8("Zürich\r\n€ 😀 <b>x</b>");
    a.FontName = "Ωmega Sans";
    a.FontSize = -1;
    a.Bold = a.Italic = true;
    a.FontColor = 0x0000FF;
    a.BgColor = 0x00FF00;
    a.ExtraCols = 1;
    a.VAlign = 2;
    a.HAlign = 0;
    t.Cell(1, 0).reset(false);
    t.Cell(2, 1).Text = "last";
    t.Cell(3, 0).Text = "spare column";  // outside the counts, still stored
    t.Cell(0, 2).Text = "spare row";
    t.Cell(3, 2).FontSize = 7;
}

// The fixture of the refusal tests: a table with a history of two steps, undone once.
struct LoadedState {
    QByteArray document;
    int selCol, selRow, historyCount, historyPosition;
    bool changed;
    static LoadedState Of(const TableCore& t)
    {
        return {t.SaveToBytes(), t.SelCol, t.SelRow, t.HistoryCount(), t.HistoryPosition(), t.Changed};
    }
    bool operator==(const LoadedState&) const = default;
};

void PrepareEditedTable(TableCore& t)
{
    FillVaried(t);
    t.ClearHistory();
    t.AddUndoStep(TUndoStep::Command);
    t.SelectCell(2, 1);
    t.SetCellText(2, 1, "edited");
    t.AddUndoStep(TUndoStep::Typing);
    t.Undo();
    t.SelectCell(2, 0);
}

struct Refusal {
    const char* name;
    QByteArray (*make)();
    const char* reasonPart;
};

QByteArray WithI32(qsizetype offset, std::int32_t value)
{
    QByteArray doc = NewDocument();
    PutI32(doc, offset, value);
    return doc;
}

// First record's text length sits at 48 + 100.
constexpr qsizetype kFirstTextLength = 48 + 100;

const Refusal kRefusals[] = {
    {"Version3", [] { return WithI32(0, 3); }, "unsupported format version 3"},
    {"Empty", [] { return QByteArray(); }, "empty"},
    {"CutInHeader", [] { return NewDocument().left(30); }, "header"},
    {"CutInRecord", [] { return NewDocument().left(48 + 104 * 5 + 2 * 5 + 50); }, "cut short"},
    {"CutInLastText", [] { return NewDocument().chopped(1); }, "past the end"},
    {"ColCount128", [] { return WithI32(4, 128); }, "column count 128"},
    {"ColCountMinus1", [] { return WithI32(4, -1); }, "column count -1"},
    {"RowCount128", [] { return WithI32(8, 128); }, "row count 128"},
    {"RowCountMinus1", [] { return WithI32(8, -1); }, "row count -1"},
    {"NegativeTextLength", [] { return WithI32(kFirstTextLength, -2); }, "negative text length"},
    {"OddTextLength", [] { return WithI32(kFirstTextLength, 3); }, "odd text length"},
    {"OversizedTextLength", [] { return WithI32(kFirstTextLength, 0x7FFFFFFE); }, "past the end"},
    {"FontNameOver64", [] {
         QByteArray doc = NewDocument();
         doc[48] = char(65);
         return doc;
     }, "more than 64"},
    {"SpanOutsideTable", [] { return WithI32(48 + 88, 2); }, "outside the table"},
    {"NegativeSpan", [] { return WithI32(48 + 92, -1); }, "negative span"},
    {"SpansOnACoveredCell", [] {
         QByteArray doc = WithI32(48 + 106 + 88, 100000);  // the record of (0, 1)
         doc[48 + 106 + 84] = 0;
         return doc;
     }, "covered cell (0, 1) carries spans"},
};

class RefusedDocument : public ::testing::TestWithParam<Refusal> {};

}  // namespace

TEST(DocumentFormat, NewTableIsThe1320ByteFile)
{
    const QByteArray doc = NewDocument();
    ASSERT_EQ(doc.size(), 1320);
    const std::int32_t header[] = {1, 2, 3, 0, 0, 0, 0, 1, 8421504, 1, 12632256, 3};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(I32(doc, 4 * i), header[i]) << "header field " << i;

    // Every one of the 12 records is a default cell followed by one blank.
    for (int k = 0; k < 12; ++k) {
        const QByteArray rec = doc.mid(48 + k * 106, 106);
        SCOPED_TRACE(k);
        EXPECT_EQ(rec[0], 6);
        EXPECT_EQ(rec.mid(1, 6), "Tahoma");
        EXPECT_EQ(rec.mid(7, 61), QByteArray(61, '\0')) << "name tail and reserved bytes";
        EXPECT_EQ(I32(rec, 68), 3);
        EXPECT_EQ(rec.mid(72, 4), QByteArray(4, '\0')) << "bold, italic, reserved";
        EXPECT_EQ(I32(rec, 76), 0);
        EXPECT_EQ(I32(rec, 80), 16777215);
        EXPECT_EQ(rec.mid(84, 4), QByteArray("\x01\0\0\0", 4));
        EXPECT_EQ(I32(rec, 88), 0);
        EXPECT_EQ(I32(rec, 92), 0);
        EXPECT_EQ(rec.mid(96, 4), QByteArray("\x00\x01\0\0", 4));
        EXPECT_EQ(I32(rec, 100), 2);
        EXPECT_EQ(rec.mid(104, 2), QByteArray(" \0", 2));
    }
}

TEST(DocumentFormat, RoundTripKeepsEveryStoredFieldAndTheSpareLines)
{
    TableCore source;
    FillVaried(source);
    const QByteArray first = source.SaveToBytes();

    TableCore copy;
    ASSERT_TRUE(copy.LoadFromBytes(first));
    EXPECT_EQ(copy.SaveToBytes(), first);
    EXPECT_EQ(copy.Cell(0, 0).Text, source.Cell(0, 0).Text);
    EXPECT_EQ(copy.Cell(0, 0).FontName, "Ωmega Sans");
    EXPECT_EQ(copy.Cell(3, 0).Text, "spare column");
    EXPECT_EQ(copy.Cell(0, 2).Text, "spare row");
    EXPECT_EQ(copy.Cell(3, 2).FontSize, 7);
    EXPECT_FALSE(copy.Cell(1, 0).Visible);
    EXPECT_EQ(copy.TableWidth, (TSizeSpec{80, TSizeSpec::Percent}));
    EXPECT_EQ(copy.TableHeight, (TSizeSpec{400, TSizeSpec::Pixels}));
    EXPECT_EQ(copy.TableBorderWidth(), 4);
    EXPECT_EQ(copy.TableBorderColor(), 0x123456);
    EXPECT_EQ(copy.CellsBorderColor, TColor(0x80000005));

    // Through a stream positioned elsewhere: the loader starts from the beginning.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(copy.SaveToStream(buffer));
    TableCore third;
    ASSERT_TRUE(third.LoadFromStream(buffer));
    EXPECT_EQ(third.SaveToBytes(), first);
}

// Header values are stored as the document holds them, without range checks: a re-save gives
// the same bytes and the page writes what is stored.
TEST(DocumentFormat, HeaderValuesOutsideTheDialogRangesLoadAndSaveUnchanged)
{
    for (const std::int32_t width : {-5, -0x7FFFFFFF - 1, 33, 0x7FFFFFFF}) {
        SCOPED_TRACE(width);
        const QByteArray doc = WithI32(28, width);
        TableCore t;
        ASSERT_TRUE(t.LoadFromBytes(doc));
        EXPECT_EQ(t.TableBorderWidth(), width);
        EXPECT_EQ(t.SaveToBytes(), doc);
        EXPECT_TRUE(HTMLPage(t, "t").contains("CELLSPACING=\"" + QByteArray::number(width) + "\" CELLPADDING=\"0\""));
    }
}

TEST(DocumentFormat, BlankAndNulTextsLoadAsTheFormatSays)
{
    TableCore t;
    t.ResetTable();
    t.Cell(0, 0).Text = " ";
    t.Cell(1, 0).Text = QStringLiteral("ab") + QChar(0) + QStringLiteral("cd");
    t.Cell(0, 1).Text = "  ";
    ASSERT_TRUE(t.LoadFromBytes(t.SaveToBytes()));
    EXPECT_EQ(t.Cell(0, 0).Text, "") << "one blank stands for no text";
    EXPECT_EQ(t.Cell(1, 0).Text, "ab") << "a code unit 0 ends the text";
    EXPECT_EQ(t.Cell(0, 1).Text, "  ");
}

TEST(DocumentFormat, LoadSelectsTheFirstCellAndFollowsTheDocument)
{
    TableCore t;
    FillVaried(t);
    const QByteArray doc = t.SaveToBytes();
    t.SelectCell(2, 1);
    t.Cell(0, 1).Selected = true;
    t.Cell(0, 0).Rect = {1, 2, 3, 4};
    ASSERT_TRUE(t.LoadFromBytes(doc));
    EXPECT_EQ(t.SelCol, 0);
    EXPECT_EQ(t.SelRow, 0);
    EXPECT_TRUE(t.Cell(0, 0).Selected);
    EXPECT_FALSE(t.Cell(0, 1).Selected);
    EXPECT_FALSE(t.Cell(2, 1).Selected);
    EXPECT_EQ(t.Cell(0, 0).Rect, (TRect{1, 2, 3, 4})) << "rectangles belong to the layout";

    // A table without rows has no current cell.
    TableCore empty;
    empty.ResetTable();
    empty.SetRowCount(0);
    ASSERT_TRUE(t.LoadFromBytes(empty.SaveToBytes()));
    EXPECT_EQ(t.SelCol, -1);
    EXPECT_EQ(t.RowCount, 0);
}

TEST_P(RefusedDocument, ChangesNothingAndSaysWhy)
{
    const Refusal& r = GetParam();
    TableCore t;
    PrepareEditedTable(t);
    const LoadedState before = LoadedState::Of(t);

    QString reason;
    EXPECT_FALSE(t.LoadFromBytes(r.make(), &reason));
    EXPECT_TRUE(reason.contains(QLatin1String(r.reasonPart))) << reason.toStdString();
    EXPECT_TRUE(LoadedState::Of(t) == before);

    QTemporaryDir dir;
    const QString path = dir.filePath("bad.qgd");
    ASSERT_TRUE(WriteAll(path, r.make()));
    reason.clear();
    EXPECT_FALSE(t.LoadFromFile(path, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(LoadedState::Of(t) == before);
    EXPECT_TRUE(t.CanRedo()) << "the history keeps its redo part";
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedDocument, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentFormat, ParserRejectsEveryTruncationOfAValidDocument)
{
    TableCore t;
    FillVaried(t);
    const QByteArray doc = t.SaveToBytes();
    for (qsizetype n = 0; n < doc.size(); ++n) {
        QString reason;
        ASSERT_FALSE(DocumentFormat::ParseDocument(doc.left(n), &reason)) << n;
        ASSERT_FALSE(reason.isEmpty());
    }
    EXPECT_TRUE(DocumentFormat::ParseDocument(doc));
    EXPECT_TRUE(DocumentFormat::ParseDocument(doc + "trailing bytes are ignored"));
}

TEST(DocumentFormat, LoadFromFileStartsAFreshHistory)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.qgd");
    TableCore source;
    FillVaried(source);
    ASSERT_TRUE(source.SaveToFile(path));
    EXPECT_EQ(ReadAll(path), source.SaveToBytes());

    TableCore t;
    PrepareEditedTable(t);
    int changes = 0;
    t.OnChange = [&] { ++changes; };
    ASSERT_TRUE(t.LoadFromFile(path));
    EXPECT_EQ(t.HistoryCount(), 1);
    EXPECT_FALSE(t.Changed);
    EXPECT_FALSE(t.CanUndo());
    EXPECT_FALSE(t.CanRedo());
    EXPECT_EQ(changes, 1);

    QString reason;
    EXPECT_FALSE(t.LoadFromFile(dir.filePath("missing.qgd"), &reason));
    EXPECT_TRUE(reason.startsWith("cannot open")) << reason.toStdString();
    EXPECT_FALSE(t.LoadFromFile(dir.path(), &reason)) << "a folder is no document";
}

// ---- Safe saving ------------------------------------------------------------------------------

namespace {

struct SaveTarget {
    QTemporaryDir dir;
    QString path = dir.filePath("doc.qgd");
    QByteArray oldBytes = NewDocument();
    TableCore table;

    SaveTarget()
    {
        WriteAll(path, oldBytes);
        FillVaried(table);
        // Bigger than one write chunk, so that several write steps happen.
        table.Cell(1, 1).Text = QString(70000, QChar('x'));
    }
    bool Untouched() const
    {
        return ReadAll(path) == oldBytes && QDir(dir.path()).entryList(QDir::Files) == QStringList{"doc.qgd"};
    }
};

}  // namespace

TEST(SafeSave, EachFailingStepLeavesThePreviousFile)
{
    for (const auto step : {SafeFile::Step::Open, SafeFile::Step::Write, SafeFile::Step::Flush,
                            SafeFile::Step::Commit}) {
        for (int k = 1; k <= 3; ++k) {
            SaveTarget target;
            int seen = 0;
            SafeFile::SetFaultHook([&](SafeFile::Step s) { return s == step && ++seen == k; });
            QString error;
            const bool saved = target.table.SaveToFile(target.path, &error);
            SafeFile::SetFaultHook({});
            if (seen < k) {  // the save had fewer such steps: nothing was injected
                EXPECT_TRUE(saved);
                continue;
            }
            SCOPED_TRACE(testing::Message() << "step " << int(step) << " k " << k);
            EXPECT_FALSE(saved);
            EXPECT_TRUE(error.contains(target.path)) << error.toStdString();
            EXPECT_TRUE(target.Untouched());
            // A retry after the fault succeeds.
            EXPECT_TRUE(target.table.SaveToFile(target.path));
            EXPECT_EQ(ReadAll(target.path), target.table.SaveToBytes());
        }
    }
}

TEST(SafeSave, FileSizeLimitLeavesThePreviousFile)
{
    SaveTarget target;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool saved = target.table.SaveToFile(target.path, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.contains(target.path)) << error.toStdString();
    EXPECT_TRUE(target.Untouched());
}

TEST(SafeSave, UnreachableTargetsFailCleanly)
{
    SaveTarget target;
    QString error;
    // The parent of the target is a file.
    EXPECT_FALSE(target.table.SaveToFile(target.path + "/inner.qgd", &error));
    EXPECT_TRUE(error.contains("inner.qgd")) << error.toStdString();
    // The target is a folder.
    const QString folder = target.dir.filePath("folder");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(target.table.SaveToFile(folder, &error));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(ReadAll(target.path), target.oldBytes);
}

TEST(SafeSave, ReadOnlyFolderLeavesThePreviousFile)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    SaveTarget target;
    QFile::setPermissions(target.dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QString error;
    const bool saved = target.table.SaveToFile(target.path, &error);
    QFile::setPermissions(target.dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(target.Untouched());
}

TEST(DocumentFormat, MutatedDocumentsAreRefusedOrLoadWhole)
{
    TableCore source;
    FillVaried(source);
    const QByteArray valid = source.SaveToBytes();
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    int accepted = 0;
    for (int i = 0; i < 1000; ++i) {
        QByteArray doc = valid;
        const int flips = 1 + int(next() % 4);
        for (int f = 0; f < flips; ++f) {
            // Mostly the header and the first records, where counts and lengths live.
            const qsizetype at = qsizetype(next() % (f == 0 ? 400u : std::uint32_t(doc.size())));
            doc[at] = char(next() >> 24);
        }
        if (next() % 8 == 0) doc.truncate(qsizetype(next() % std::uint32_t(doc.size())));
        TableCore t;
        t.ResetTable();
        const QByteArray before = t.SaveToBytes();
        QString reason;
        if (t.LoadFromBytes(doc, &reason)) {
            ++accepted;
            // Whatever was accepted saves, loads again to the same bytes and exports.
            const QByteArray saved = t.SaveToBytes();
            TableCore again;
            ASSERT_TRUE(again.LoadFromBytes(saved));
            ASSERT_EQ(again.SaveToBytes(), saved);
            ASSERT_FALSE(HTMLPage(t, "t").isEmpty());
        } else {
            ASSERT_FALSE(reason.isEmpty());
            ASSERT_EQ(t.SaveToBytes(), before);
        }
    }
    EXPECT_GT(accepted, 0);
}
