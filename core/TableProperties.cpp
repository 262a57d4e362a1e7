#include "core/TableProperties.h"

#include "core/TableCore.h"

TableProperties PropertiesOf(const TableCore& table)
{
    TableProperties p;
    p.colCount = table.ColCount;
    p.rowCount = table.RowCount;
    p.width = table.TableWidth;
    p.height = table.TableHeight;
    p.tableBorderWidth = table.TableBorderWidth();
    p.tableBorderColor = table.TableBorderColor();
    p.cellsBorderWidth = table.CellsBorderWidth;
    p.cellsBorderColor = table.CellsBorderColor;
    p.cellsTextMargin = table.CellsTextMargin;
    p.caption = table.Caption;
    return p;
}

void ApplyProperties(TableCore& table, const TableProperties& p)
{
    table.SetColCount(p.colCount);
    table.SetRowCount(p.rowCount);
    table.SetTableBorderWidth(p.tableBorderWidth);
    table.SetTableBorderColor(p.tableBorderColor);
    table.SetCellsBorderWidth(p.cellsBorderWidth);
    table.SetCellsBorderColor(p.cellsBorderColor);
    table.SetCellsTextMargin(p.cellsTextMargin);
    table.SetTableWidth(p.width);
    table.SetTableHeight(p.height);
    table.SetCaption(p.caption);
}
