#include "core/DocumentFormat.h"

#include <QSysInfo>

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace DocumentFormat {
namespace {

// Record layout: bytes 0..79 are the block FontName..FontColor of the cell.
constexpr int kNameLength = 0, kNameBytes = 1, kFontSize = 68, kBold = 72, kItalic = 73,
              kFontColor = 76, kBgColor = 80, kVisible = 84, kExtraCols = 88, kExtraRows = 92,
              kVAlign = 96, kHAlign = 97, kTextLength = 100;

std::int32_t ReadI32(const char* p)
{
    return qFromLittleEndian<std::int32_t>(p);
}

void PutI32(char* p, std::int32_t value)
{
    qToLittleEndian<std::int32_t>(value, p);
}

QString CellName(int col, int row)
{
    return QStringLiteral("cell (%1, %2)").arg(col).arg(row);
}

Header HeaderAt(const char* p)
{
    Header h;
    h.Version = ReadI32(p);
    h.ColCount = ReadI32(p + 4);
    h.RowCount = ReadI32(p + 8);
    h.TableHeight.Value = ReadI32(p + 12);
    h.TableHeight.Units = std::uint8_t(p[16]);  // only the low byte carries the code
    h.TableWidth.Value = ReadI32(p + 20);
    h.TableWidth.Units = std::uint8_t(p[24]);
    h.TableBorderWidth = ReadI32(p + 28);
    h.TableBorderColor = ReadI32(p + 32);
    h.CellsBorderWidth = ReadI32(p + 36);
    h.CellsBorderColor = ReadI32(p + 40);
    h.CellsTextMargin = ReadI32(p + 44);
    return h;
}

bool CheckHeader(const QByteArray& bytes, QString* reason)
{
    if (bytes.isEmpty()) return Refuse(reason, QStringLiteral("empty file"));
    if (bytes.size() < kHeaderSize)
        return Refuse(reason, QStringLiteral("cut short inside the header (%1 of %2 bytes)")
                                  .arg(bytes.size())
                                  .arg(kHeaderSize));
    const std::int32_t version = ReadI32(bytes.constData());
    if (version != kVersion && version != kVersionWithExtension)
        return Refuse(reason, QStringLiteral("unsupported format version %1").arg(version));
    const Header h = HeaderAt(bytes.constData());
    if (h.ColCount < 0 || h.ColCount > kMaxCount)
        return Refuse(reason, QStringLiteral("column count %1 outside 0..%2").arg(h.ColCount).arg(kMaxCount));
    if (h.RowCount < 0 || h.RowCount > kMaxCount)
        return Refuse(reason, QStringLiteral("row count %1 outside 0..%2").arg(h.RowCount).arg(kMaxCount));
    const qsizetype needed = MinimumSize(h.ColCount, h.RowCount);
    if (bytes.size() < needed)
        return Refuse(reason, QStringLiteral("cut short: a table of %1 columns x %2 rows needs at "
                                             "least %3 bytes, the file has %4")
                                  .arg(h.ColCount)
                                  .arg(h.RowCount)
                                  .arg(needed)
                                  .arg(bytes.size()));
    return true;
}

// The text ends at its length or at the first code unit 0; one blank stands for no text.
QString ReadText(const char* p, std::int32_t length)
{
    const std::int32_t units = length / 2;
    QString text(units, Qt::Uninitialized);
    QChar* out = text.data();
    std::int32_t n = 0;
    for (; n < units; ++n) {
        const char16_t u = qFromLittleEndian<quint16>(p + 2 * n);
        if (u == 0) break;
        out[n] = QChar(u);
    }
    text.truncate(n);
    if (text == QLatin1String(" ")) text.clear();
    return text;
}

void ReadRecordFields(const char* p, CellRecord& cell)
{
    const int nameLength = std::uint8_t(p[kNameLength]);
    cell.FontName = QByteArray(p + kNameBytes, nameLength);
    cell.FontSize = ReadI32(p + kFontSize);
    cell.Bold = p[kBold] != 0;
    cell.Italic = p[kItalic] != 0;
    cell.FontColor = ReadI32(p + kFontColor);
    cell.BgColor = ReadI32(p + kBgColor);
    cell.Visible = p[kVisible] != 0;
    cell.ExtraCols = ReadI32(p + kExtraCols);
    cell.ExtraRows = ReadI32(p + kExtraRows);
    cell.VAlign = std::uint8_t(p[kVAlign]);
    cell.HAlign = std::uint8_t(p[kHAlign]);
}

// A merged cell of the table must lie inside it, or layout and export would walk off the grid;
// a covered cell carries no spans, or the merge operations would take it for an anchor.
bool CheckSpans(const CellRecord& cell, int col, int row, const Header& h, QString* reason)
{
    if (col >= h.ColCount || row >= h.RowCount) return true;
    if (!cell.Visible) {
        if (cell.ExtraCols == 0 && cell.ExtraRows == 0) return true;
        return Refuse(reason, QStringLiteral("covered %1 carries spans (%2 columns, %3 rows); "
                                             "only the anchor of a merged cell may")
                                  .arg(CellName(col, row))
                                  .arg(cell.ExtraCols)
                                  .arg(cell.ExtraRows));
    }
    if (cell.ExtraCols < 0 || cell.ExtraRows < 0)
        return Refuse(reason, QStringLiteral("negative span in %1").arg(CellName(col, row)));
    if (qint64(col) + cell.ExtraCols >= h.ColCount || qint64(row) + cell.ExtraRows >= h.RowCount)
        return Refuse(reason, QStringLiteral("merged %1 reaches outside the table").arg(CellName(col, row)));
    return true;
}

// Reads the record at pos and its text; pos moves past both.
bool ReadRecord(const QByteArray& bytes, qsizetype& pos, int col, int row, const Header& h,
                CellRecord& cell, QString* reason)
{
    if (bytes.size() - pos < kRecordSize)
        return Refuse(reason, QStringLiteral("cut short inside the record of %1").arg(CellName(col, row)));
    const char* p = bytes.constData() + pos;
    if (std::uint8_t(p[kNameLength]) > kMaxFontNameBytes)
        return Refuse(reason, QStringLiteral("font name of %1 is %2 bytes long, more than %3")
                                  .arg(CellName(col, row))
                                  .arg(std::uint8_t(p[kNameLength]))
                                  .arg(kMaxFontNameBytes));
    const std::int32_t length = ReadI32(p + kTextLength);
    if (length < 0)
        return Refuse(reason, QStringLiteral("negative text length %1 in %2").arg(length).arg(CellName(col, row)));
    if (length % 2 != 0)
        return Refuse(reason, QStringLiteral("odd text length %1 in %2").arg(length).arg(CellName(col, row)));
    pos += kRecordSize;
    if (bytes.size() - pos < length)
        return Refuse(reason, QStringLiteral("text length %1 of %2 runs past the end of the file")
                                  .arg(length)
                                  .arg(CellName(col, row)));
    ReadRecordFields(p, cell);
    cell.Text = ReadText(bytes.constData() + pos, length);
    pos += length;
    return CheckSpans(cell, col, row, h, reason);
}

}  // namespace

bool Refuse(QString* reason, const QString& text)
{
    if (reason) *reason = text;
    return false;
}

std::optional<Header> ReadHeader(const QByteArray& bytes)
{
    if (bytes.size() < kHeaderSize) return std::nullopt;
    return HeaderAt(bytes.constData());
}

qsizetype MinimumSize(int colCount, int rowCount)
{
    return kHeaderSize + qsizetype(kRecordSize) * (colCount + 1) * (rowCount + 1);
}

std::optional<ParsedDocument> ParseDocument(const QByteArray& bytes, QString* reason)
{
    if (!CheckHeader(bytes, reason)) return std::nullopt;
    ParsedDocument doc;
    doc.header = HeaderAt(bytes.constData());
    const int cols = doc.header.ColCount + 1, rows = doc.header.RowCount + 1;
    doc.cells.resize(std::size_t(cols) * std::size_t(rows));
    qsizetype pos = kHeaderSize;
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r)
            if (!ReadRecord(bytes, pos, c, r, doc.header, doc.cells[std::size_t(c) * rows + r], reason))
                return std::nullopt;
    if (doc.header.Version == kVersion) return doc;
    std::optional<Extension> extension = ParseExtension(QByteArrayView(bytes).sliced(pos), doc.header, reason);
    if (!extension) return std::nullopt;
    // A merged cell is a header cell by its anchor: the cells it covers carry no flag.
    for (int c = 0; c < doc.header.ColCount; ++c)
        for (int r = 0; r < doc.header.RowCount; ++r)
            if (extension->header(c, r, doc.header.RowCount) && !doc.cell(c, r).Visible) {
                Refuse(reason, QStringLiteral("covered %1 is marked as a header cell").arg(CellName(c, r)));
                return std::nullopt;
            }
    doc.extension = std::move(*extension);
    return doc;
}

namespace {

constexpr std::uint32_t kHasHeaders = 1, kHasCaption = 2, kHasWidths = 4;
constexpr int kWidthEntrySize = 8;

// Reads the extension's parts in order; every read is checked against what is left.
class ExtensionReader {
public:
    ExtensionReader(QByteArrayView bytes, const Header& h, QString* reason) : bytes_(bytes), h_(h), reason_(reason) {}

    std::optional<Extension> Read()
    {
        if (bytes_.size() < 8) return Fail(QStringLiteral("version 2 document without its extension (%1 bytes after the cells)").arg(bytes_.size()));
        const qint64 size = qFromLittleEndian<quint32>(bytes_.data());
        if (size != bytes_.size() - 4)
            return Fail(QStringLiteral("the extension says %1 bytes, the file holds %2 after it").arg(size).arg(bytes_.size() - 4));
        const std::uint32_t contents = qFromLittleEndian<quint32>(bytes_.data() + 4);
        if (contents & ~(kHasHeaders | kHasCaption | kHasWidths))
            return Fail(QStringLiteral("unknown parts in the extension (contents %1)").arg(contents));
        pos_ = 8;
        Extension ext;
        if ((contents & kHasHeaders) && !ReadHeaders(ext)) return std::nullopt;
        if ((contents & kHasCaption) && !ReadCaption(ext)) return std::nullopt;
        if ((contents & kHasWidths) && !ReadWidths(ext)) return std::nullopt;
        if (pos_ != bytes_.size()) return Fail(QStringLiteral("%1 bytes left over at the end of the extension").arg(bytes_.size() - pos_));
        return ext;
    }

private:
    QByteArrayView bytes_;
    const Header& h_;
    QString* reason_;
    qsizetype pos_ = 0;

    std::nullopt_t Fail(const QString& why)
    {
        Refuse(reason_, why);
        return std::nullopt;
    }
    bool Has(qsizetype n, const QString& cutShort)
    {
        if (bytes_.size() - pos_ >= n) return true;
        Refuse(reason_, cutShort);
        return false;
    }

    bool ReadHeaders(Extension& ext)
    {
        const qsizetype cells = qsizetype(h_.ColCount) * h_.RowCount;
        const qsizetype n = (cells + 7) / 8;
        if (!Has(n, QStringLiteral("the extension is cut short inside the header cells"))) return false;
        ext.headers.assign(std::size_t(cells), false);
        for (qsizetype i = 0; i < n * 8; ++i) {
            const bool bit = (std::uint8_t(bytes_[pos_ + i / 8]) >> (i % 8)) & 1u;
            if (i < cells) ext.headers[std::size_t(i)] = bit;
            else if (bit) return Refuse(reason_, QStringLiteral("a header bit is set past the last cell"));
        }
        pos_ += n;
        return true;
    }

    bool ReadCaption(Extension& ext)
    {
        if (!Has(4, QStringLiteral("the extension is cut short inside the caption"))) return false;
        const qint64 length = qFromLittleEndian<quint32>(bytes_.data() + pos_);
        pos_ += 4;
        if (length <= 0 || length % 2 != 0)
            return Refuse(reason_, QStringLiteral("caption length %1 is not a positive even number").arg(length));
        if (bytes_.size() - pos_ < length)
            return Refuse(reason_, QStringLiteral("caption length %1 runs past the end of the file").arg(length));
        ext.caption.resize(qsizetype(length / 2));
        for (qsizetype i = 0; i < length / 2; ++i) {
            const char16_t unit = qFromLittleEndian<quint16>(bytes_.data() + pos_ + 2 * i);
            if (unit == 0) return Refuse(reason_, QStringLiteral("the caption holds a code unit 0"));
            ext.caption[i] = QChar(unit);
        }
        pos_ += qsizetype(length);
        return true;
    }

    bool ReadWidths(Extension& ext)
    {
        if (!Has(qsizetype(h_.ColCount) * kWidthEntrySize, QStringLiteral("the extension is cut short inside the column widths")))
            return false;
        for (int c = 0; c < h_.ColCount; ++c, pos_ += kWidthEntrySize) {
            const char* p = bytes_.data() + pos_;
            TSizeSpec width{ReadI32(p), std::uint8_t(p[4])};
            if (p[5] || p[6] || p[7] || !ValidWidth(width))
                return Refuse(reason_, QStringLiteral("width of column %1 is not automatic, 1 to 100 per cent or 1 to %2 pixels (value %3, units %4)")
                                           .arg(c).arg(kMaxColumnPixels).arg(width.Value).arg(int(std::uint8_t(p[4]))));
            ext.widths.push_back(width);
        }
        return true;
    }
};

}  // namespace

bool ValidWidth(TSizeSpec w)
{
    switch (w.Units) {
    case TSizeSpec::Default: return w.Value == 0;
    case TSizeSpec::Percent: return w.Value >= 1 && w.Value <= 100;
    case TSizeSpec::Pixels: return w.Value >= 1 && w.Value <= kMaxColumnPixels;
    default: return false;
    }
}

std::optional<Extension> ParseExtension(QByteArrayView bytes, const Header& header, QString* reason)
{
    return ExtensionReader(bytes, header, reason).Read();
}

void AppendExtension(QByteArray& out, const Header& h, const Extension& ext)
{
    const bool headers = std::find(ext.headers.begin(), ext.headers.end(), true) != ext.headers.end();
    const bool widths = std::any_of(ext.widths.begin(), ext.widths.end(),
                                    [](TSizeSpec w) { return w.Units != TSizeSpec::Default; });
    const qsizetype start = out.size();
    out.resize(start + 8);
    std::uint32_t contents = 0;
    if (headers) {
        contents |= kHasHeaders;
        const qsizetype cells = qsizetype(h.ColCount) * h.RowCount;
        QByteArray bits((cells + 7) / 8, '\0');
        for (qsizetype i = 0; i < cells && i < qsizetype(ext.headers.size()); ++i)
            if (ext.headers[std::size_t(i)]) bits[i / 8] = char(std::uint8_t(bits[i / 8]) | (1u << (i % 8)));
        out += bits;
    }
    if (!ext.caption.isEmpty()) {
        contents |= kHasCaption;
        char length[4];
        PutI32(length, std::int32_t(ext.caption.size() * 2));
        out.append(length, 4);
        for (const QChar ch : ext.caption) {
            char unit[2];
            qToLittleEndian<quint16>(ch.unicode(), unit);
            out.append(unit, 2);
        }
    }
    if (widths) {
        contents |= kHasWidths;
        for (int c = 0; c < h.ColCount; ++c) {
            char entry[kWidthEntrySize] = {};
            const TSizeSpec w = c < int(ext.widths.size()) ? ext.widths[std::size_t(c)] : TSizeSpec{};
            PutI32(entry, w.Value);
            entry[4] = char(w.Units);
            out.append(entry, kWidthEntrySize);
        }
    }
    char* p = out.data() + start;
    PutI32(p, std::int32_t(out.size() - start - 4));
    PutI32(p + 4, std::int32_t(contents));
}

bool ParseColumn(const QByteArray& bytes, int col, const Header& header,
                 std::vector<CellRecord>& cells, QString* reason)
{
    cells.assign(std::size_t(header.RowCount) + 1, CellRecord());
    qsizetype pos = 0;
    for (int r = 0; r <= header.RowCount; ++r)
        if (!ReadRecord(bytes, pos, col, r, header, cells[std::size_t(r)], reason)) return false;
    return pos == bytes.size() || Refuse(reason, QStringLiteral("column %1 is too long").arg(col));
}

void AssignRecord(TCell& cell, const CellRecord& rec)
{
    if (cell.Text != rec.Text) cell.Text = rec.Text;
    if (cell.FontName != rec.FontName) cell.FontName = rec.FontName;
    cell.FontSize = rec.FontSize;
    cell.Bold = rec.Bold;
    cell.Italic = rec.Italic;
    cell.FontColor = rec.FontColor;
    cell.BgColor = rec.BgColor;
    cell.Visible = rec.Visible;
    cell.ExtraCols = rec.ExtraCols;
    cell.ExtraRows = rec.ExtraRows;
    cell.VAlign = rec.VAlign;
    cell.HAlign = rec.HAlign;
}

void AppendHeader(QByteArray& out, const Header& h)
{
    char p[kHeaderSize] = {};
    PutI32(p + 0, h.Version);
    PutI32(p + 4, h.ColCount);
    PutI32(p + 8, h.RowCount);
    PutI32(p + 12, h.TableHeight.Value);
    p[16] = char(h.TableHeight.Units);
    PutI32(p + 20, h.TableWidth.Value);
    p[24] = char(h.TableWidth.Units);
    PutI32(p + 28, h.TableBorderWidth);
    PutI32(p + 32, h.TableBorderColor);
    PutI32(p + 36, h.CellsBorderWidth);
    PutI32(p + 40, h.CellsBorderColor);
    PutI32(p + 44, h.CellsTextMargin);
    out.append(p, kHeaderSize);
}

void AppendCell(QByteArray& out, const TCell& cell)
{
    char p[kRecordSize] = {};
    const QByteArray name = ClampFontName(cell.FontName);
    p[kNameLength] = char(name.size());
    std::memcpy(p + kNameBytes, name.constData(), std::size_t(name.size()));
    PutI32(p + kFontSize, cell.FontSize);
    p[kBold] = cell.Bold ? 1 : 0;
    p[kItalic] = cell.Italic ? 1 : 0;
    PutI32(p + kFontColor, cell.FontColor);
    PutI32(p + kBgColor, cell.BgColor);
    p[kVisible] = cell.Visible ? 1 : 0;
    PutI32(p + kExtraCols, cell.ExtraCols);
    PutI32(p + kExtraRows, cell.ExtraRows);
    p[kVAlign] = char(cell.VAlign);
    p[kHAlign] = char(cell.HAlign);
    // An empty text is stored as one blank, never with length 0.
    const QString& text = cell.Text.isEmpty() ? QStringLiteral(" ") : cell.Text;
    PutI32(p + kTextLength, std::int32_t(text.size() * 2));
    out.append(p, kRecordSize);
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    char* dst = out.data() + start;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        std::memcpy(dst, text.constData(), std::size_t(text.size()) * 2);
    else
        for (qsizetype i = 0; i < text.size(); ++i)
            qToLittleEndian<quint16>(text[i].unicode(), dst + 2 * i);
}

}  // namespace DocumentFormat
