// The editor's shortcuts must never show: a layout built from remembered measurements equals a
// layout measured afresh, a history entry built from pieces of the one before holds exactly
// the bytes of the whole table, and undo that re-reads only changed columns restores exactly
// the recorded table. Checked after every step of seeded random editing.

#include "core/TableEdit.h"
#include "grid/TextMeasure.h"
#include "tests/TableFixture.h"

#include <QRandomGenerator>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Geometry {
    std::vector<TRect> rects;
    int height = 0;
    bool operator==(const Geometry&) const = default;
};

Geometry Snapshot(const TTable& t)
{
    Geometry g;
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) g.rects.push_back(t.Cell(c, r).Rect);
    g.height = t.height();
    return g;
}

// The layout as a table that never measured anything would compute it.
Geometry FreshLayout(TTable& t)
{
    layout::ClearMeasureCaches();
    for (int c = 0; c < kStoreSize; ++c)
        for (int r = 0; r < kStoreSize; ++r) t.Cell(c, r).Measured = TMeasureCache();
    t.UpdateLayout();
    return Snapshot(t);
}

const char* const kWords[] = {"a", "table", "of", "<b>bold</b>", "verylongwordthatmustbreak",
                              "x", "€uro", "grid", " ", "\r\n"};

QString RandomText(QRandomGenerator& rng)
{
    QString text;
    const int words = rng.bounded(8);
    for (int i = 0; i < words; ++i) {
        if (i) text += QLatin1Char(' ');
        text += QString::fromUtf8(kWords[rng.bounded(int(std::size(kWords)))]);
    }
    return text;
}

class Editing {
public:
    Editing(TTable& table, quint32 seed) : t(table), rng(seed) {}

    // One random step, as the program would take it; returns its name for messages.
    QString step()
    {
        const int col = rng.bounded(std::max(1, t.ColCount));
        const int row = rng.bounded(std::max(1, t.RowCount));
        switch (rng.bounded(11)) {
        case 0:
            if (t.SelectCell(col, row)) t.ResetSelection();
            return "select";
        case 1: case 2:
            if (t.Edit()->isHidden()) t.SelectCell(0, 0);
            QTest::keyClicks(t.Edit(), rng.bounded(2) ? "ab c" : "word");
            if (rng.bounded(3) == 0) QTest::keyClick(t.Edit(), Qt::Key_Return);
            return "type";
        case 3: {
            TableEdit edit(t);
            t.MergeCells(col, row, rng.bounded(3), rng.bounded(3));
            return "merge";
        }
        case 4: {
            TableEdit edit(t);
            t.InsertRow(row);
            return "insert row";
        }
        case 5: {
            TableEdit edit(t);
            t.DeleteColumn(col);
            return "delete column";
        }
        case 6: {
            TCell format;
            format.FontSize = rng.bounded(-1, 8);
            format.Bold = rng.bounded(2);
            t.SelectRangeTo(col, row);
            TableEdit edit(t);
            t.ApplyFormat(format, cfFontSize | cfBold);
            return "format";
        }
        case 7: {
            TableEdit edit(t);
            t.SetCellText(col, row, RandomText(rng));
            return "text";
        }
        case 8:
            t.Undo();
            return "undo";
        case 9:
            t.Redo();
            return "redo";
        default: {
            TableEdit edit(t);
            t.SetColCount(t.ColCount + rng.bounded(-1, 2));
            return "columns";
        }
        }
    }

private:
    TTable& t;
    QRandomGenerator rng;
};

}  // namespace

TEST(FastPaths, LayoutHistoryAndUndoMatchTheirFullComputation)
{
    for (quint32 seed = 1; seed <= 40; ++seed) {
        TableFixture f(300 + int(seed) * 7, 1 + int(seed % 5), 1 + int(seed % 4));
        TTable& t = *f.table;
        QRandomGenerator rng(seed);
        for (int c = 0; c < t.ColCount; ++c)
            for (int r = 0; r < t.RowCount; ++r) t.SetCellText(c, r, RandomText(rng));
        t.ClearHistory();
        t.AddUndoStep(TUndoStep::Command);
        Editing editing(t, seed * 7919);
        for (int i = 0; i < 60; ++i) {
            const QString what = editing.step();
            const std::string where = "seed " + std::to_string(seed) + ", step " +
                                      std::to_string(i) + " (" + what.toStdString() + ")";
            ASSERT_EQ(t.HistoryStep(t.HistoryPosition()).document(), t.SaveToBytes())
                << "the newest entry holds the table, " << where;
            const Geometry cached = Snapshot(t);
            const Geometry fresh = FreshLayout(t);
            ASSERT_EQ(cached.height, fresh.height) << "control height, " << where;
            for (std::size_t k = 0; k < cached.rects.size(); ++k)
                ASSERT_TRUE(cached.rects[k] == fresh.rects[k])
                    << "cell " << k / std::max(1, t.RowCount) << "," << k % std::max(1, t.RowCount)
                    << " top " << cached.rects[k].Top << "/" << fresh.rects[k].Top << " bottom "
                    << cached.rects[k].Bottom << "/" << fresh.rects[k].Bottom << ", " << where;
        }
    }
}
