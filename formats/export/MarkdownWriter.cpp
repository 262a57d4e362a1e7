// The table as a GitHub-flavoured Markdown table: the first row is its header, the alignment
// row follows the columns' alignment, and merged cells are flattened.

#include "formats/export/TextWriters.h"

#include "core/TableCore.h"
#include "formats/export/TableParts.h"
#include "formats/export/TextExport.h"

#include <QRegularExpression>

#include <cctype>

namespace {

// Backslashes every character that Markdown or the table would read as syntax. In a link's
// text, addresses must not turn into links of their own, as some readers make them.
QString EscapeMarkdown(const QString& text, bool inLink = false)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        const bool entityStart = ch == '&' && i + 1 < text.size() && (text[i + 1].isLetterOrNumber() || text[i + 1] == '#');
        const bool address = inLink && (ch == '@' || ch == ':' || ch == '.');
        if (QStringView(u"\\`*_[]<>|~$").contains(ch) || entityStart || address) out += '\\';
        out += ch;
    }
    return out;
}

// A link destination that cannot end the link, the cell or the table.
QString LinkTarget(const QString& url)
{
    QString out;
    for (const QChar ch : url) {
        switch (ch.unicode()) {
        case ' ': out += "%20"; break;
        case '(': out += "%28"; break;
        case ')': out += "%29"; break;
        case '<': out += "%3C"; break;
        case '>': out += "%3E"; break;
        case '|': out += "%7C"; break;
        default: out += ch;
        }
    }
    return out;
}

// Punctuation as Markdown's emphasis rules count it: ASCII punctuation and Unicode's
// punctuation and symbols.
bool IsMarkdownPunctuation(QChar ch)
{
    if (ch.unicode() < 0x80) return std::ispunct(ch.unicode()) != 0;
    return ch.isPunct() || ch.isSymbol();
}

// Whether `**` (or `*`) before `first` and after `last`, with `before` and `after` outside
// them, opens and closes emphasis for every CommonMark reader: a delimiter beside punctuation
// counts only when the other side is a blank, punctuation or the line's end.
bool DelimitersHold(QChar before, QChar first, QChar last, QChar after)
{
    const auto open = [](QChar ch) { return ch.isNull() || ch.isSpace() || IsMarkdownPunctuation(ch); };
    const bool opens = !IsMarkdownPunctuation(first) || open(before);
    const bool closes = !IsMarkdownPunctuation(last) || open(after);
    return opens && closes;
}

// A run with its emphasis; the delimiters go inside the run's outer spaces, where Markdown
// still reads them as emphasis. Where a reader would not take the delimiters (next to
// punctuation inside a word, as in foo**(bar)**), the run is emphasized with HTML tags,
// which GitHub and pandoc read in a table cell.
QString EmphasizedRun(const TextRun& run, QChar before, QChar after)
{
    const QString text = EscapeMarkdown(run.text, !run.link.isEmpty());
    const QString core = text.trimmed();
    if (core.isEmpty() || (!run.bold && !run.italic)) return text;
    const qsizetype lead = text.indexOf(core);
    const qsizetype trail = text.size() - lead - core.size();
    const QChar outerBefore = lead > 0 ? QChar(u' ') : before, outerAfter = trail > 0 ? QChar(u' ') : after;
    QString open, close;
    if (DelimitersHold(outerBefore, core.front(), core.back(), outerAfter)) {
        open = close = run.bold && run.italic ? "***" : run.bold ? "**" : "*";
    } else {
        open = QString(run.bold ? "<strong>" : "") + (run.italic ? "<em>" : "");
        close = QString(run.italic ? "</em>" : "") + (run.bold ? "</strong>" : "");
    }
    return text.left(lead) + open + core + close + text.mid(lead + core.size());
}

// The first character a run writes, for the run before it to look at.
QChar FirstWritten(const std::vector<TextRun>& line, std::size_t i)
{
    if (i >= line.size()) return QChar();
    if (line[i].linkNumber != 0 && (i == 0 || line[i - 1].linkNumber != line[i].linkNumber)) return u'[';
    const QString text = EscapeMarkdown(line[i].text, !line[i].link.isEmpty());
    return text.isEmpty() ? FirstWritten(line, i + 1) : text.front();
}

QString MarkdownLine(const std::vector<TextRun>& line)
{
    QString out;
    const auto last = [&out]() { return out.isEmpty() ? QChar() : out.back(); };
    for (std::size_t i = 0; i < line.size();) {
        if (line[i].linkNumber == 0) {
            out += EmphasizedRun(line[i], last(), FirstWritten(line, i + 1));
            ++i;
            continue;
        }
        // The runs of one link share its brackets. A "!" just before them would make the link
        // an image.
        const QString link = line[i].link;
        const int number = line[i].linkNumber;
        if (out.endsWith(u'!')) out.insert(out.size() - 1, u'\\');
        out += '[';
        for (; i < line.size() && line[i].linkNumber == number; ++i) {
            const QChar after = i + 1 < line.size() && line[i + 1].linkNumber == number ? FirstWritten(line, i + 1) : QChar(u']');
            out += EmphasizedRun(line[i], last(), after);
        }
        out += "](" + LinkTarget(link) + ')';
    }
    return out;
}

QString MarkdownCell(const CellMarkup& content)
{
    QStringList lines;
    for (const auto& line : content.lines) lines << MarkdownLine(line);
    // A table cell is one line of Markdown; GitHub and most readers take <br> in it.
    return lines.join(QStringLiteral("<br>"));
}

QString AlignmentRow(const std::vector<int>& alignments)
{
    QString out = "|";
    for (const int a : alignments) out += a == 0 ? " :--- |" : a == 2 ? " ---: |" : " :---: |";
    return out + '\n';
}

void ReportCell(const TCell& cell, int c, int r, int columnAlignment, ExportReport& report)
{
    static const char* const names[] = {"left", "centre", "right"};
    if (cell.isMerged())
        report.addCell(c, r, ExportReportItem::MergeFlattened,
                       QStringLiteral("%1x%2").arg(cell.ExtraCols + 1).arg(cell.ExtraRows + 1));
    const int alignment = std::clamp(cell.HAlign, 0, 2);
    if (cell.ExtraCols == 0 && alignment != columnAlignment)
        report.addCell(c, r, ExportReportItem::AlignmentLeftOut, QLatin1String(names[alignment]));
}

}  // namespace

QByteArray MarkdownTable(const TableParts& parts, ExportReport& report)
{
    const TableCore& t = parts.table();
    // The first row is the header whatever it holds; other header cells have no mark.
    ReportPartsNotHeld(parts, {true, true, false}, report);
    if (t.RowCount > 0 && parts.leadingHeaderRows() == 0)
        report.addTable(ExportReportItem::OptionNotHeld, QStringLiteral("a table without a header row: the first row is the header"));
    if (parts.leadingHeaderRows() > 1 || parts.headersBelowTop())
        report.addTable(ExportReportItem::OptionNotHeld, QStringLiteral("header cells below the first row: written as ordinary cells"));
    ReportLostFormatting(t, lfBackground | lfTextColor | lfFontFace | lfFontSize | lfVerticalAlign |
                                lfTableSize | lfLines | lfTextMargin,
                         report);
    if (t.ColCount == 0 || t.RowCount == 0) return {};
    const std::vector<int> alignments = ColumnAlignments(t);
    QString out;
    for (int r = 0; r < t.RowCount; ++r) {
        out += '|';
        for (int c = 0; c < t.ColCount; ++c) {
            const TCell& cell = t.Cell(c, r);
            QString text;
            if (cell.Visible) {
                text = MarkdownCell(ReadCell(t, c, r, report));
                ReportCell(cell, c, r, alignments[std::size_t(c)], report);
            }
            out += text.isEmpty() ? QStringLiteral(" |") : ' ' + text + " |";
        }
        out += '\n';
        if (r == 0) out += AlignmentRow(alignments);
    }
    // The caption as a paragraph after the table that starts with "Table:", which pandoc reads
    // as the table's caption and other readers show as a line of text.
    if (!parts.caption().isEmpty()) {
        QStringList lines;
        for (const auto& line : ReadCaption(parts, report).lines) lines << MarkdownLine(line);
        const QString caption = lines.join(' ').trimmed();
        if (!caption.isEmpty()) out += "\nTable: " + caption + '\n';
    }
    return out.toUtf8();
}
