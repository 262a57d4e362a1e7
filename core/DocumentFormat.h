#pragma once
// The document file format, shared by .qgd documents, .qgt templates and undo snapshots.
// A 48-byte header, then one 104-byte record per cell of the (ColCount + 1) x (RowCount + 1)
// block, column by column, each record followed by the cell's UTF-16 text. All integers are
// 32-bit little-endian.
//
// Parsing is pure and total: any byte sequence gives either a complete, validated document or
// a reason, and never reads outside the input or allocates more than the input can justify.

#include "core/Cell.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace DocumentFormat {

constexpr int kVersion = 1;
constexpr int kHeaderSize = 48;
constexpr int kRecordSize = 104;
// Far beyond any real table (a full table of long texts is a few megabytes); a larger file is
// refused before it is read into memory.
constexpr qint64 kMaxDocumentSize = qint64(256) * 1024 * 1024;

struct Header {
    std::int32_t ColCount = 0;
    std::int32_t RowCount = 0;
    TSizeSpec TableHeight;
    TSizeSpec TableWidth;
    std::int32_t TableBorderWidth = 1;
    TColor TableBorderColor = 0x808080;
    std::int32_t CellsBorderWidth = 1;
    TColor CellsBorderColor = 0xC0C0C0;
    std::int32_t CellsTextMargin = 3;
};

// The stored fields of one cell; Rect and Selected belong to the running control.
struct CellRecord {
    QByteArray FontName;
    std::int32_t FontSize = 3;
    bool Bold = false;
    bool Italic = false;
    TColor FontColor = 0;
    TColor BgColor = 0xFFFFFF;
    bool Visible = true;
    std::int32_t ExtraCols = 0;
    std::int32_t ExtraRows = 0;
    std::int32_t VAlign = 0;
    std::int32_t HAlign = 1;
    QString Text;
};

struct ParsedDocument {
    Header header;
    // (ColCount + 1) x (RowCount + 1) records, column-major like the file.
    std::vector<CellRecord> cells;
    const CellRecord& cell(int col, int row) const {
        return cells[std::size_t(col) * std::size_t(header.RowCount + 1) + std::size_t(row)];
    }
};

std::optional<ParsedDocument> ParseDocument(const QByteArray& bytes, QString* reason = nullptr);
// The header fields as stored, unchecked; none when the bytes are shorter than a header.
std::optional<Header> ReadHeader(const QByteArray& bytes);
// The records of one column (rows 0..RowCount) as SaveToParts writes them.
bool ParseColumn(const QByteArray& bytes, int col, const Header& header,
                 std::vector<CellRecord>& cells, QString* reason = nullptr);
// Copies a record into a cell; fields (the text above all) that are equal are left alone, so
// that what the grid measured for an unchanged cell stays valid.
void AssignRecord(TCell& cell, const CellRecord& record);

// Serialiser pieces; the table writes the header, then the records in file order.
void AppendHeader(QByteArray& out, const Header& header);
void AppendCell(QByteArray& out, const TCell& cell);
// How every refusal ends: the reason, when one is asked for, and false.
bool Refuse(QString* reason, const QString& text);
// 48 + 104 per record + the texts: what a table of these counts needs at least.
qsizetype MinimumSize(int colCount, int rowCount);

}  // namespace DocumentFormat
