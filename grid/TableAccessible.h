#pragma once
// What assistive technology sees of the table control: a table whose cells are the visible
// cells (a merged cell once, with its spans), each named by its text, the current one focused
// and the selected ones selected, with the header cells and the caption as the table's own.
// The control tells it after each change; it compares with what it reported last and sends
// the events that differ. Nothing is done while no assistive technology listens.

class TTable;

namespace table_access {

// Makes the accessible object of every TTable the table below.
void Install();

// After a layout, a selection change or typing: the events for what changed since the last
// call (the table's shape, cell texts, the selected cells, the current cell).
void Refresh(const TTable& table);

}  // namespace table_access
