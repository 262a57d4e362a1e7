// The undo history: whole-document snapshots, at most kHistoryLimit of them. Consecutive
// typing in one cell keeps one entry, which always holds the latest text.

#include "tables/TableCore.h"

void TableCore::AddUndoStep(int kind)
{
    if (!history_.empty()) {
        // A new step makes the redo part unreachable.
        history_.resize(std::size_t(historyPos_ + 1));
        const TUndoStep& last = *history_.back();
        if (last.kind == TUndoStep::Typing && kind == TUndoStep::Typing && last.selCol == SelCol &&
            last.selRow == SelRow)
            history_.pop_back();
    }
    auto step = std::make_unique<TUndoStep>();
    step->kind = kind == TUndoStep::Typing ? TUndoStep::Typing : TUndoStep::Command;
    step->selCol = SelCol;
    step->selRow = SelRow;
    step->document = SaveToBytes();
    history_.push_back(std::move(step));
    while (int(history_.size()) > kHistoryLimit) history_.erase(history_.begin());
    historyPos_ = int(history_.size()) - 1;
    Changed = history_.size() > 1;
    NotifyChange();
}

void TableCore::ClearHistory()
{
    while (!history_.empty()) history_.pop_back();
    historyPos_ = -1;
}

bool TableCore::CanUndo() const
{
    return !history_.empty() && historyPos_ > 0;
}

bool TableCore::CanRedo() const
{
    return !history_.empty() && historyPos_ < int(history_.size()) - 1;
}

void TableCore::Undo()
{
    if (!CanUndo()) return;
    LoadHistoryStep(historyPos_ - 1);
}

void TableCore::Redo()
{
    if (!CanRedo()) return;
    LoadHistoryStep(historyPos_ + 1);
}

void TableCore::LoadHistoryStep(int position)
{
    historyPos_ = position;
    TUndoStep& step = *history_[std::size_t(position)];
    // Snapshots are written by this table itself and always load.
    LoadFromBytes(step.document);
    if (step.selCol < 0) step.selCol = 0;
    if (step.selRow < 0) step.selRow = 0;
    Changed = true;
    NotifyChange();
    SelectCell(step.selCol, step.selRow);
    ResetSelection();
    UpdateWidth();
    UpdateLayout();
}
