#pragma once
// The table-wide settings as one value: what Table Properties shows and gives back.

#include "core/Cell.h"

#include <QString>

class TableCore;

struct TableProperties {
    int colCount = 2;
    int rowCount = 3;
    TSizeSpec width;
    TSizeSpec height;
    int tableBorderWidth = 1;
    TColor tableBorderColor = 0x808080;
    int cellsBorderWidth = 1;
    TColor cellsBorderColor = 0xC0C0C0;
    int cellsTextMargin = 3;
    QString caption;  // HTML source; empty for none
    bool operator==(const TableProperties&) const = default;
};

TableProperties PropertiesOf(const TableCore& table);
// Counts first, then borders, margin and sizes, as the dialog's OK always did.
void ApplyProperties(TableCore& table, const TableProperties& properties);
