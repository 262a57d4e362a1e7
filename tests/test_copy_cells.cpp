// A copied rectangle of cells: pasted elsewhere it gives the same cells field for field, and
// its HTML form reads back through the importer to the same texts and formats; in seeded
// random tables with merged cells, header cells and formats.

#include "ImportHelpers.h"

#include "core/TableCore.h"
#include "formats/export/AnchoredLines.h"
#include "formats/export/Export.h"
#include "formats/import/TablePaste.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

void RandomTable(TableCore& t, QRandomGenerator& rng)
{
    auto pick = [&](int n) { return int(rng.bounded(quint32(n))); };
    const char* const texts[] = {"Tea", "<b>Cake</b> &amp; tea", "1.50", "x &amp; y", "two\r\nlines", "", "Grüße"};
    t.ResetTable();
    t.SetColCount(2 + pick(6));
    t.SetRowCount(2 + pick(6));
    for (int n = pick(3); n > 0; --n) t.MergeCells(pick(t.ColCount), pick(t.RowCount), pick(3), pick(3));
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            TCell& cell = t.Cell(c, r);
            if (!cell.Visible) continue;
            cell.Text = QString::fromUtf8(texts[pick(7)]);
            cell.BgColor = TColor(pick(0x1000000));
            cell.FontColor = TColor(pick(0x1000000));
            cell.Italic = pick(2);
            cell.Bold = pick(2);
            cell.HAlign = pick(3);
            cell.VAlign = pick(3);
            cell.FontSize = 1 + pick(7);
            cell.Header = pick(4) == 0;
        }
}

}  // namespace

TEST(CopyCells, ARectanglePastedElsewhereIsTheSameCellsFieldForField)
{
    for (quint32 seed = 1; seed <= 200; ++seed) {
        QRandomGenerator rng(seed);
        TableCore t;
        RandomTable(t, rng);
        int c1 = int(rng.bounded(quint32(t.ColCount))), r1 = int(rng.bounded(quint32(t.RowCount)));
        int c2 = c1 + int(rng.bounded(quint32(t.ColCount - c1))), r2 = r1 + int(rng.bounded(quint32(t.RowCount - r1)));
        t.ExpandToMerged(c1, r1, c2, r2);
        const QByteArray copied = t.RangeDocument(c1, r1, c2, r2);
        TableCore part;
        ASSERT_TRUE(part.LoadFromBytes(copied)) << "seed " << seed;

        // Pasted at another place of another table: the same cells there.
        TableCore target;
        target.ResetTable();
        target.SetColCount(10);
        target.SetRowCount(10);
        ASSERT_TRUE(PasteTable(target, copied, 3, 2).pasted);
        TableCore back;
        ASSERT_TRUE(back.LoadFromBytes(target.RangeDocument(3, 2, 3 + part.ColCount - 1, 2 + part.RowCount - 1)));
        ASSERT_EQ(FirstDifference(part, back), "") << "seed " << seed;
        for (int c = 0; c < part.ColCount; ++c)
            for (int r = 0; r < part.RowCount; ++r)
                ASSERT_EQ(part.Cell(c, r).Header, back.Cell(c, r).Header) << "seed " << seed;

        // The HTML form, read by the importer, gives the same texts and formats (where every
        // row and column has a cell of its own, which an HTML table needs).
        const AnchoredLines lines(part);
        bool anchored = true;
        for (int c = 0; c < part.ColCount; ++c) anchored = anchored && lines.col(c);
        for (int r = 0; r < part.RowCount; ++r) anchored = anchored && lines.row(r);
        if (!anchored) continue;
        const ImportedTable imported = ImportPage(ExportTable(part, ExportFormat::Html5Page, {}).data);
        ASSERT_EQ(imported.problem, "") << "seed " << seed;
        ASSERT_EQ(FirstDifference(part, *imported.table), "") << "seed " << seed;
    }
}
