#include "formats/export/Html5Writer.h"

#include "core/TableCore.h"
#include "formats/export/AnchoredLines.h"
#include "formats/export/HtmlWriter.h"
#include "formats/export/TableParts.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

QByteArray Num(qint64 value)
{
    return QByteArray::number(value);
}

QByteArray EscapeText(const QString& text)
{
    return EscapeAttribute(text.toUtf8());
}

bool IsGenericFamily(const QString& name)
{
    static const QStringList generic = {"serif", "sans-serif", "cursive", "fantasy", "monospace",
                                        "system-ui", "math", "emoji", "fangsong", "ui-serif",
                                        "ui-sans-serif", "ui-monospace", "ui-rounded"};
    return generic.contains(name, Qt::CaseInsensitive);
}

bool IsWideKeyword(const QString& name)
{
    static const QStringList keywords = {"inherit", "initial", "unset", "default", "revert", "revert-layer"};
    return keywords.contains(name, Qt::CaseInsensitive);
}

// One CSS string in single quotes.
QString CssString(const QString& text)
{
    QString out = "'";
    for (const QChar ch : text) {
        if (ch == '\'' || ch == '\\') out += '\\';
        out += ch;
    }
    return out + "'";
}

// One entry of a face list as CSS, or an empty string when a browser would refuse it.
QString FamilyEntry(const QString& entry)
{
    static const QRegularExpression ident(QStringLiteral("^-?(?:[A-Za-z_]|[^\\x00-\\x7F])(?:[A-Za-z0-9_-]|[^\\x00-\\x7F])*$"));
    const QString trimmed = entry.trimmed();
    if (trimmed.size() >= 2 && (trimmed.front() == '"' || trimmed.front() == '\'')) {
        const QString inner = trimmed.mid(1, trimmed.size() - 2);
        const bool closed = trimmed.back() == trimmed.front() && !inner.contains(trimmed.front()) &&
                            !inner.contains('\\') && !inner.contains('\n');
        return closed ? CssString(inner) : QString();
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = trimmed.split(blanks, Qt::SkipEmptyParts);
    if (words.isEmpty()) return {};
    for (const QString& word : words)
        if (!ident.match(word).hasMatch() || IsWideKeyword(word)) return {};
    if (words.size() == 1 && IsGenericFamily(words[0])) return words[0];
    return CssString(words.join(' '));
}

// What a browser makes of a negative CELLSPACING (its default, 2) or CELLPADDING (0).
QByteArray SpacingPx(int value, int negativeMeans)
{
    return Num(value >= 0 ? value : negativeMeans) + "px";
}

QByteArray SizeCss(const char* property, const TSizeSpec& spec)
{
    // A browser ignores a zero or negative width or height attribute.
    if (spec.Value <= 0 || (spec.Units != TSizeSpec::Percent && spec.Units != TSizeSpec::Pixels)) return {};
    QByteArray value = Num(spec.Value) + (spec.Units == TSizeSpec::Percent ? "%" : "px");
    // A page without a doctype counts a percentage height from the window less the body's
    // margins (8 pixels each); with a doctype, only the window can give that.
    if (spec.Units == TSizeSpec::Percent && QByteArrayView(property) == "height")
        value = "calc(" + Num(spec.Value) + "vh - " + QByteArray::number(spec.Value * 0.16, 'g', 12) + "px)";
    return QByteArray(";") + property + ":" + value;
}

}  // namespace

QByteArray Html5TableStyle(const TableCore& t)
{
    QByteArray style = "border-collapse:separate;border-spacing:" + SpacingPx(t.CellsBorderWidth, 2) +
                       ";background-color:#" + HTMLColor(t.CellsBorderColor);
    // Also a border of no width names its colour, which the document keeps for when it grows.
    style += ";border:" + Num(std::max(0, t.TableBorderWidth())) + "px solid #" + HTMLColor(t.TableBorderColor());
    style += SizeCss("width", t.TableWidth);
    style += SizeCss("height", t.TableHeight);
    return style;
}

QByteArray Html5CellStyle(const TableCore& t, const TCell& cell, bool header)
{
    QByteArray style;
    AppendCellStyle(style, t, cell, header, CssFontFamily(cell.FontName));
    return style;
}

void AppendCellStyle(QByteArray& out, const TableCore& t, const TCell& cell, bool header, QByteArrayView family)
{
    out += cell.HAlign == 1 ? "text-align:center" : cell.HAlign == 2 ? "text-align:right" : "text-align:left";
    out += cell.VAlign == 1 ? ";vertical-align:middle" : cell.VAlign == 2 ? ";vertical-align:bottom" : ";vertical-align:top";
    out += ";padding:";
    AppendNumber(out, std::max(0, t.CellsTextMargin));  // a negative CELLPADDING is none
    out += "px;background-color:#";
    AppendHTMLColor(out, cell.BgColor);
    out += ";color:#";
    AppendHTMLColor(out, cell.FontColor);
    if (!family.isEmpty()) {
        out += ";font-family:";
        out += family;
    }
    out += ";font-size:";
    AppendNumber(out, HtmlFontPixels(cell.FontSize, family.compare("monospace", Qt::CaseInsensitive) == 0));
    out += "px";
    // Header cells are bold by default; the cell's own weight wins.
    if (cell.Bold) out += ";font-weight:bold";
    else if (header) out += ";font-weight:normal";
    if (cell.Italic) out += ";font-style:italic";
}

namespace {

bool HasBlockContent(const QString& text)
{
    if (!text.contains(u'<')) return false;
    static const QRegularExpression block(
        QStringLiteral("<(?:address|article|aside|blockquote|center|details|dialog|dir|div|dl|fieldset|figure|footer|form|"
                       "h[1-6]|header|hr|li|main|menu|nav|ol|p|pre|section|table|ul)(?=[\\s/>])"),
        QRegularExpression::CaseInsensitiveOption);
    return block.match(text).hasMatch();
}

// The CSS family of each face, escaped for the style attribute, once a table: a table's
// cells use a few faces, and reading a face list is the costliest part of a cell's style.
class FaceFamilies {
public:
    const QByteArray& of(const QByteArray& face)
    {
        auto it = families_.find(face);
        if (it == families_.end()) it = families_.insert(face, EscapeAttribute(CssFontFamily(face)));
        return *it;
    }

private:
    QHash<QByteArray, QByteArray> families_;
};

void WriteCell(QByteArray& out, const TableParts& parts, const AnchoredLines& lines, FaceFamilies& faces, int c, int r)
{
    const TableCore& t = parts.table();
    const TCell& cell = t.Cell(c, r);
    const bool header = parts.header(c, r);
    out += header ? "<th" : "<td";
    if (header && parts.scope(c, r) != TableParts::NoScope)
        out += parts.scope(c, r) == TableParts::ColScope ? " scope=\"col\"" : " scope=\"row\"";
    const int colSpan = lines.colSpan(c, cell.ExtraCols), rowSpan = lines.rowSpan(r, cell.ExtraRows);
    if (colSpan > 1) out += " colspan=\"" + Num(colSpan) + "\"";
    if (rowSpan > 1) out += " rowspan=\"" + Num(rowSpan) + "\"";
    // Only the face can hold what the attribute must escape.
    out += " style=\"";
    AppendCellStyle(out, t, cell, header, faces.of(cell.FontName));
    out += "\">";
    // The classic page puts the text in an inline element (FONT); raised and lowered text
    // (sup, sub) sits a pixel differently without one. A span may hold no blocks, though.
    const bool inSpan = !HasBlockContent(cell.Text);
    if (inSpan) out += "<span>";
    if (cell.Text.isEmpty()) out += "&nbsp;";
    else AppendCellText(out, cell.Text);
    if (inSpan) out += "</span>";
    out += header ? "</th>\n" : "</td>\n";
}

}  // namespace

int HtmlFontPixels(int fontSize, bool monospace)
{
    // Browsers size a font given only as the generic monospace from a smaller default.
    static constexpr int pixels[] = {10, 13, 16, 18, 24, 32, 48};
    static constexpr int monospacePixels[] = {9, 10, 13, 16, 20, 26, 40};
    return (monospace ? monospacePixels : pixels)[HtmlFontStep(fontSize) - 1];
}

int HtmlFontStep(int fontSize)
{
    return std::clamp(fontSize < 0 ? 3 + std::max(fontSize, -3) : fontSize, 1, 7);
}

QByteArray CssFontFamily(const QByteArray& face)
{
    QStringList entries;
    for (const QString& entry : QString::fromUtf8(face).split(',')) {
        const QString css = FamilyEntry(entry);
        if (css.isEmpty()) return {};
        entries << css;
    }
    return entries.join(',').toUtf8();
}

namespace {

// A col's width is the column's whole width, the cells' padding included; the document's
// pixels are the text area's, as a cell's WIDTH gives them.
void WriteColumns(QByteArray& out, const TableParts& parts, const AnchoredLines& lines)
{
    if (!parts.anyWidth()) return;
    const TableCore& t = parts.table();
    out += "<colgroup>";
    for (int c = 0; c < t.ColCount; ++c) {
        if (!lines.col(c)) continue;
        const TSizeSpec w = parts.width(c);
        if (w.Units == TSizeSpec::Pixels)
            out += "<col style=\"width:" + Num(qint64(w.Value) + 2 * std::max(0, t.CellsTextMargin)) + "px\">";
        else if (w.Units == TSizeSpec::Percent)
            out += "<col style=\"width:" + Num(w.Value) + "%\">";
        else
            out += "<col>";
    }
    out += "</colgroup>\n";
}

void WriteRows(QByteArray& out, const TableParts& parts, const AnchoredLines& lines, FaceFamilies& faces, int from,
               int to)
{
    const TableCore& t = parts.table();
    for (int r = from; r < to; ++r) {
        if (!lines.row(r)) continue;
        out += "<tr>\n";
        for (int c = 0; c < t.ColCount; ++c)
            if (t.Cell(c, r).Visible) WriteCell(out, parts, lines, faces, c, r);
        out += "</tr>\n";
    }
}

// Whether rows from..to-1 hold a row of their own (one that is not covered by merged cells).
bool AnyRowKept(const AnchoredLines& lines, int from, int to)
{
    for (int r = from; r < to; ++r)
        if (lines.row(r)) return true;
    return false;
}

}  // namespace

QByteArray Html5Table(const TableCore& t, const ExportOptions& options)
{
    return Html5Table(TableParts(t, options));
}

QByteArray Html5Table(const TableParts& parts)
{
    const TableCore& t = parts.table();
    const AnchoredLines lines(t);
    FaceFamilies faces;
    QByteArray out;
    out.reserve(256 + qsizetype(t.ColCount) * t.RowCount * 260);
    out += "<table style=\"" + EscapeAttribute(Html5TableStyle(t)) + "\">\n";
    if (!parts.caption().isEmpty()) {
        out += "<caption>";
        AppendCellText(out, parts.caption());
        out += "</caption>\n";
    }
    WriteColumns(out, parts, lines);
    // Leading header rows make the table's head, unless a cell of theirs reaches below it or
    // the table has a height: a browser gives the height a table has to spare to the rows of
    // its body alone, where the classic page shares it among all rows.
    int head = t.TableHeight.Units == TSizeSpec::Default ? parts.leadingHeaderRows() : 0;
    for (int c = 0; c < t.ColCount && head > 0; ++c)
        for (int r = 0; r < head; ++r)
            if (t.Cell(c, r).Visible && t.AreaLastRow(c, r) >= head) head = 0;
    if (head > 0 && AnyRowKept(lines, 0, head) && AnyRowKept(lines, head, t.RowCount)) {
        out += "<thead>\n";
        WriteRows(out, parts, lines, faces, 0, head);
        out += "</thead>\n<tbody>\n";
        WriteRows(out, parts, lines, faces, head, t.RowCount);
        out += "</tbody>\n";
    } else {
        WriteRows(out, parts, lines, faces, 0, t.RowCount);
    }
    out += "</table>\n";
    return out;
}

QByteArray Html5Page(const TableCore& t, const ExportOptions& options)
{
    const QString title = QString::fromUtf8(options.title).trimmed();
    QByteArray out = "<!DOCTYPE html>\n<html lang=\"" + EscapeText(options.language) + "\">\n<head>\n"
                     "<meta charset=\"utf-8\">\n<title>" +
                     EscapeText(title.isEmpty() ? QStringLiteral("Table") : title) + "</title>\n";
    out += "</head>\n<body>\n";
    out += Html5Table(TableParts(t, options));
    out += "</body>\n</html>\n";
    return out;
}
