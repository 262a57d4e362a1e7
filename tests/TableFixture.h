#pragma once
// A table control inside a parent of a known width, shown on the offscreen platform, so that
// layout, focus and mouse input behave as in the program.

#include "grid/Tables.h"

#include <QApplication>
#include <QWidget>

#include <memory>

struct TableFixture {
    std::unique_ptr<QWidget> parent;
    TTable* table = nullptr;

    // A control whose client area is `clientWidth` pixels wide (the frame is 1 pixel).
    explicit TableFixture(int clientWidth = 320, int cols = 2, int rows = 3)
    {
        parent = std::make_unique<QWidget>();
        parent->resize(clientWidth + 2, 600);
        table = new TTable(parent.get());
        table->ResetTable();
        table->SetColCount(cols);
        table->SetRowCount(rows);
        table->UpdateWidth();
        parent->show();
        QApplication::processEvents();
    }

    // A point well inside a cell, in the control's own coordinates.
    QPoint inside(int col, int row) const
    {
        const TRect& r = table->Cell(col, row).Rect;
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2) + table->clientOrigin();
    }
};
