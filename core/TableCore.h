#pragma once
// The table's data and every operation on it that needs no window: counts and spans, the
// current cell and the selected set, row/column/merge operations, formatting, the document
// format and the undo history. The TTable control derives from it and
// overrides the view hooks at the bottom to lay out, paint and drive the in-place editor;
// the command-line tool, the tests and the benchmarks use it as it is.

#include "core/Cell.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
namespace DocumentFormat {
struct Extension;
}

// One entry of the undo history: the whole document as the file format writes it, held in
// pieces (the header, then one piece per column) so that entries share the columns they have
// in common and a keystroke re-writes only the column it changed.
struct TUndoStep {
    enum Kind : std::uint8_t { Typing = 0, Command = 1 };
    std::uint8_t kind = Command;
    int selCol = -1;
    int selRow = -1;
    std::vector<QByteArray> parts;

    // The document bytes, exactly as SaveToBytes wrote them at the time.
    QByteArray document() const;
};

class TableCore {
public:
    TableCore();
    virtual ~TableCore();
    TableCore(const TableCore&) = delete;
    TableCore& operator=(const TableCore&) = delete;

    // ---- Data -----------------------------------------------------------------------------
    TCellArray Cells;
    int ColCount = 0;
    int RowCount = 0;
    TSizeSpec TableWidth;
    TSizeSpec TableHeight;
    TColor CellsBorderColor = 0xC0C0C0;
    int CellsBorderWidth = 1;
    int CellsTextMargin = 3;
    int SelCol = -1;
    int SelRow = -1;
    int LastLineCount = 0;
    bool TagsLowerCase = false;
    bool FillingEditor = false;
    bool Changed = false;

    // The table's caption, HTML source like a cell's text; empty for none.
    QString Caption;
    // Each column's width: automatic (Default), per cent of the table, or pixels (the cell's
    // text area, as a page's WIDTH gives it). Columns beyond the count are automatic.
    std::array<TSizeSpec, kStoreSize> ColWidths{};

    std::function<void()> OnChange;
    std::function<void()> OnSelectionChange;

    TCell& Cell(int col, int row) { return Cells(col, row); }
    const TCell& Cell(int col, int row) const { return Cells(col, row); }
    bool InTable(int col, int row) const {
        return col >= 0 && row >= 0 && col < ColCount && row < RowCount;
    }
    bool IsVisibleCell(int col, int row) const { return InTable(col, row) && Cell(col, row).Visible; }
    // The last column (row) of the area anchored at (col, row), held inside the table whatever
    // the spans say; a covered cell or a position outside the table anchors nothing and ends
    // where it stands. Every walk over an area goes through these.
    int AreaLastCol(int col, int row) const;
    int AreaLastRow(int col, int row) const;
    // The visible cell whose area holds a position of the table: the position itself when it
    // is visible, else the merged cell covering it; (-1, -1) outside the table.
    QPoint CellCovering(int col, int row) const;

    // ---- Table properties -----------------------------------------------------------------
    TColor TableBorderColor() const { return tableBorderColor_; }
    int TableBorderWidth() const { return tableBorderWidth_; }
    void SetTableBorderColor(TColor color);
    void SetTableBorderWidth(int width);
    void SetCellsBorderColor(TColor color);
    void SetCellsBorderWidth(int width);
    void SetCellsTextMargin(int margin);
    void SetTableWidth(TSizeSpec spec);
    void SetTableHeight(TSizeSpec spec);

    void InitCell(int col, int row, bool visible);
    void SetColCount(int n);
    void SetRowCount(int n);
    void ClampSpans();
    // Updates nest: the layout waits until the outermost EndUpdate, which lays out once.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateDepth_ > 0; }
    void ResetTable();

    // ---- Current cell and selection ------------------------------------------------------
    bool SelectCell(int col, int row);
    void SetSelCol(int col);
    void SetSelRow(int row);
    bool EnsureCurrentCell();
    void ResetSelection();
    // What Ctrl+click and Shift+click on a visible cell do to the selected set.
    void ToggleCellSelection(int col, int row);
    void SelectRangeTo(int col, int row);
    // Every visible cell selected; the current cell stays current.
    void SelectAllCells();
    int SelectedCount() const;
    // Tab and Shift+Tab: the next (previous) visible cell, row by row, wrapping at both ends;
    // the positions a merged cell covers are passed over.
    void MoveByTab(bool backward);
    // An arrow key leaving the current cell: the visible cell beside the current cell's area
    // in that direction (over merged cells to the one covering the position) becomes
    // current. False, and nothing changes, at the table's edge.
    bool MoveToNeighbour(int colStep, int rowStep);
    void GetSelectionFormat(TCell& summary, TCellFields& mask) const;
    // Sets the text of a visible cell in the table; false for a covered or outside position.
    bool SetCellText(int col, int row, const QString& text);

    // ---- Rows, columns and merging -------------------------------------------------------
    void InsertColumn(int p);
    void InsertRow(int p);
    void DeleteColumn(int d);
    void DeleteRow(int d);
    bool MergeCells(int col, int row, int extraCols, int extraRows);
    bool SplitCell(int col, int row);
    void ExpandToMerged(int& c1, int& r1, int& c2, int& r2) const;
    void MergeSelection();
    void UnmergeSelection();
    // What MergeSelection would put into one cell: the merged cell's top-left corner and the
    // texts of the visible cells it takes in that hold more than blanks, in reading order (row
    // by row, left to right). MergeSelection keeps only the corner's text; the window asks
    // what to do with the others. No texts (and col -1) when the selection merges nothing.
    struct MergeTexts {
        int col = -1;
        int row = -1;
        QStringList texts;
    };
    MergeTexts SelectionMergeTexts() const;
    // Texts as one cell's text, each on its own line: CR LF, the cell's line break.
    static QString JoinCellTexts(const QStringList& texts);
    bool CanMerge() const;
    bool CanUnmerge() const;

    // ---- Header cells, caption and column widths -------------------------------------------
    // Whether the document holds any of them, and is saved as version 2.
    bool UsesExtension() const;
    // A row (column) of header cells: at least one cell begins in it, and each that does is a
    // header cell.
    bool IsHeaderRow(int row) const;
    bool IsHeaderColumn(int col) const;
    // Every visible cell beginning in rows r1..r2 (columns c1..c2) becomes a header cell or a
    // plain one.
    void SetHeaderRows(int r1, int r2, bool header);
    void SetHeaderColumns(int c1, int c2, bool header);
    // The rows and columns the selected cells reach over, for the header commands.
    void SelectedLines(int& c1, int& r1, int& c2, int& r2) const;
    void SetCaption(const QString& caption);
    // A width the document format holds is set as given; any other makes the column automatic.
    void SetColWidth(int col, TSizeSpec width);
    bool HasColWidths() const;

    // ---- Rearranging ---------------------------------------------------------------------
    // Swaps a row (column) with the one `delta` (-1 or 1) away, cells, formats and width
    // with it. Empty when done; otherwise why not (a merged cell that would be cut), and
    // nothing changed.
    QString MoveRow(int row, int delta);
    QString MoveColumn(int col, int delta);
    // Rows become columns and columns rows; spans swap, widths become automatic.
    void Transpose();
    // The texts of the selected cells become empty, their formats stay; false when none had
    // a text.
    bool ClearSelectedTexts();
    // The rectangle the selected cells span, widened over the merged cells it touches.
    bool SelectionBounds(int& c1, int& r1, int& c2, int& r2) const;
    // The cells of a rectangle as a document of their own: merged cells end at its edge,
    // and with `selectedOnly` the cells not selected come empty.
    QByteArray RangeDocument(int c1, int r1, int c2, int r2, bool selectedOnly = false) const;

    // ---- Formatting ----------------------------------------------------------------------
    void ApplyFormat(const TCell& cell, TCellFields fields);
    // The markup InsertLink puts in place of the editor's selection.
    static QString LinkMarkup(const QString& text, const QString& url, bool newWindow,
                              bool lowerCase);

    // ---- Document format ------------------------------------------------------------------
    QByteArray SaveToBytes() const;
    // The same bytes in pieces: the header, then each column 0..ColCount with its records.
    std::vector<QByteArray> SaveToParts() const;
    QByteArray ColumnBytes(int col) const;
    // Validates the whole input before touching the table: on failure nothing changes,
    // the reason (if asked for) says why, and the result is false.
    bool LoadFromBytes(const QByteArray& bytes, QString* reason = nullptr);
    bool SaveToStream(QIODevice& stream) const;
    bool LoadFromStream(QIODevice& stream, QString* reason = nullptr);
    bool SaveToFile(const QString& fileName, QString* error = nullptr) const;
    bool LoadFromFile(const QString& fileName, QString* reason = nullptr);

    // ---- Undo history ---------------------------------------------------------------------
    static constexpr int kHistoryLimit = 10;
    void AddUndoStep(int kind);
    void ClearHistory();
    // A fresh history whose one step is the table as it is now: after New, a load or a restore.
    void StartHistory();
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    int HistoryCount() const { return int(history_.size()); }
    // True when the newest change was typing in the current cell, which changes no format,
    // selection or shape: listeners may then skip what only those decide.
    bool LastChangeWasTyping() const { return lastChangeTyping_; }
    int HistoryPosition() const { return historyPos_; }
    const TUndoStep& HistoryStep(int i) const { return *history_[std::size_t(i)]; }

protected:
    // ---- View hooks: what a window adds to the data operations ---------------------------
    // Recompute rectangles, place the editor, repaint, fit the height.
    virtual void UpdateLayout() {}
    // Fit the control's width to its parent and the table width setting.
    virtual void UpdateWidth() {}
    // Load the in-place editor from the cell; samePosition keeps caret and selection.
    virtual void LoadEditor(int /*col*/, int /*row*/, bool /*samePosition*/) {}
    virtual void ShowEditor(bool /*visible*/) {}
    // Focus the editor if it can take the focus; without a window a table counts as able.
    virtual bool FocusEditor() { return true; }
    // The outer frame's colour or width changed.
    virtual void TableBorderChanged() {}
    // The current cell or the selected set changed (before OnSelectionChange is told).
    virtual void SelectionChanged() const {}

    void NotifyChange() const {
        if (OnChange) OnChange();
    }
    void NotifySelectionChange() const {
        SelectionChanged();
        if (OnSelectionChange) OnSelectionChange();
    }

private:
    friend class TableEdit;
    TColor tableBorderColor_ = 0x808080;
    int updateDepth_ = 0;
    int editDepth_ = 0;  // open TableEdits
    int tableBorderWidth_ = 1;
    std::vector<std::unique_ptr<TUndoStep>> history_;
    int historyPos_ = -1;
    bool lastChangeTyping_ = false;

    void LoadHistoryStep(int position);
    // The corner and far end of the rectangle MergeSelection hands to MergeCells; false when
    // fewer than two visible cells are selected.
    bool SelectionMergeStart(int& c1, int& r1, int& c2, int& r2) const;
    // Whether (col, row) of t lies inside a merged cell that begins elsewhere in t.
    static bool CoveredFrom(const TableCore& t, int col, int row);
    // Header flags, caption and widths as a document's extension gives them (none: cleared).
    void ApplyExtension(const DocumentFormat::Extension& extension);
    std::vector<QByteArray> SnapshotParts(int kind, const TUndoStep* newest) const;
    // Loads a history entry whose header equals the present one's, re-reading only the
    // columns that differ from `present`.
    void LoadChangedColumns(const TUndoStep& target, const TUndoStep& present);
};
