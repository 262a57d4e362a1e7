// The HTML page of a table: an outer table that draws the border around an inner one that
// holds the cells.

#include "formats/export/HtmlPage.h"
#include "core/CellText.h"
#include "core/SafeFile.h"
#include "core/TableCore.h"
#include "formats/export/HtmlWriter.h"
#include "formats/export/TableParts.h"

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

// A header cell is a TH; its scope says whether it heads a column or a row. Browsers draw a
// TH bold, which a header cell is only when the cell says so.
void WriteCellStart(HtmlWriter& w, const TableParts& parts, const TCell& cell, int col, int row)
{
    if (!parts.header(col, row)) {
        w.WriteTag("<TD ");
        return;
    }
    const TableParts::Scope scope = parts.scope(col, row);
    w.WriteTag(scope == TableParts::ColScope   ? "<TH SCOPE=\"COL\" "
               : scope == TableParts::RowScope ? "<TH SCOPE=\"ROW\" "
                                               : "<TH ");
    if (!cell.Bold) w.WriteTag("STYLE=\"FONT-WEIGHT:NORMAL\" ");
}

// Attribute pieces go out one by one; joined they are the pieces of the page layout.
void WriteCell(HtmlWriter& w, const TableParts& parts, int col, int row)
{
    const TCell& cell = parts.table().Cells(col, row);
    const bool header = parts.header(col, row);
    WriteCellStart(w, parts, cell, col, row);
    w.WriteTag("BGCOLOR=\"#");
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
    // A column's width is the width of the text area of its cells that span it alone.
    if (cell.ExtraCols == 0) WriteSize(w, "WIDTH", parts.width(col));
    w.WriteTagLine(">");
    // The face is escaped so that a typed name cannot end the attribute or the tag.
    w.WriteTag("<FONT FACE=\"");
    w.WriteTag(EscapeAttribute(cell.FontName));
    w.WriteTag("\" SIZE=\"");
    w.WriteTag(Num(cell.FontSize));
    w.WriteTag("\" COLOR=\"#");
    w.WriteTag(HTMLColor(cell.FontColor));
    w.WriteTag("\">");
    // A TH is bold already; B inside it would make the text bolder still, which a browser
    // draws with a heavier face where it has one.
    const bool boldTag = cell.Bold && !header;
    if (boldTag) w.WriteTag("<B>");
    if (cell.Italic) w.WriteTag("<I>");
    if (cell.Text.isEmpty()) w.WriteTag("&nbsp;");
    else WriteCellText(w, cell.Text);
    if (cell.Italic) w.WriteTag("</I>");
    if (boldTag) w.WriteTag("</B>");
    w.WriteTag("</FONT>");
    w.WriteTagLine(header ? "</TH>" : "</TD>");
}

}  // namespace

void WriteClassicTable(HtmlWriter& w, const TableParts& parts)
{
    const TableCore& t = parts.table();
    // The outer table draws the table border, the inner one the lines between cells.
    w.WriteTag("<TABLE ");
    WriteSize(w, "WIDTH", t.TableWidth);
    WriteSize(w, "HEIGHT", t.TableHeight);
    w.WriteTag("BORDER=\"0\" CELLSPACING=\"" + Num(t.TableBorderWidth()) + "\" CELLPADDING=\"0\" ");
    w.WriteTagLine("BGCOLOR=\"#" + HTMLColor(t.TableBorderColor()) + "\">");
    // The caption belongs to the outer table, so that it sits above the border.
    if (!parts.caption().isEmpty()) {
        w.WriteTag("<CAPTION>");
        WriteCellText(w, parts.caption());
        w.WriteTagLine("</CAPTION>");
    }
    w.WriteTagLine("<TR><TD>");
    w.WriteTag("<TABLE WIDTH=\"100%\" HEIGHT=\"100%\" BORDER=\"0\" CELLSPACING=\"" +
               Num(t.CellsBorderWidth) + "\" CELLPADDING=\"" + Num(t.CellsTextMargin) + "\" ");
    w.WriteTagLine("BGCOLOR=\"#" + HTMLColor(t.CellsBorderColor) + "\">");
    for (int r = 0; r < t.RowCount; ++r) {
        w.WriteTagLine("<TR>");
        for (int c = 0; c < t.ColCount; ++c)
            if (t.Cells(c, r).Visible) WriteCell(w, parts, c, r);
        w.WriteTagLine("</TR>");
    }
    w.WriteTagLine("</TABLE>");
    w.WriteTagLine("</TD></TR></TABLE>");
}

QByteArray HTMLPage(const TableCore& table, const QByteArray& title)
{
    return HTMLPage(TableParts(table), title);
}

QByteArray HTMLPage(const TableParts& parts, const QByteArray& title)
{
    const TableCore& table = parts.table();
    HtmlWriter w(table.TagsLowerCase);
    qsizetype textSize = 0;
    for (int c = 0; c < table.ColCount; ++c)
        for (int r = 0; r < table.RowCount; ++r) textSize += table.Cells(c, r).Text.size();
    w.Reserve(1024 + qsizetype(table.ColCount) * table.RowCount * 220 + textSize * 3);
    w.WriteTagLine("<HTML>");
    w.WriteTagLine("<HEAD>");
    w.WriteTag("<TITLE>");
    w.WriteText(EscapeText(QString::fromUtf8(title)));  // a name is text, not markup
    w.WriteTagLine("</TITLE>");
    w.WriteTagLine("<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"TEXT/HTML; CHARSET=UTF-8\">");
    w.WriteTagLine("</HEAD>");
    w.WriteTagLine("<BODY>");
    w.WriteTagLine("");
    w.WriteTagLine("");

    WriteClassicTable(w, parts);
    w.WriteTagLine("");
    w.WriteTagLine("");
    w.WriteTagLine("</BODY>");
    w.WriteTagLine("</HTML>");
    return w.Bytes();
}

bool ExportHTML(const TableCore& table, const QString& fileName, const QByteArray& title,
                QString* error)
{
    return SafeFile::WriteFile(fileName, HTMLPage(table, title), error);
}
