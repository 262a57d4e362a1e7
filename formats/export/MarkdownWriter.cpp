// The table as a GitHub-flavoured Markdown table: the first row is its header, the alignment
// row follows the columns' alignment, and merged cells are flattened.

#include "formats/export/TextWriters.h"

#include "core/TableCore.h"
#include "formats/export/TextExport.h"

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

// A run with its emphasis; the delimiters go inside the run's outer spaces, where Markdown
// still reads them as emphasis.
QString EmphasizedRun(const TextRun& run)
{
    const QString text = EscapeMarkdown(run.text, !run.link.isEmpty());
    const QString core = text.trimmed();
    if (core.isEmpty() || (!run.bold && !run.italic)) return text;
    const QString marks = run.bold && run.italic ? "***" : run.bold ? "**" : "*";
    const qsizetype lead = text.indexOf(core);
    return text.left(lead) + marks + core + marks + text.mid(lead + core.size());
}

QString MarkdownLine(const std::vector<TextRun>& line)
{
    QString out;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i].link.isEmpty()) {
            out += EmphasizedRun(line[i++]);
            continue;
        }
        // The runs of one link share its brackets.
        const QString link = line[i].link;
        out += '[';
        for (; i < line.size() && line[i].link == link; ++i) out += EmphasizedRun(line[i]);
        out += "](" + LinkTarget(link) + ')';
    }
    return out;
}

QString MarkdownCell(const CellContent& content)
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

QByteArray MarkdownTable(const TableCore& t, const ExportOptions& options, ExportReport& report)
{
    ReportOptionsNotHeld(options, false, true, false, report);
    if (!options.headerRow && t.RowCount > 0)
        report.addTable(ExportReportItem::OptionNotHeld, QStringLiteral("a table without a header row: the first row is the header"));
    ReportLostFormatting(t, lfBackground | lfTextColor | lfFontFace | lfFontSize | lfVerticalAlign |
                                lfTableSize | lfLines | lfTextMargin,
                         report);
    if (t.ColCount == 0 || t.RowCount == 0) return {};
    const std::vector<int> alignments = ColumnAlignments(t);
    QString out;
    if (!options.caption.isEmpty()) out += EscapeMarkdown(options.caption) + "\n\n";
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
    return out.toUtf8();
}
