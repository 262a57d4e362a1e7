#include "core/TableEdit.h"

#include <exception>

TableEdit::TableEdit(TableCore& table, int kind)
    : table_(table), kind_(kind), outermost_(table.editDepth_ == 0)
{
    ++table_.editDepth_;
    table_.BeginUpdate();
}

TableEdit::~TableEdit()
{
    --table_.editDepth_;
    table_.EndUpdate();
    // An edit left by an exception may have stopped half way; it is not a step of its own.
    if (outermost_ && !discarded_ && std::uncaught_exceptions() == 0) table_.AddUndoStep(kind_);
}
