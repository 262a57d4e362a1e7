#include "tables/HtmlWriter.h"

#include "tables/UTF8.h"

#include <algorithm>

QByteArray HTMLColor(TColor color)
{
    // The value in upper-case hex, at least six digits (BBGGRR for a plain colour); its first
    // three digit pairs are then read back to front.
    static constexpr char hex[] = "0123456789ABCDEF";
    char digits[8];
    quint32 value = quint32(ResolveColor(color));
    int count = 0;
    char reversed[8];
    do {
        reversed[count++] = hex[value & 0xF];
        value >>= 4;
    } while (value != 0);
    while (count < 6) reversed[count++] = '0';
    for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
    const char rrggbb[6] = {digits[4], digits[5], digits[2], digits[3], digits[0], digits[1]};
    return QByteArray(rrggbb, 6);
}

QByteArray EscapeAttribute(const QByteArray& value)
{
    if (std::none_of(value.begin(), value.end(), [](char ch) { return ch == '&' || ch == '"' || ch == '<' || ch == '>'; }))
        return value;
    QByteArray out;
    out.reserve(value.size());
    for (const char ch : value) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += ch;
        }
    }
    return out;
}

void HtmlWriter::WriteTag(QByteArrayView piece)
{
    if (!lowerCase_) {
        out_ += piece;
        return;
    }
    const qsizetype start = out_.size();
    out_ += piece;
    for (qsizetype i = start; i < out_.size(); ++i) {
        const char ch = out_[i];
        if (ch >= 'A' && ch <= 'Z') out_[i] = char(ch - 'A' + 'a');
    }
}

void HtmlWriter::WriteTagLine(QByteArrayView piece)
{
    WriteTag(piece);
    out_ += "\r\n";
}

void HtmlWriter::WriteText(QStringView text)
{
    AppendUTF8(out_, text);
}

// The cell text is HTML source and goes out unchanged; only CR LF becomes a line break.
void WriteCellText(HtmlWriter& w, QStringView text)
{
    qsizetype start = 0;
    for (qsizetype at; (at = text.indexOf(u"\r\n", start)) >= 0; start = at + 2) {
        w.WriteText(text.mid(start, at - start));
        w.WriteText(u"<br>");  // part of the text, so never upper case
    }
    w.WriteText(text.mid(start));
}

// ---- The page of a table -------------------------------------------------------------------

#include "tables/SafeFile.h"
#include "tables/TableCore.h"

namespace {

QByteArray Num(qint64 value)
{
    return QByteArray::number(value);
}

void WriteSize(HtmlWriter& w, const char* attribute, const TSizeSpec& spec)
{
    if (spec.Units != TSizeSpec::Percent && spec.Units != TSizeSpec::Pixels) return;
    w.WriteTag(attribute);
    w.WriteTag("=\"");
    w.WriteTag(Num(spec.Value));
    w.WriteTag(spec.Units == TSizeSpec::Percent ? "%\" " : "\" ");
}

// Attribute pieces go out one by one; joined they are the pieces of the page layout.
void WriteCell(HtmlWriter& w, const TCell& cell)
{
    w.WriteTag("<TD BGCOLOR=\"#");
    w.WriteTag(HTMLColor(cell.BgColor));
    w.WriteTag("\" ");
    w.WriteTag(cell.HAlign == 1   ? "ALIGN=\"CENTER\" "
               : cell.HAlign == 2 ? "ALIGN=\"RIGHT\" "
                                  : "ALIGN=\"LEFT\" ");
    w.WriteTag(cell.VAlign == 1   ? "VALIGN=\"MIDDLE\" "
               : cell.VAlign == 2 ? "VALIGN=\"BOTTOM\" "
                                  : "VALIGN=\"TOP\" ");
    if (cell.ExtraCols > 0) w.WriteTag("COLSPAN=\"" + Num(qint64(cell.ExtraCols) + 1) + "\" ");
    if (cell.ExtraRows > 0) w.WriteTag("ROWSPAN=\"" + Num(qint64(cell.ExtraRows) + 1) + "\" ");
    w.WriteTagLine(">");
    // The face is escaped so that a typed name cannot end the attribute or the tag.
    w.WriteTag("<FONT FACE=\"");
    w.WriteTag(EscapeAttribute(cell.FontName));
    w.WriteTag("\" SIZE=\"");
    w.WriteTag(Num(cell.FontSize));
    w.WriteTag("\" COLOR=\"#");
    w.WriteTag(HTMLColor(cell.FontColor));
    w.WriteTag("\">");
    if (cell.Bold) w.WriteTag("<B>");
    if (cell.Italic) w.WriteTag("<I>");
    if (cell.Text.isEmpty()) w.WriteTag("&nbsp;");
    else WriteCellText(w, cell.Text);
    if (cell.Italic) w.WriteTag("</I>");
    if (cell.Bold) w.WriteTag("</B>");
    w.WriteTag("</FONT>");
    w.WriteTagLine("</TD>");
}

}  // namespace

void WriteClassicTable(HtmlWriter& w, const TableCore& t)
{
    // The outer table draws the table border, the inner one the lines between cells.
    w.WriteTag("<TABLE ");
    WriteSize(w, "WIDTH", t.TableWidth);
    WriteSize(w, "HEIGHT", t.TableHeight);
    w.WriteTag("BORDER=\"0\" CELLSPACING=\"" + Num(t.TableBorderWidth()) + "\" CELLPADDING=\"0\" ");
    w.WriteTagLine("BGCOLOR=\"#" + HTMLColor(t.TableBorderColor()) + "\">");
    w.WriteTagLine("<TR><TD>");
    w.WriteTag("<TABLE WIDTH=\"100%\" HEIGHT=\"100%\" BORDER=\"0\" CELLSPACING=\"" +
               Num(t.CellsBorderWidth) + "\" CELLPADDING=\"" + Num(t.CellsTextMargin) + "\" ");
    w.WriteTagLine("BGCOLOR=\"#" + HTMLColor(t.CellsBorderColor) + "\">");
    for (int r = 0; r < t.RowCount; ++r) {
        w.WriteTagLine("<TR>");
        for (int c = 0; c < t.ColCount; ++c)
            if (t.Cells(c, r).Visible) WriteCell(w, t.Cells(c, r));
        w.WriteTagLine("</TR>");
    }
    w.WriteTagLine("</TABLE>");
    w.WriteTagLine("</TD></TR></TABLE>");
}

QByteArray TableCore::HTMLPage(const QByteArray& title) const
{
    HtmlWriter w(TagsLowerCase);
    qsizetype textSize = 0;
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) textSize += Cells(c, r).Text.size();
    w.Reserve(1024 + qsizetype(ColCount) * RowCount * 220 + textSize * 3);
    w.WriteTagLine("<HTML>");
    w.WriteTagLine("<HEAD>");
    w.WriteTag("<TITLE>");
    w.WriteText(QString::fromUtf8(title));
    w.WriteTagLine("</TITLE>");
    w.WriteTagLine("<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"TEXT/HTML; CHARSET=UTF-8\">");
    w.WriteTagLine("</HEAD>");
    w.WriteTagLine("<BODY>");
    w.WriteTagLine("");
    w.WriteTagLine("");

    WriteClassicTable(w, *this);
    w.WriteTagLine("");
    w.WriteTagLine("");
    w.WriteTagLine("</BODY>");
    w.WriteTagLine("</HTML>");
    return w.Bytes();
}

bool TableCore::ExportHTML(const QString& fileName, const QByteArray& title, QString* error) const
{
    return SafeFile::WriteFile(fileName, HTMLPage(title), error);
}
