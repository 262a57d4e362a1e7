#pragma once
// The entry functions of the fuzz targets, shared by the libFuzzer programs and by the test
// that replays the seed and regression corpora in the normal test suite.
//
// Each entry takes one input, drives the code under test with it and checks what must hold
// for every input. It returns an empty text when all held, else what went wrong; a crash or a
// sanitizer report is a finding of its own.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class TableCore;

namespace Fuzz {

using Entry = QString (*)(const std::uint8_t* data, std::size_t size);

struct Target {
    const char* name;  // also the folder name of its seeds and regressions
    Entry entry;
};

// document: the loader on arbitrary bytes; what it accepts loads, saves and loads again the same.
QString Document(const std::uint8_t* data, std::size_t size);
// language: the lines of a language file through the line parser.
QString Language(const std::uint8_t* data, std::size_t size);
// script: the batch-editing script runner on a small table.
QString Script(const std::uint8_t* data, std::size_t size);
// html: the page of every document the loader accepts.
QString Html(const std::uint8_t* data, std::size_t size);
// edit: operations, undo and redo on an accepted document (fuzz/EditFuzz.cpp).
QString Edit(const std::uint8_t* data, std::size_t size);
// import: the HTML table import on arbitrary pages; every table it lists imports at the size it
// listed, passes the table invariants, and saves and loads again the same.
QString Import(const std::uint8_t* data, std::size_t size);
// export: every export format of every document the loader accepts.
QString Export(const std::uint8_t* data, std::size_t size);
// csv: separated values as File > Import reads them: the table keeps its rules, its CSV reads
// back at the same size, and pasting it into a table with a merged cell keeps that table's rules.
QString CsvTable(const std::uint8_t* data, std::size_t size);

const std::vector<Target>& Targets();
const Target* FindTarget(const QString& name);

// Shared by the entries. Tables are large (128 x 128 cells); the loader replaces every cell a
// document stores, so one table per use (0 or 1) serves every input.
TableCore& ReusedTable(int which);
// A document the table itself wrote must load again, and save, load, save must give the same
// bytes; empty when both held.
QString CheckRoundTrip(const TableCore& table);

}  // namespace Fuzz
