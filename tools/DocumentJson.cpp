#include "tools/DocumentJson.h"

#include "core/TableCore.h"
#include "core/UTF8.h"

namespace {

// The escape JSON requires for a quote, a backslash or a control character.
QByteArray Escape(char16_t u)
{
    switch (u) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\r': return "\\r";
    case '\n': return "\\n";
    case '\t': return "\\t";
    default: return "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
    }
}

// Runs of ordinary characters go out as UTF-8 in one piece, so surrogate pairs stay whole.
QByteArray JsonText(const QString& text)
{
    QByteArray out = "\"";
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u >= 0x20 && u != '"' && u != '\\') continue;
        out += WideToUTF8(text.mid(runStart, i - runStart)) + Escape(u);
        runStart = i + 1;
    }
    out += WideToUTF8(text.mid(runStart));
    return out + "\"";
}

QByteArray Bool(bool value)
{
    return value ? "true" : "false";
}

QByteArray Size(const TSizeSpec& spec)
{
    return "{\"value\":" + QByteArray::number(spec.Value) + ",\"units\":" +
           QByteArray::number(spec.Units) + "}";
}

QByteArray CellJson(const TCell& cell, int col, int row)
{
    QByteArray out = "{\"col\":" + QByteArray::number(col);
    out += ",\"row\":" + QByteArray::number(row);
    out += ",\"text\":" + JsonText(cell.Text);
    out += ",\"fontName\":" + JsonText(QString::fromUtf8(cell.FontName));
    out += ",\"fontSize\":" + QByteArray::number(cell.FontSize);
    out += ",\"bold\":" + Bool(cell.Bold);
    out += ",\"italic\":" + Bool(cell.Italic);
    out += ",\"fontColor\":" + QByteArray::number(cell.FontColor);
    out += ",\"bgColor\":" + QByteArray::number(cell.BgColor);
    out += ",\"visible\":" + Bool(cell.Visible);
    out += ",\"extraCols\":" + QByteArray::number(cell.ExtraCols);
    out += ",\"extraRows\":" + QByteArray::number(cell.ExtraRows);
    out += ",\"vAlign\":" + QByteArray::number(cell.VAlign);
    out += ",\"hAlign\":" + QByteArray::number(cell.HAlign);
    out += ",\"header\":" + Bool(cell.Header);
    return out + "}";
}

}  // namespace

QByteArray DocumentJson(const TableCore& t)
{
    QByteArray out = "{\"version\":" + QByteArray::number(t.UsesExtension() ? 2 : 1);
    out += ",\"colCount\":" + QByteArray::number(t.ColCount);
    out += ",\"rowCount\":" + QByteArray::number(t.RowCount);
    out += ",\"tableWidth\":" + Size(t.TableWidth);
    out += ",\"tableHeight\":" + Size(t.TableHeight);
    out += ",\"tableBorderWidth\":" + QByteArray::number(t.TableBorderWidth());
    out += ",\"tableBorderColor\":" + QByteArray::number(t.TableBorderColor());
    out += ",\"cellsBorderWidth\":" + QByteArray::number(t.CellsBorderWidth);
    out += ",\"cellsBorderColor\":" + QByteArray::number(t.CellsBorderColor);
    out += ",\"cellsTextMargin\":" + QByteArray::number(t.CellsTextMargin);
    out += ",\"caption\":" + JsonText(t.Caption);
    out += ",\"colWidths\":[";
    for (int c = 0; c < t.ColCount; ++c) out += (c > 0 ? "," : "") + Size(t.ColWidths[std::size_t(c)]);
    out += "]";
    out += ",\"cells\":[";
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            if (c > 0 || r > 0) out += ',';
            out += CellJson(t.Cell(c, r), c, r);
        }
    return out + "]}\n";
}
