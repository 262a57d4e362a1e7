#pragma once
// Batch editing: a small line-based language that drives the table's own operations, for
// quillgrid-cli apply and for building the shipped templates.
//
// The lines of the language are listed in kScriptHelp, which quillgrid-cli --help prints.

#include <QByteArray>
#include <QString>

class TableCore;

// The description of the language, as plain text lines.
extern const char kScriptHelp[];

// Runs the script on the table. The first line that cannot be parsed or carried out stops
// the run: the result is false and error holds "SCRIPTNAME:LINE: reason". Lines before it
// have already changed the table.
bool RunScript(TableCore& table, const QByteArray& script, const QString& scriptName,
               QString* error = nullptr);
