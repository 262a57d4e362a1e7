// The table's load and save: the document format's bytes to and from the cells, streams and
// files. Loading validates the whole input before the table changes.

#include "core/DocumentFormat.h"
#include "core/SafeFile.h"
#include "core/TableCore.h"

#include <QFile>
#include <QFileInfo>

using namespace DocumentFormat;

namespace {

Header TableHeader(const TableCore& t)
{
    Header h;
    h.Version = t.UsesExtension() ? kVersionWithExtension : kVersion;
    h.ColCount = t.ColCount;
    h.RowCount = t.RowCount;
    h.TableHeight = t.TableHeight;
    h.TableWidth = t.TableWidth;
    h.TableBorderWidth = t.TableBorderWidth();
    h.TableBorderColor = t.TableBorderColor();
    h.CellsBorderWidth = t.CellsBorderWidth;
    h.CellsBorderColor = t.CellsBorderColor;
    h.CellsTextMargin = t.CellsTextMargin;
    return h;
}

Extension TableExtension(const TableCore& t)
{
    Extension ext;
    ext.caption = t.Caption;
    if (t.HasColWidths()) ext.widths.assign(t.ColWidths.begin(), t.ColWidths.begin() + t.ColCount);
    bool any = false;
    std::vector<bool> headers(std::size_t(t.ColCount) * std::size_t(t.RowCount), false);
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            const TCell& cell = t.Cell(c, r);
            const bool header = cell.Visible && cell.Header;
            headers[std::size_t(c) * std::size_t(t.RowCount) + std::size_t(r)] = header;
            any = any || header;
        }
    if (any) ext.headers = std::move(headers);
    return ext;
}

QByteArray ExtensionBytes(const TableCore& t, const Header& h)
{
    QByteArray out;
    if (h.Version == kVersionWithExtension) AppendExtension(out, h, TableExtension(t));
    return out;
}

QString TooLarge()
{
    return QStringLiteral("larger than %1 bytes").arg(kMaxDocumentSize);
}

}  // namespace

std::vector<QByteArray> TableCore::SaveToParts() const
{
    std::vector<QByteArray> parts;
    parts.reserve(std::size_t(ColCount) + 3);
    const Header h = TableHeader(*this);
    QByteArray header;
    AppendHeader(header, h);
    parts.push_back(header);
    for (int c = 0; c <= ColCount; ++c) parts.push_back(ColumnBytes(c));
    if (h.Version == kVersionWithExtension) parts.push_back(ExtensionBytes(*this, h));
    return parts;
}

QByteArray TableCore::ColumnBytes(int col) const
{
    // Sized exactly: history entries keep these pieces, and growth would leave slack in each.
    qsizetype size = 0;
    for (int r = 0; r <= RowCount; ++r)
        size += kRecordSize + 2 * std::max<qsizetype>(1, Cells(col, r).Text.size());
    QByteArray out;
    out.reserve(size);
    for (int r = 0; r <= RowCount; ++r) AppendCell(out, Cells(col, r));
    return out;
}

QByteArray TableCore::SaveToBytes() const
{
    QByteArray out;
    out.reserve(MinimumSize(ColCount, RowCount) + qsizetype(2) * (ColCount + 1) * (RowCount + 1));
    const Header h = TableHeader(*this);
    AppendHeader(out, h);
    // The extra column and row travel with the document: insertions use them as spare room.
    for (int c = 0; c <= ColCount; ++c)
        for (int r = 0; r <= RowCount; ++r) AppendCell(out, Cells(c, r));
    out += ExtensionBytes(*this, h);
    return out;
}

void TableCore::LoadChangedColumns(const TUndoStep& target, const TUndoStep& present)
{
    const std::optional<Header> header =
        target.parts.empty() || target.parts[0].size() != kHeaderSize ? std::nullopt
                                                                      : ReadHeader(target.parts[0]);
    if (!header) {
        LoadFromBytes(target.document());
        return;
    }
    BeginUpdate();
    std::vector<CellRecord> column;
    const std::size_t columns = std::size_t(header->ColCount) + 1;
    for (std::size_t i = 1; i < target.parts.size(); ++i) {
        const QByteArray& wanted = target.parts[i];
        if (wanted.constData() == present.parts[i].constData() || wanted == present.parts[i])
            continue;
        if (i > columns) {
            // The extension: header cells, caption and widths.
            if (const std::optional<Extension> ext = ParseExtension(wanted, *header)) ApplyExtension(*ext);
            continue;
        }
        const int col = int(i) - 1;
        if (!ParseColumn(wanted, col, *header, column)) continue;  // never for our own bytes
        for (int r = 0; r <= RowCount; ++r) AssignRecord(Cells(col, r), column[std::size_t(r)]);
    }
    SelectCell(0, 0);
    ResetSelection();
    UpdateWidth();
    EndUpdate();
}

void TableCore::ApplyExtension(const Extension& ext)
{
    for (int c = 0; c <= ColCount; ++c)
        for (int r = 0; r <= RowCount; ++r)
            Cells(c, r).Header = c < ColCount && r < RowCount && ext.header(c, r, RowCount);
    Caption = ext.caption;
    ColWidths.fill(TSizeSpec{});
    for (std::size_t c = 0; c < ext.widths.size() && c < ColWidths.size(); ++c) ColWidths[c] = ext.widths[c];
}

bool TableCore::LoadFromBytes(const QByteArray& bytes, QString* reason)
{
    // Everything is checked before anything is applied, so a refused document changes nothing.
    const std::optional<ParsedDocument> doc = ParseDocument(bytes, reason);
    if (!doc) return false;
    const Header& h = doc->header;

    BeginUpdate();
    CellsBorderColor = h.CellsBorderColor;
    CellsBorderWidth = h.CellsBorderWidth;
    CellsTextMargin = h.CellsTextMargin;
    SetTableBorderColor(h.TableBorderColor);
    SetTableBorderWidth(h.TableBorderWidth);
    ColCount = h.ColCount;
    RowCount = h.RowCount;
    TableHeight = h.TableHeight;
    TableWidth = h.TableWidth;
    for (int c = 0; c <= ColCount; ++c)
        for (int r = 0; r <= RowCount; ++r) AssignRecord(Cells(c, r), doc->cell(c, r));
    ApplyExtension(doc->extension);
    SelectCell(0, 0);
    ResetSelection();
    UpdateWidth();
    EndUpdate();
    return true;
}

bool TableCore::SaveToStream(QIODevice& stream) const
{
    const QByteArray bytes = SaveToBytes();
    return stream.write(bytes) == bytes.size();
}

bool TableCore::LoadFromStream(QIODevice& stream, QString* reason)
{
    if (!stream.isReadable()) return Refuse(reason, QStringLiteral("the stream is not open for reading"));
    if (!stream.isSequential()) {
        if (!stream.seek(0))
            return Refuse(reason, QStringLiteral("cannot move to the start: %1").arg(stream.errorString()));
        // Refused before a byte is read: a huge file never reaches memory.
        if (stream.size() > kMaxDocumentSize) return Refuse(reason, TooLarge());
    }
    const QByteArray bytes = stream.read(kMaxDocumentSize + 1);
    if (bytes.size() > kMaxDocumentSize) return Refuse(reason, TooLarge());
    return LoadFromBytes(bytes, reason);
}

bool TableCore::SaveToFile(const QString& fileName, QString* error) const
{
    return SafeFile::WriteFile(fileName, SaveToBytes(), error);
}

bool TableCore::LoadFromFile(const QString& fileName, QString* reason)
{
    QFile file(fileName);
    if (QFileInfo(fileName).isDir()) return Refuse(reason, QStringLiteral("cannot open: it is a folder"));
    if (!file.open(QIODevice::ReadOnly))
        return Refuse(reason, QStringLiteral("cannot open: %1").arg(file.errorString()));
    if (!LoadFromStream(file, reason)) return false;
    // A loaded document is the first and only step of a fresh history.
    StartHistory();
    Changed = false;
    return true;
}
