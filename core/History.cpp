// The undo history: whole-document snapshots, at most kHistoryLimit of them. Consecutive
// typing in one cell keeps one entry, which always holds the latest text.

#include "core/TableCore.h"

QByteArray TUndoStep::document() const
{
    qsizetype size = 0;
    for (const QByteArray& part : parts) size += part.size();
    QByteArray bytes;
    bytes.reserve(size);
    for (const QByteArray& part : parts) bytes.append(part);
    return bytes;
}

// The pieces of a new entry. Every change of the table is followed by a step, so the newest
// entry always holds the table as it is, except for what typing changed since: the text of
// the current cell. A typing step therefore re-writes only that cell's column; a command step
// writes everything and shares each piece that came out the same as the newest entry's.
std::vector<QByteArray> TableCore::SnapshotParts(int kind, const TUndoStep* newest) const
{
    // Typing changes no header flag, caption or width: the newest entry's extension piece, if
    // it has one, stays as it is.
    const std::size_t columns = std::size_t(ColCount) + 2;
    if (kind == TUndoStep::Typing && newest &&
        (newest->parts.size() == columns || newest->parts.size() == columns + 1) &&
        InTable(SelCol, SelRow)) {
        std::vector<QByteArray> parts = newest->parts;
        parts[std::size_t(SelCol) + 1] = ColumnBytes(SelCol);
        return parts;
    }
    std::vector<QByteArray> parts = SaveToParts();
    if (newest && newest->parts.size() == parts.size())
        for (std::size_t i = 0; i < parts.size(); ++i)
            if (parts[i] == newest->parts[i]) parts[i] = newest->parts[i];
    return parts;
}

void TableCore::AddUndoStep(int kind)
{
    const TUndoStep* newest = nullptr;
    std::unique_ptr<TUndoStep> merged;
    if (!history_.empty()) {
        // A new step makes the redo part unreachable.
        history_.resize(std::size_t(historyPos_ + 1));
        newest = history_.back().get();
        if (newest->kind == TUndoStep::Typing && kind == TUndoStep::Typing &&
            newest->selCol == SelCol && newest->selRow == SelRow) {
            merged = std::move(history_.back());
            history_.pop_back();
        }
    }
    auto step = std::make_unique<TUndoStep>();
    step->kind = kind == TUndoStep::Typing ? TUndoStep::Typing : TUndoStep::Command;
    step->selCol = SelCol;
    step->selRow = SelRow;
    step->parts = SnapshotParts(step->kind, newest);
    lastChangeTyping_ = step->kind == TUndoStep::Typing;
    merged.reset();
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
    const TUndoStep& present = *history_[std::size_t(historyPos_)];
    historyPos_ = position;
    lastChangeTyping_ = false;
    TUndoStep& step = *history_[std::size_t(position)];
    // Snapshots are written by this table itself and always load. When the table's shape and
    // properties are the same, only the columns that differ are read back.
    if (!step.parts.empty() && step.parts.size() == present.parts.size() &&
        step.parts.front() == present.parts.front())
        LoadChangedColumns(step, present);
    else
        LoadFromBytes(step.document());
    if (step.selCol < 0) step.selCol = 0;
    if (step.selRow < 0) step.selRow = 0;
    Changed = true;
    NotifyChange();
    SelectCell(step.selCol, step.selRow);
    ResetSelection();
    UpdateWidth();
    UpdateLayout();
}

void TableCore::StartHistory()
{
    ClearHistory();
    AddUndoStep(TUndoStep::Command);
}
