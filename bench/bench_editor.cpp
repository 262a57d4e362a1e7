// The editor's everyday operations on a full table, each with everything the program does for
// it: the change itself, its undo step, the tool-bar refresh and the repaint.

#include "bench/BenchFixture.h"

#include "app/MainWindow.h"
#include "core/TableEdit.h"
#include "formats/export/HtmlPage.h"
#include "grid/Tables.h"
#include "tests/ShellParts.h"

#include <QFile>
#include <QImage>
#include <QScrollArea>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

using bench::Editor;

namespace {

Editor& Loaded(int cols = 127, int rows = 127)
{
    Editor& editor = bench::MainWindow();
    bench::LoadFixture(editor, cols, rows);
    return editor;
}

void SelectAll(TTable& table)
{
    table.SelectCell(0, 0);
    table.ResetSelection();
    table.SelectRangeTo(table.ColCount - 1, table.RowCount - 1);
}

// One command as the window runs it: the operation and its one undo step.
template <typename Operation>
void RunCommand(TTable& table, Operation operation)
{
    TableEdit edit(table);
    operation(table);
}

// Puts the current cell back as the fixture has it, so that a long run types into a cell of
// ordinary length rather than one that has grown by thousands of characters.
void RestoreCurrentCell(benchmark::State& state, Editor& editor, const QString& original)
{
    state.PauseTiming();
    TTable& t = *editor.table;
    RunCommand(t, [&](TTable& table) {
        table.Cell(table.SelCol, table.SelRow).Text = original;
        table.SelectCell(table.SelCol, table.SelRow);
    });
    bench::Settle();
    state.ResumeTiming();
}

// Typing words: five letters and a blank, over and over.
void Keystrokes(benchmark::State& state, int cols, int rows)
{
    Editor& editor = Loaded(cols, rows);
    const QString original = editor.table->Cell(editor.table->SelCol, editor.table->SelRow).Text;
    int n = 0;
    for (auto _ : state) {
        if (++n % 60 == 0) RestoreCurrentCell(state, editor, original);
        if (n % 6 == 0) bench::TypeKey(editor, Qt::Key_Space, QStringLiteral(" "));
        else bench::TypeKey(editor, Qt::Key_A + n % 26, QString(QChar('a' + n % 26)));
    }
}

void BM_Keystroke(benchmark::State& state)
{
    Keystrokes(state, 127, 127);
}

void BM_Keystroke_Small(benchmark::State& state)
{
    Keystrokes(state, 10, 10);
}

void BM_KeystrokeNewLine(benchmark::State& state)
{
    Editor& editor = Loaded();
    const QString original = editor.table->Cell(editor.table->SelCol, editor.table->SelRow).Text;
    int n = 0;
    for (auto _ : state) {
        if (++n % 20 == 0) RestoreCurrentCell(state, editor, original);
        bench::TypeKey(editor, Qt::Key_Return, QStringLiteral("\r"));
    }
}

void BM_FormatAll(benchmark::State& state)
{
    Editor& editor = Loaded();
    SelectAll(*editor.table);
    bool bold = false;
    for (auto _ : state) {
        bold = !bold;
        TCell cell;
        cell.Bold = bold;
        RunCommand(*editor.table, [&](TTable& t) { t.ApplyFormat(cell, cfBold); });
        bench::Settle();
    }
}

void BM_InsertRow(benchmark::State& state)
{
    Editor& editor = Loaded(127, 126);
    for (auto _ : state) {
        RunCommand(*editor.table, [&](TTable& t) { t.InsertRow(0); });
        bench::Settle();
        state.PauseTiming();
        RunCommand(*editor.table, [&](TTable& t) { t.DeleteRow(0); });
        bench::Settle();
        state.ResumeTiming();
    }
}

void BM_Merge(benchmark::State& state)
{
    Editor& editor = Loaded();
    for (auto _ : state) {
        RunCommand(*editor.table, [&](TTable& t) { t.MergeCells(62, 62, 2, 2); });
        bench::Settle();
        state.PauseTiming();
        RunCommand(*editor.table, [&](TTable& t) { t.SplitCell(62, 62); });
        bench::Settle();
        state.ResumeTiming();
    }
}

void BM_Undo(benchmark::State& state)
{
    Editor& editor = Loaded();
    bool bold = false;
    for (auto _ : state) {
        state.PauseTiming();
        bold = !bold;
        TCell cell;
        cell.Bold = bold;
        RunCommand(*editor.table, [&](TTable& t) { t.ApplyFormat(cell, cfBold); });
        bench::Settle();
        state.ResumeTiming();
        editor.table->Undo();
        bench::Settle();
    }
}

QString FixtureFile(QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("fixture.qgd"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bench::FixtureBytes());
    return path;
}

void BM_Load(benchmark::State& state)
{
    Editor& editor = bench::MainWindow();
    QTemporaryDir dir;
    const QString path = FixtureFile(dir);
    for (auto _ : state) {
        editor.table->LoadFromFile(path);
        bench::Settle();
    }
}

void BM_Save(benchmark::State& state)
{
    Editor& editor = Loaded();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.qgd"));
    for (auto _ : state) benchmark::DoNotOptimize(editor.table->SaveToFile(path));
}

void BM_ExportHTML(benchmark::State& state)
{
    Editor& editor = Loaded();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    for (auto _ : state) benchmark::DoNotOptimize(ExportHTML(*editor.table, path, "Fixture"));
}

void BM_Paint(benchmark::State& state)
{
    Editor& editor = Loaded();
    QWidget* viewport = Part<QScrollArea>(*editor.form, "ScrollBox")->viewport();
    QImage screen(viewport->size(), QImage::Format_RGB32);
    for (auto _ : state) viewport->render(&screen);
}

void BM_SnapshotCopyBaseline(benchmark::State& state)
{
    const QByteArray snapshot = bench::FixtureBytes();
    std::vector<char> target(std::size_t(snapshot.size()));
    for (auto _ : state) {
        std::memcpy(target.data(), snapshot.constData(), target.size());
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = double(snapshot.size());
}

// Resident memory of the program holding the full fixture and a full history of commands that
// each changed every cell, so that the entries share nothing.
long ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

void BM_ResidentMemory(benchmark::State& state)
{
    Editor& editor = Loaded();
    SelectAll(*editor.table);
    for (auto _ : state) {
        for (int i = 0; i < TableCore::kHistoryLimit; ++i) {
            TCell cell;
            cell.FontSize = i % 7;
            RunCommand(*editor.table, [&](TTable& t) { t.ApplyFormat(cell, cfFontSize); });
        }
        bench::Settle();
    }
    state.counters["rss_mb"] = double(ResidentKiB()) / 1024.0;
}

}  // namespace

BENCHMARK(BM_ResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapshotCopyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke_Small)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeNewLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Merge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportHTML)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paint)->Unit(benchmark::kMillisecond);
