// Header cells, the caption and column widths: version 2 of the document (its bytes, its
// round trip and each refusal), and the operations that carry them (insert, delete, merge,
// split, undo and redo), checked with the table invariants.

#include "TableInvariants.h"

#include "core/DocumentFormat.h"
#include "core/TableCore.h"
#include "core/TableEdit.h"

#include <QRandomGenerator>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct Random {
    QRandomGenerator rng;
    explicit Random(quint32 seed) : rng(seed) {}
    int Int(int low, int high) { return low + int(rng.bounded(quint32(high - low + 1))); }
    TSizeSpec Width()
    {
        switch (Int(0, 2)) {
        case 1: return {Int(1, 100), TSizeSpec::Percent};
        case 2: return {Int(1, DocumentFormat::kMaxColumnPixels), TSizeSpec::Pixels};
        default: return {};
        }
    }
};

// A table of up to 12 x 12 with merges, some header rows and columns, maybe a caption and
// some widths.
void RandomTable(TableCore& t, quint32 seed)
{
    Random rnd(seed);
    t.ResetTable();
    t.SetColCount(rnd.Int(1, 12));
    t.SetRowCount(rnd.Int(1, 12));
    for (int n = rnd.Int(0, 3); n > 0; --n)
        t.MergeCells(rnd.Int(0, t.ColCount - 1), rnd.Int(0, t.RowCount - 1), rnd.Int(0, 3), rnd.Int(0, 3));
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r)
            if (t.Cell(c, r).Visible) t.Cell(c, r).Text = QStringLiteral("c%1r%2").arg(c).arg(r);
    if (rnd.Int(0, 1)) t.SetHeaderRows(0, rnd.Int(0, 1), true);
    if (rnd.Int(0, 2) == 0) t.SetHeaderColumns(0, 0, true);
    if (rnd.Int(0, 1)) t.SetCaption(rnd.Int(0, 1) ? QStringLiteral("<b>Prices</b>\r\n2024 &amp; after") : QStringLiteral("x"));
    for (int c = 0; c < t.ColCount; ++c)
        if (rnd.Int(0, 2) == 0) t.SetColWidth(c, rnd.Width());
}

TableCore& Loaded(TableCore& t, const QByteArray& bytes)
{
    QString reason;
    EXPECT_TRUE(t.LoadFromBytes(bytes, &reason)) << reason.toStdString();
    return t;
}

// Header flags, caption and widths of two tables, as text; empty when they agree.
std::string StructureDifference(const TableCore& a, const TableCore& b)
{
    if (a.Caption != b.Caption) return "caption";
    for (int c = 0; c < a.ColCount; ++c) {
        if (a.ColWidths[std::size_t(c)] != b.ColWidths[std::size_t(c)]) return "width of column " + std::to_string(c);
        for (int r = 0; r < a.RowCount; ++r)
            if (a.Cell(c, r).Header != b.Cell(c, r).Header) return "header of " + invariants::At(c, r);
    }
    return {};
}

std::int32_t I32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<std::int32_t>(bytes.constData() + at);
}

}  // namespace

TEST(Version2, ADocumentWithoutTheNewFieldsIsVersion1ByteForByte)
{
    TableCore t;
    t.ResetTable();
    const QByteArray v1 = t.SaveToBytes();
    EXPECT_EQ(I32(v1, 0), 1);
    t.SetHeaderRows(0, 0, true);
    t.SetCaption("c");
    t.SetColWidth(1, {20, TSizeSpec::Pixels});
    const QByteArray v2 = t.SaveToBytes();
    EXPECT_EQ(I32(v2, 0), 2);
    EXPECT_EQ(v2.left(v1.size()).mid(4), v1.mid(4)) << "the version 1 layout, then the extension";
    t.SetHeaderRows(0, 0, false);
    t.SetCaption({});
    t.SetColWidth(1, {});
    EXPECT_EQ(t.SaveToBytes(), v1);
}

TEST(Version2, TheExtensionIsLaidOutAsDocumented)
{
    TableCore t;
    t.ResetTable();  // 2 x 3
    t.Cell(0, 0).Header = t.Cell(1, 2).Header = true;
    t.SetCaption("Ab");
    t.SetColWidth(0, {50, TSizeSpec::Percent});
    const QByteArray bytes = t.SaveToBytes();
    TableCore v1;
    v1.ResetTable();
    const QByteArray ext = bytes.mid(v1.SaveToBytes().size());
    // size, contents, 1 byte of bits (cells 0 and 5), caption length 4 and "Ab", two widths.
    const QByteArray expected = QByteArray::fromHex("1d000000" "07000000" "21" "04000000" "41006200"
                                                    "3200000001000000" "0000000000000000");
    EXPECT_EQ(ext.toHex(), expected.toHex());
}

TEST(Version2, FiveHundredRandomDocumentsLoadAndSaveBackTheSameBytes)
{
    for (quint32 seed = 1; seed <= 500; ++seed) {
        TableCore t;
        RandomTable(t, seed);
        ASSERT_EQ(invariants::Check(t), "") << "seed " << seed;
        const QByteArray bytes = t.SaveToBytes();
        TableCore back;
        Loaded(back, bytes);
        ASSERT_EQ(StructureDifference(t, back), "") << "seed " << seed;
        ASSERT_EQ(back.SaveToBytes(), bytes) << "seed " << seed;
        // Every cut of a version 2 document is refused with a reason: its extension ends it.
        if (seed <= 20 && t.UsesExtension())
            for (qsizetype n = 0; n < bytes.size(); n += 1 + n / 64) {
                QString reason;
                ASSERT_FALSE(DocumentFormat::ParseDocument(bytes.left(n), &reason)) << "seed " << seed << ", " << n;
                ASSERT_FALSE(reason.isEmpty());
            }
    }
}

// Each broken extension is refused with its reason, and the table stays as it was.
TEST(Version2, BrokenExtensionsAreRefusedWithTheirReason)
{
    TableCore source;
    source.ResetTable();  // 2 x 3: six cells, one byte of bits
    source.Cell(0, 0).Header = true;
    source.SetCaption("Ab");
    source.SetColWidth(1, {30, TSizeSpec::Pixels});
    const QByteArray good = source.SaveToBytes();
    TableCore v1;
    v1.ResetTable();
    const qsizetype ext = v1.SaveToBytes().size();  // where the extension begins
    auto put = [&](qsizetype at, std::int32_t value) {
        QByteArray b = good;
        qToLittleEndian<std::int32_t>(value, b.data() + at);
        return b;
    };
    auto byte = [&](qsizetype at, char value) {
        QByteArray b = good;
        b[at] = value;
        return b;
    };
    const qsizetype bits = ext + 8, caption = bits + 1, widths = caption + 4 + 4;
    const struct {
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {good.left(ext), "version 2 document without its extension"},
        {good + "x", "the extension says 29 bytes, the file holds 30 after it"},
        {put(ext, 36), "the extension says 36 bytes"},
        {put(ext + 4, 8 | 1), "unknown parts in the extension (contents 9)"},
        {byte(bits, char(0x41)), "a header bit is set past the last cell"},
        {put(caption, 3), "caption length 3 is not a positive even number"},
        {put(caption, 0), "caption length 0"},
        {put(caption, 400), "caption length 400 runs past the end"},
        {byte(caption + 4, 0).replace(caption + 5, 1, QByteArray(1, 0)), "the caption holds a code unit 0"},
        {put(widths + 8, 0), "width of column 1 is not automatic"},
        {put(widths + 8, 32768), "width of column 1"},
        {byte(widths + 8 + 4, 3), "units 3"},
        {byte(widths + 8 + 5, 1), "width of column 1"},
        {put(widths, 5), "width of column 0"},  // automatic with a value
    };
    for (const auto& k : cases) {
        TableCore t;
        t.ResetTable();
        t.SetCellText(1, 1, "kept");
        const QByteArray before = t.SaveToBytes();
        QString reason;
        EXPECT_FALSE(t.LoadFromBytes(k.bytes, &reason)) << k.reason;
        EXPECT_TRUE(reason.contains(QLatin1String(k.reason))) << k.reason << " / " << reason.toStdString();
        EXPECT_EQ(t.SaveToBytes(), before) << k.reason;
    }
    // A covered cell cannot be a header cell: its merged cell is one by its anchor.
    TableCore merged;
    merged.ResetTable();
    merged.MergeCells(0, 0, 1, 0);
    merged.Cell(0, 0).Header = true;
    QByteArray covered = merged.SaveToBytes();
    const qsizetype mergedBits = covered.size() - 1;  // the extension holds only the bits
    covered[mergedBits] = char(covered[mergedBits] | (1 << 3));  // cell (1, 0): bit 3
    QString reason;
    EXPECT_FALSE(DocumentFormat::ParseDocument(covered, &reason));
    EXPECT_EQ(reason, "covered cell (1, 0) is marked as a header cell");
}

TEST(HeaderRowsAndColumns, AreWholeLinesOfHeaderCells)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(3);
    t.MergeCells(1, 0, 1, 1);  // (1,0)-(2,1)
    EXPECT_FALSE(t.IsHeaderRow(0));
    t.SetHeaderRows(0, 0, true);
    EXPECT_TRUE(t.IsHeaderRow(0));
    EXPECT_FALSE(t.Cell(2, 0).Header) << "a covered cell stays plain";
    EXPECT_FALSE(t.IsHeaderRow(1)) << "(0, 1) begins there and is plain";
    t.Cell(0, 1).Header = true;
    EXPECT_TRUE(t.IsHeaderRow(1)) << "the merged cell begins above";
    EXPECT_FALSE(t.IsHeaderColumn(2)) << "no cell begins in column 2 but (2, 2), plain";
    t.SetHeaderColumns(0, 0, true);
    EXPECT_TRUE(t.IsHeaderColumn(0));
    t.SetHeaderRows(0, 1, false);
    EXPECT_FALSE(t.Cell(1, 0).Header);
    EXPECT_TRUE(t.Cell(0, 2).Header);
    EXPECT_EQ(invariants::Check(t), "");
}

// Insert, delete, merge, split, paste-like assignment, undo and redo carry the header flags,
// the caption and the widths: a column's width moves with its column.
TEST(HeaderRowsAndColumns, OperationsCarryFlagsCaptionAndWidths)
{
    TableCore t;
    t.ResetTable();
    t.SetColCount(4);
    t.StartHistory();
    {
        TableEdit edit(t);
        for (int c = 0; c < 4; ++c) t.SetColWidth(c, {10 * (c + 1), TSizeSpec::Pixels});
        t.SetHeaderColumns(3, 3, true);
        t.SetCaption("cap");
    }
    const QByteArray start = t.SaveToBytes();
    {
        TableEdit edit(t);
        t.InsertColumn(1);
    }
    EXPECT_EQ(t.ColWidths[1], TSizeSpec{});
    EXPECT_EQ(t.ColWidths[2], (TSizeSpec{20, TSizeSpec::Pixels}));
    EXPECT_TRUE(t.Cell(4, 0).Header);
    EXPECT_FALSE(t.Cell(1, 0).Header);
    {
        TableEdit edit(t);
        t.DeleteColumn(0);
    }
    EXPECT_EQ(t.ColWidths[0], TSizeSpec{});
    EXPECT_EQ(t.ColWidths[3], (TSizeSpec{40, TSizeSpec::Pixels}));
    EXPECT_EQ(t.ColWidths[4], TSizeSpec{}) << "the column that left the table is automatic again";
    {
        TableEdit edit(t);
        t.MergeCells(2, 0, 1, 1);  // over (3, 0) and (3, 1), which are header cells
    }
    EXPECT_FALSE(t.Cell(2, 0).Header) << "the merged cell is its anchor's";
    EXPECT_FALSE(t.Cell(3, 1).Header);
    {
        TableEdit edit(t);
        t.SplitCell(2, 0);
    }
    EXPECT_FALSE(t.Cell(3, 0).Header) << "split cells start plain";
    EXPECT_TRUE(t.Cell(3, 2).Header);
    EXPECT_EQ(invariants::Check(t), "");
    const QByteArray end = t.SaveToBytes();
    while (t.CanUndo()) t.Undo();
    t.Redo();
    EXPECT_EQ(t.SaveToBytes(), start);
    while (t.CanRedo()) t.Redo();
    EXPECT_EQ(t.SaveToBytes(), end);
    // Typing keeps the extension the last command wrote.
    t.SelectCell(0, 0);
    t.Cell(0, 0).Text = "typed";
    t.AddUndoStep(TUndoStep::Typing);
    t.Undo();
    t.Redo();
    EXPECT_EQ(t.Cell(0, 0).Text, "typed");
    EXPECT_EQ(t.Caption, "cap");
    EXPECT_TRUE(t.Cell(3, 2).Header);
    // Shrinking and growing the table leaves the new columns automatic.
    t.SetColCount(2);
    t.SetColCount(5);
    EXPECT_EQ(t.ColWidths[3], TSizeSpec{});
    EXPECT_FALSE(t.Cell(3, 2).Header);
    // Widths the format does not hold make the column automatic.
    t.SetColWidth(0, {0, TSizeSpec::Pixels});
    EXPECT_EQ(t.ColWidths[0], TSizeSpec{});
    t.SetColWidth(0, {101, TSizeSpec::Percent});
    EXPECT_EQ(t.ColWidths[0], TSizeSpec{});
}
