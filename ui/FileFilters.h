#pragma once
// File-dialog filters as language files write them ("desc|pattern|desc|pattern"), and what
// the Qt file dialog takes.

#include <QString>

#include <optional>

class QFileDialog;

// The pattern of the index-th entry (from 1) of a "desc|pattern|desc|pattern" filter.
QString FilterPattern(const QString& filter, int index);
// FileName unchanged when it has an extension; otherwise with the pattern's extension
// appended, or nothing appended when that extension holds "*".
QString AddFilterExtension(const QString& fileName, const QString& pattern);
// The same filter in the form the file dialog takes: "desc (pattern pattern);;...", with
// "*.*" written "*".
QString QtFilter(const QString& filter);

// Runs a file dialog on the folder and name of `current` with `filter`'s entries; the chosen
// name gets the extension of the chosen entry when it has none. Nothing when cancelled.
std::optional<QString> RunFilteredFileDialog(QFileDialog& dialog, const QString& filter,
                                             const QString& current);
