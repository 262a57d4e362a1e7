#pragma once
// How every report names a cell: column first, both counted from 1, as the status bar's
// selection size and Cell Properties count columns and rows. Positions inside the program
// (scripts, quillgrid-cli's JSON) count from 0.

#include <QString>

inline QString CellPlaceName(int col, int row)
{
    return QStringLiteral("cell (%1, %2)").arg(col + 1).arg(row + 1);
}
