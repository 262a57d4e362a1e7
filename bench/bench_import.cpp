// Importing a page: the program's own page of the full 127 x 127 fixture with every cell
// formatted differently, into a document; beside it, in the same run, a plain copy of the
// page's bytes (the floor any reading of the page has) and the HTML5 parse alone. Also the
// fixture's CSV read back, and the fixture pasted over a full table as Paste Table does it.

#include "bench/BenchFixture.h"

#include "core/TableCore.h"
#include "formats/export/CsvWriter.h"
#include "formats/export/HtmlPage.h"
#include "formats/import/Csv.h"
#include "formats/import/HtmlImport.h"
#include "formats/import/HtmlTree.h"
#include "formats/import/TablePaste.h"

#include <benchmark/benchmark.h>

namespace {

void FormatCell(TCell& cell, int c, int r)
{
    static const char* const faces[] = {"Arial", "Georgia", "Courier New", "Verdana"};
    cell.FontName = faces[(c + r) % 4];
    cell.FontSize = 1 + (c * 3 + r) % 7;
    cell.Bold = (c + r) % 2 == 0;
    cell.Italic = c % 3 == 0;
    cell.FontColor = TColor((quint32(c) * 2654435761u + quint32(r) * 40503u) & 0xFFFFFF);
    cell.BgColor = TColor((quint32(r) * 2654435761u + quint32(c) * 97u) & 0xFFFFFF);
    cell.HAlign = (c + r) % 3;
    cell.VAlign = (c * r) % 3;
}

const QByteArray& FormattedPage()
{
    static const QByteArray page = [] {
        TableCore t;
        t.LoadFromBytes(bench::FixtureBytes());
        for (int c = 0; c < t.ColCount; ++c)
            for (int r = 0; r < t.RowCount; ++r)
                if (t.Cell(c, r).Visible) FormatCell(t.Cell(c, r), c, r);
        return HTMLPage(t, "Benchmark");
    }();
    return page;
}

void PageCounters(benchmark::State& state)
{
    const QByteArray& page = FormattedPage();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * page.size());
    state.counters["page_kb"] = double(page.size()) / 1024.0;
}

void BM_ImportPage(benchmark::State& state)
{
    const QByteArray& page = FormattedPage();
    const HtmlImportResult check = HtmlImport(page).Import(0);
    if (!check.imported || check.cols != 127 || check.rows != 127 || !check.report.IsEmpty()) {
        state.SkipWithError("the page does not import as the full table");
        return;
    }
    for (auto _ : state) {
        const HtmlImportResult result = HtmlImport(page).Import(0);
        benchmark::DoNotOptimize(result.document.constData());
    }
    PageCounters(state);
}

void BM_ImportPageCopyBaseline(benchmark::State& state)
{
    const QByteArray& page = FormattedPage();
    for (auto _ : state) {
        QByteArray copy(page.constData(), page.size());
        benchmark::DoNotOptimize(copy.data());
    }
    PageCounters(state);
}

void BM_ImportPageParseOnly(benchmark::State& state)
{
    const QByteArray& page = FormattedPage();
    for (auto _ : state) {
        const HtmlTree tree(page);
        benchmark::DoNotOptimize(tree.Document());
    }
    PageCounters(state);
}

void BM_ImportCsv(benchmark::State& state)
{
    TableCore t;
    t.LoadFromBytes(bench::FixtureBytes());
    const QByteArray csv = Csv::Export(t);
    for (auto _ : state) {
        const HtmlImportResult result = Csv::Import(csv);
        benchmark::DoNotOptimize(result.document.constData());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * csv.size());
    state.counters["csv_kb"] = double(csv.size()) / 1024.0;
}

void BM_PasteTable(benchmark::State& state)
{
    TableCore t;
    t.LoadFromBytes(bench::FixtureBytes());
    const QByteArray document = t.SaveToBytes();
    for (auto _ : state) {
        const PasteResult result = PasteTable(t, document, 0, 0);
        benchmark::DoNotOptimize(result.pasted);
    }
}

}  // namespace

BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPageCopyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPageParseOnly)->Unit(benchmark::kMillisecond);
