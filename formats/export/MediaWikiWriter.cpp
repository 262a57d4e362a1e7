// The table as MediaWiki markup: a wikitable whose table and cells carry the HTML5 page's
// inline CSS, spans as colspan/rowspan, bold and italic as quotes, web links as [url text].

#include "formats/export/TextWriters.h"

#include "core/TableCore.h"
#include "formats/export/AnchoredLines.h"
#include "formats/export/Html5Writer.h"
#include "formats/export/HtmlWriter.h"
#include "formats/export/TableParts.h"
#include "formats/export/TextExport.h"

#include <QRegularExpression>

namespace {

// Characters the wiki would read as markup, as character references.
QString EscapeWiki(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '|': out += "&#124;"; break;
        case '!': out += "&#33;"; break;
        case '[': out += "&#91;"; break;
        case ']': out += "&#93;"; break;
        case '{': out += "&#123;"; break;
        case '}': out += "&#125;"; break;
        case '\'': out += "&#39;"; break;
        case '~': out += "&#126;"; break;
        case '_': out += "&#95;"; break;
        default: out += ch;
        }
    }
    return out;
}

// Only addresses with a scheme can be external links.
bool IsExternal(const QString& url)
{
    static const QRegularExpression scheme(QStringLiteral("^(?:https?|ftps?|mailto|news|irc|sftp):"),
                                           QRegularExpression::CaseInsensitiveOption);
    return scheme.match(url).hasMatch();
}

QString LinkTarget(const QString& url)
{
    QString out = url;
    return out.replace(' ', "%20").replace('[', "%5B").replace(']', "%5D").replace('|', "%7C")
        .replace('<', "%3C").replace('>', "%3E").replace('"', "%22").replace('\'', "%27");
}

// An attribute value in a table line, where a bar would end the attributes.
QString WikiAttribute(const QByteArray& value)
{
    return QString::fromUtf8(EscapeAttribute(value)).replace('|', QStringLiteral("&#124;"));
}

QString WikiRun(const TextRun& run)
{
    const QString text = EscapeWiki(run.text);
    if (text.trimmed().isEmpty()) return text;
    const QString marks = run.bold && run.italic ? "'''''" : run.bold ? "'''" : run.italic ? "''" : "";
    return marks + text + marks;
}

QString WikiLine(const std::vector<TextRun>& line, QStringList& leftOut)
{
    QString out;
    for (std::size_t i = 0; i < line.size();) {
        const QString link = line[i].link;
        const bool external = !link.isEmpty() && IsExternal(link);
        if (!link.isEmpty() && !external && !leftOut.contains(link)) leftOut << link;
        if (external) out += '[' + LinkTarget(link) + ' ';
        const int number = line[i].linkNumber;
        for (; i < line.size() && line[i].linkNumber == number; ++i) out += WikiRun(line[i]);
        if (external) out += ']';
    }
    return out;
}

// A column's width as the CSS width of a cell that spans it alone: its text area, as the
// page's WIDTH gives it.
QByteArray WidthCss(TSizeSpec width)
{
    if (width.Units == TSizeSpec::Pixels) return ";width:" + QByteArray::number(width.Value) + "px";
    if (width.Units == TSizeSpec::Percent) return ";width:" + QByteArray::number(width.Value) + "%";
    return {};
}

QString WikiCell(const TableParts& parts, const AnchoredLines& lines, int c, int r, ExportReport& report)
{
    const TableCore& t = parts.table();
    const TCell& cell = t.Cell(c, r);
    const bool header = parts.header(c, r);
    const TableParts::Scope scope = parts.scope(c, r);
    QString out = !header                          ? QStringLiteral("| ")
                  : scope == TableParts::ColScope ? QStringLiteral("! scope=\"col\" ")
                  : scope == TableParts::RowScope ? QStringLiteral("! scope=\"row\" ")
                                                  : QStringLiteral("! ");
    const int colSpan = lines.colSpan(c, cell.ExtraCols), rowSpan = lines.rowSpan(r, cell.ExtraRows);
    if (colSpan > 1) out += QStringLiteral("colspan=\"%1\" ").arg(colSpan);
    if (rowSpan > 1) out += QStringLiteral("rowspan=\"%1\" ").arg(rowSpan);
    // The wikitable class draws lines around cells; the table's own lines are the spacing.
    const QByteArray width = cell.ExtraCols == 0 ? WidthCss(parts.width(c)) : QByteArray();
    out += "style=\"" + WikiAttribute(Html5CellStyle(t, cell, header) + width + ";border:0") + "\" |";
    const CellMarkup content = ReadCell(t, c, r, report);
    QStringList texts, leftOut;
    for (const auto& line : content.lines) texts << WikiLine(line, leftOut);
    for (const QString& link : leftOut) report.addCell(c, r, ExportReportItem::LinkTargetLeftOut, link);
    const QString text = texts.join(QStringLiteral("<br>"));
    // An empty cell keeps its height, as in the page.
    return out + ' ' + (text.isEmpty() ? QStringLiteral("&nbsp;") : text) + '\n';
}

}  // namespace

QByteArray MediaWikiTable(const TableParts& parts, ExportReport& report)
{
    const TableCore& t = parts.table();
    const AnchoredLines lines(t);
    QString out = "{| class=\"wikitable\" style=\"" + WikiAttribute(Html5TableStyle(t)) + "\"\n";
    if (!parts.caption().isEmpty()) {
        QStringList texts, leftOut;
        for (const auto& line : ReadCaption(parts, report).lines) texts << WikiLine(line, leftOut);
        for (const QString& link : leftOut) report.addTable(ExportReportItem::LinkTargetLeftOut, link);
        const QString caption = texts.join(QStringLiteral("<br>")).trimmed();
        if (!caption.isEmpty()) out += "|+ " + caption + '\n';
    }
    for (int r = 0; r < t.RowCount; ++r) {
        if (!lines.row(r)) continue;
        out += "|-\n";
        for (int c = 0; c < t.ColCount; ++c)
            if (t.Cell(c, r).Visible) out += WikiCell(parts, lines, c, r, report);
    }
    out += "|}\n";
    return out.toUtf8();
}
