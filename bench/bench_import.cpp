// Importing a page: the program's own page of the full 127 x 127 fixture with every cell
// formatted differently, into a document; beside it, in the same run, a plain copy of the
// page's bytes (the floor any reading of the page has) and the HTML5 parse alone. Also the
// fixture's CSV read back, the fixture pasted over a full table as Paste Table does it, and a
// page whose every cell carries many attributes the report lists, listed and imported.

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

// A page of 127 x 127 cells, each with many attributes the import reports (the same few
// notes, each at every cell): about 10 MB. Listing its tables parses it; importing one adds
// the cells and the report, which must not grow faster than the page.
const QByteArray& AttributePage()
{
    static const QByteArray page = [] {
        QByteArray out = "<!DOCTYPE html><html><body><table class=\"data\" id=\"t\">\n";
        for (int r = 0; r < kMaxCount; ++r) {
            out += "<tr class=\"row\" data-row=\"" + QByteArray::number(r) + "\">";
            for (int c = 0; c < kMaxCount; ++c) {
                const QByteArray at = QByteArray::number(c) + "-" + QByteArray::number(r);
                out += "<td class=\"cell odd\" id=\"c" + at + "\" title=\"Cell " + at + "\" data-a=\"1\" data-b=\"2\" "
                       "data-c=\"3\" data-d=\"4\" data-e=\"5\" data-f=\"6\" data-g=\"7\" data-h=\"8\" data-i=\"9\" "
                       "nowrap width=\"10\" height=\"20\" abbr=\"a\" headers=\"h\" axis=\"x\" lang=\"en\" dir=\"ltr\" "
                       "onclick=\"go(this)\" tabindex=\"0\" role=\"gridcell\" aria-label=\"cell " + at + "\" "
                       "style=\"padding: 2px; text-align: justify; border: 1px solid red; margin: 0\">" + at + "</td>";
            }
            out += "</tr>\n";
        }
        return out + "</table></body></html>\n";
    }();
    return page;
}

void AttributePageCounters(benchmark::State& state)
{
    state.SetBytesProcessed(std::int64_t(state.iterations()) * AttributePage().size());
    state.counters["page_kb"] = double(AttributePage().size()) / 1024.0;
}

void BM_ManyAttributesTables(benchmark::State& state)
{
    for (auto _ : state) {
        const HtmlImport page(AttributePage());
        benchmark::DoNotOptimize(page.Tables().size());
    }
    AttributePageCounters(state);
}

void BM_ManyAttributesImport(benchmark::State& state)
{
    const HtmlImportResult check = HtmlImport(AttributePage()).Import(0);
    if (!check.imported || check.cols != kMaxCount || check.rows != kMaxCount) {
        state.SkipWithError("the page does not import as the full table");
        return;
    }
    for (auto _ : state) {
        const HtmlImportResult result = HtmlImport(AttributePage()).Import(0);
        benchmark::DoNotOptimize(result.document.constData());
    }
    AttributePageCounters(state);
    state.counters["notes"] = double(check.report.Notes().size());
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
BENCHMARK(BM_ManyAttributesTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyAttributesImport)->Unit(benchmark::kMillisecond);
