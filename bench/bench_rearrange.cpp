// Rearranging the full table as the window does it: sorting every row, Replace All of a
// common letter, searching the whole table for what it does not hold, copying every cell to
// the clipboard in its three forms, and transposing; each with its undo step and repaint.

#include "bench/BenchFixture.h"

#include "app/MainWindow.h"
#include "core/FindReplace.h"
#include "core/Sorting.h"
#include "core/TableEdit.h"
#include "grid/Tables.h"

#include <QAction>
#include <benchmark/benchmark.h>

namespace {

bench::Editor& Unmerged()
{
    bench::Editor& editor = bench::MainWindow();
    bench::LoadFixture(editor);
    TTable& t = *editor.table;
    // Sorting needs rows that no merged cell spans.
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) t.SplitCell(c, r);
    t.StartHistory();
    bench::Settle();
    return editor;
}

void BM_SortRows(benchmark::State& state)
{
    bench::Editor& editor = Unmerged();
    const QCollator collator = SortCollator(QStringLiteral("en"));
    bool ascending = true;
    for (auto _ : state) {
        {
            TableEdit edit(*editor.table);
            SortRows(*editor.table, 0, -1, {{3, ascending}}, collator);
        }
        ascending = !ascending;
        bench::Settle();
    }
}

void BM_ReplaceAllLetter(benchmark::State& state)
{
    bench::Editor& editor = Unmerged();
    FindOptions options;
    options.matchCase = true;
    bool upper = false;
    for (auto _ : state) {
        options.pattern = upper ? QStringLiteral("E") : QStringLiteral("e");
        {
            TableEdit edit(*editor.table);
            benchmark::DoNotOptimize(ReplaceAll(*editor.table, options, upper ? QStringLiteral("e") : QStringLiteral("E")));
        }
        upper = !upper;
        bench::Settle();
    }
}

void BM_FindNotThere(benchmark::State& state)
{
    bench::Editor& editor = Unmerged();
    FindOptions options;
    options.pattern = QStringLiteral("nowhere in the table");
    for (auto _ : state) benchmark::DoNotOptimize(FindNext(*editor.table, options, 0, 0, 0, false));
}

void BM_CopyWholeTable(benchmark::State& state)
{
    bench::Editor& editor = Unmerged();
    TTable& t = *editor.table;
    t.SelectCell(0, 0);
    t.SelectAllCells();
    for (auto _ : state) {
        editor.form->actCopy->trigger();
        bench::Settle();
    }
}

void BM_Transpose(benchmark::State& state)
{
    bench::Editor& editor = Unmerged();
    for (auto _ : state) {
        {
            TableEdit edit(*editor.table);
            editor.table->Transpose();
        }
        bench::Settle();
    }
}

}  // namespace

BENCHMARK(BM_SortRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllLetter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNotThere)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyWholeTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Transpose)->Unit(benchmark::kMillisecond);
