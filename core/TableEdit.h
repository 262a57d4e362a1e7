#pragma once
// One edit of the table, one undo step. An edit holds the table's update open while it lives,
// so that the layout runs once at the end, and records exactly one undo step when the
// outermost edit ends; edits opened inside it (a command calling another) only join it.

#include "core/TableCore.h"

class TableEdit {
public:
    explicit TableEdit(TableCore& table, int kind = TUndoStep::Command);
    ~TableEdit();
    // Nothing changed after all: the outermost edit ends without a step. On an inner edit it
    // has no effect; the outermost one decides.
    void discard() { discarded_ = true; }

    TableEdit(const TableEdit&) = delete;
    TableEdit& operator=(const TableEdit&) = delete;

private:
    TableCore& table_;
    int kind_;
    bool outermost_;
    bool discarded_ = false;
};
