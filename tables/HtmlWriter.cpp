#include "tables/HtmlWriter.h"

#include "tables/UTF8.h"

QByteArray HTMLColor(TColor color)
{
    // At least six upper-case digits of BBGGRR; the first three pairs are read back to front.
    const QByteArray digits =
        QByteArray::number(quint32(ResolveColor(color)), 16).toUpper().rightJustified(6, '0');
    return digits.mid(4, 2) + digits.mid(2, 2) + digits.mid(0, 2);
}

QByteArray EscapeAttribute(const QByteArray& value)
{
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

void HtmlWriter::WriteTag(const QByteArray& piece)
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

void HtmlWriter::WriteTagLine(const QByteArray& piece)
{
    WriteTag(piece);
    out_ += "\r\n";
}

void HtmlWriter::WriteText(const QString& text)
{
    out_ += WideToUTF8(text);
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
    if (spec.Units == TSizeSpec::Percent)
        w.WriteTag(QByteArray(attribute) + "=\"" + Num(spec.Value) + "%\" ");
    else if (spec.Units == TSizeSpec::Pixels)
        w.WriteTag(QByteArray(attribute) + "=\"" + Num(spec.Value) + "\" ");
}

// The cell text is HTML source and goes out unchanged; only CR LF becomes a line break.
QString CellContent(const QString& text)
{
    QString content = text;
    content.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    return content;
}

void WriteCell(HtmlWriter& w, const TCell& cell)
{
    w.WriteTag("<TD BGCOLOR=\"#" + HTMLColor(cell.BgColor) + "\" ");
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
    w.WriteTag("<FONT FACE=\"" + EscapeAttribute(cell.FontName) + "\" SIZE=\"" + Num(cell.FontSize) +
               "\" COLOR=\"#" + HTMLColor(cell.FontColor) + "\">");
    if (cell.Bold) w.WriteTag("<B>");
    if (cell.Italic) w.WriteTag("<I>");
    if (cell.Text.isEmpty()) w.WriteTag("&nbsp;");
    else w.WriteText(CellContent(cell.Text));
    if (cell.Italic) w.WriteTag("</I>");
    if (cell.Bold) w.WriteTag("</B>");
    w.WriteTag("</FONT>");
    w.WriteTagLine("</TD>");
}

}  // namespace

QByteArray TableCore::HTMLPage(const QByteArray& title) const
{
    HtmlWriter w(TagsLowerCase);
    w.Reserve(1024 + qsizetype(ColCount) * RowCount * 160);
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

    // The outer table draws the table border, the inner one the lines between cells.
    w.WriteTag("<TABLE ");
    WriteSize(w, "WIDTH", TableWidth);
    WriteSize(w, "HEIGHT", TableHeight);
    w.WriteTag("BORDER=\"0\" CELLSPACING=\"" + Num(TableBorderWidth()) + "\" CELLPADDING=\"0\" ");
    w.WriteTagLine("BGCOLOR=\"#" + HTMLColor(TableBorderColor()) + "\">");
    w.WriteTagLine("<TR><TD>");
    w.WriteTag("<TABLE WIDTH=\"100%\" HEIGHT=\"100%\" BORDER=\"0\" CELLSPACING=\"" +
               Num(CellsBorderWidth) + "\" CELLPADDING=\"" + Num(CellsTextMargin) + "\" ");
    w.WriteTagLine("BGCOLOR=\"#" + HTMLColor(CellsBorderColor) + "\">");
    for (int r = 0; r < RowCount; ++r) {
        w.WriteTagLine("<TR>");
        for (int c = 0; c < ColCount; ++c)
            if (Cells(c, r).Visible) WriteCell(w, Cells(c, r));
        w.WriteTagLine("</TR>");
    }
    w.WriteTagLine("</TABLE>");
    w.WriteTagLine("</TD></TR></TABLE>");
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
