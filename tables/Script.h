#pragma once
// Batch editing: a small line-based language that drives the table's own operations, for
// quillgrid-cli apply and for building the shipped templates.
//
// One operation a line; blank lines and lines starting with # are skipped; numbers are
// decimal and may be negative:
//   cols N | rows N | insert-col P | insert-row P | delete-col D | delete-row D
//   merge C R EXTRACOLS EXTRAROWS | split C R | select C R | ctrl-click C R | shift-click C R
//   merge-selection | unmerge-selection
//   format NAME=VALUE...   (size, bold, italic, color, bg, valign, halign)
//   font NAME              (the rest of the line)
//   text C R STRING        (the rest of the line; \n is CR LF, \\ one backslash)

#include <QByteArray>
#include <QString>

class TableCore;

// Runs the script on the table. The first line that cannot be parsed or carried out stops
// the run: the result is false and error holds "SCRIPTNAME:LINE: reason". Lines before it
// have already changed the table.
bool RunScript(TableCore& table, const QByteArray& script, const QString& scriptName,
               QString* error = nullptr);
