#pragma once
// The document file format, shared by .qgd documents, .qgt templates and undo snapshots.
// A 48-byte header, then one 104-byte record per cell of the (ColCount + 1) x (RowCount + 1)
// block, column by column, each record followed by the cell's UTF-16 text. All integers are
// 32-bit little-endian.
//
// Version 1 is that and no more; bytes after the last record are ignored. A document with
// header cells, a caption or column widths is version 2: the same header (its first field 2)
// and records, then an extension that ends the file:
//
//   u32  size       the bytes of the extension after this field
//   u32  contents   bit 0 header cells, bit 1 caption, bit 2 column widths; no other bit
//   bit 0: ceil(ColCount * RowCount / 8) bytes, one bit a cell of the table, column by
//          column like the records, the lowest bit first; the bits after the last cell are 0,
//          and a covered cell's bit is 0 (a merged cell is a header cell by its anchor)
//   bit 1: u32 L, then L bytes of UTF-16LE: the caption's HTML source; L even and more than
//          0, no code unit 0
//   bit 2: ColCount entries of 8 bytes, one a column: i32 value, u8 units (0 automatic with
//          value 0, 1 per cent of the table 1..100, 2 pixels 1..32767), 3 bytes 0
//
// The parts come in the order of their bits and fill `size` exactly. A document without any
// of the three is always written as version 1, byte for byte as before.
//
// Parsing is pure and total: any byte sequence gives either a complete, validated document or
// a reason, and never reads outside the input or allocates more than the input can justify.

#include "core/Cell.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace DocumentFormat {

constexpr int kVersion = 1;
constexpr int kVersionWithExtension = 2;
constexpr int kMaxColumnPixels = 32767;
constexpr int kHeaderSize = 48;
constexpr int kRecordSize = 104;
// Far beyond any real table (a full table of long texts is a few megabytes); a larger file is
// refused before it is read into memory.
constexpr qint64 kMaxDocumentSize = qint64(256) * 1024 * 1024;

struct Header {
    std::int32_t Version = kVersion;
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

// What version 2 adds to the table. Empty for a version 1 document.
struct Extension {
    std::vector<bool> headers;     // ColCount x RowCount, column-major; empty for none
    QString caption;               // HTML source; empty for none
    std::vector<TSizeSpec> widths; // one a column; empty when every column is automatic
    bool empty() const { return headers.empty() && caption.isEmpty() && widths.empty(); }
    bool header(int col, int row, int rowCount) const
    {
        return !headers.empty() && headers[std::size_t(col) * std::size_t(rowCount) + std::size_t(row)];
    }
};

struct ParsedDocument {
    Header header;
    // (ColCount + 1) x (RowCount + 1) records, column-major like the file.
    std::vector<CellRecord> cells;
    Extension extension;
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

// The extension of a version 2 document: everything after the last record. The header
// gives the counts; on failure the reason says what is wrong.
std::optional<Extension> ParseExtension(QByteArrayView bytes, const Header& header, QString* reason = nullptr);

// Serialiser pieces; the table writes the header, then the records in file order, then (for
// version 2, header.Version) the extension.
void AppendHeader(QByteArray& out, const Header& header);
void AppendCell(QByteArray& out, const TCell& cell);
void AppendExtension(QByteArray& out, const Header& header, const Extension& extension);
// Whether a column width is one the format holds.
bool ValidWidth(TSizeSpec width);
// How every refusal ends: the reason, when one is asked for, and false.
bool Refuse(QString* reason, const QString& text);
// 48 + 104 per record + the texts: what a table of these counts needs at least.
qsizetype MinimumSize(int colCount, int rowCount);

}  // namespace DocumentFormat
