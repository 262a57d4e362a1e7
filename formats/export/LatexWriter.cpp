// The table as a LaTeX document for pdflatex: one tabular with \multicolumn and \multirow
// for merged cells, \cellcolor for backgrounds (xcolor with colortbl), and the cell lines in
// the table's colour and width (hhline for lines that stop at merged cells).

#include "formats/export/TextWriters.h"

#include "core/TableCore.h"
#include "formats/export/Html5Writer.h"
#include "formats/export/HtmlWriter.h"
#include "formats/export/TableParts.h"
#include "formats/export/TextExport.h"

#include <algorithm>
#include <iterator>

namespace {

struct Symbol {
    char32_t code;
    const char* latex;
};

// Characters beyond Latin-1 and Latin Extended-A that the T1 fonts, textcomp and amssymb
// can set.
constexpr Symbol kSymbols[] = {
    {0x2002, "\\enspace{}"}, {0x2003, "\\quad{}"}, {0x2009, "\\,"}, {0x200C, "{}"}, {0x200D, "{}"},
    {0x2013, "\\textendash{}"}, {0x2014, "\\textemdash{}"}, {0x2018, "\\textquoteleft{}"},
    {0x2019, "\\textquoteright{}"}, {0x201A, "\\quotesinglbase{}"}, {0x201C, "\\textquotedblleft{}"},
    {0x201D, "\\textquotedblright{}"}, {0x201E, "\\quotedblbase{}"}, {0x2020, "\\textdagger{}"},
    {0x2021, "\\textdaggerdbl{}"}, {0x2022, "\\textbullet{}"}, {0x2026, "\\textellipsis{}"},
    {0x2030, "\\textperthousand{}"}, {0x2039, "\\guilsinglleft{}"}, {0x203A, "\\guilsinglright{}"},
    {0x20AC, "\\texteuro{}"}, {0x2122, "\\texttrademark{}"}, {0x2190, "\\textleftarrow{}"},
    {0x2191, "\\textuparrow{}"}, {0x2192, "\\textrightarrow{}"}, {0x2193, "\\textdownarrow{}"},
    {0x2212, "\\textminus{}"}, {0x221E, "\\ensuremath{\\infty}"}, {0x2260, "\\ensuremath{\\neq}"},
    {0x2264, "\\ensuremath{\\leq}"}, {0x2265, "\\ensuremath{\\geq}"}, {0x2713, "\\ensuremath{\\checkmark}"},
};

const char* SpecialCommand(char32_t code)
{
    switch (code) {
    case '\\': return "\\textbackslash{}";
    case '{': return "\\{";
    case '}': return "\\}";
    case '#': return "\\#";
    case '$': return "\\$";
    case '%': return "\\%";
    case '&': return "\\&";
    case '_': return "\\_";
    case '~': return "\\textasciitilde{}";
    case '^': return "\\textasciicircum{}";
    case '<': return "\\textless{}";
    case '>': return "\\textgreater{}";
    case '|': return "\\textbar{}";
    case '"': return "\\textquotedbl{}";
    case '\'': return "\\textquotesingle{}";
    case '`': return "\\textasciigrave{}";
    case 0xA0: return "~";
    case 0xAD: return "\\-";
    // Latin Extended-A letters the T1 fonts have no glyph for, written as what they stand for.
    case 0x13F: return "L\\textperiodcentered{}";
    case 0x140: return "l\\textperiodcentered{}";
    case 0x149: return "'n";
    default: return nullptr;
    }
}

// Latin-1 and Latin Extended-A letters that pdflatex with the T1 fonts cannot set: H and T
// with stroke, kra and long s.
bool IsMissingFromT1(char32_t code)
{
    return code == 0x126 || code == 0x127 || code == 0x138 || code == 0x166 || code == 0x167 || code == 0x17F;
}

// The text with every character LaTeX would read as syntax written as a command; characters
// pdflatex cannot set become "?" and are collected in `replaced`.
QString EscapeLatex(const QString& text, QStringList& replaced)
{
    QString out;
    const QList<uint> codes = text.toUcs4();
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const char32_t code = codes[i];
        const char32_t next = i + 1 < codes.size() ? codes[i + 1] : 0;
        if (const char* special = SpecialCommand(code)) {
            out += QLatin1String(special);
        } else if (code < 0x20 || code == 0x7F) {
            out += ' ';
        } else if (code < 0x7F || (code >= 0xA1 && code <= 0x17F && !IsMissingFromT1(code))) {
            out += QString::fromUcs4(&code, 1);
            // -- and ,, are ligatures in T1 fonts; the text means two characters.
            if ((code == '-' || code == ',') && next == code) out += "{}";
        } else if (const auto* s = std::find_if(std::begin(kSymbols), std::end(kSymbols),
                                                [code](const Symbol& s) { return s.code == code; });
                   s != std::end(kSymbols)) {
            out += QLatin1String(s->latex);
        } else {
            out += '?';
            const QString name = QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
            if (!replaced.contains(name)) replaced << name;
        }
    }
    return out;
}

QString LatexRun(const TextRun& run, QStringList& replaced)
{
    QString text = EscapeLatex(run.text, replaced);
    if (run.italic) text = "\\textit{" + text + '}';
    if (run.bold) text = "\\textbf{" + text + '}';
    return text;
}

const char* SizeCommand(int fontSize)
{
    static const char* const sizes[] = {"\\scriptsize", "\\small", "", "\\large", "\\Large", "\\LARGE", "\\huge"};
    return sizes[HtmlFontStep(fontSize) - 1];
}

char AlignLetter(int hAlign)
{
    return hAlign == 0 ? 'l' : hAlign == 2 ? 'r' : 'c';
}

QString Hex(TColor color)
{
    return QString::fromLatin1(HTMLColor(color));
}

class LatexTable {
public:
    LatexTable(const TableParts& parts, ExportReport& report)
        : parts_(parts), t_(parts.table()), report_(report), alignments_(ColumnAlignments(t_)),
          rules_(t_.CellsBorderWidth > 0), anchors_(std::size_t(t_.ColCount) * std::size_t(t_.RowCount))
    {
        const TableCore& t = t_;
        for (int c = 0; c < t.ColCount; ++c)
            for (int r = 0; r < t.RowCount; ++r)
                if (t.Cell(c, r).Visible)
                    for (int dc = 0; dc <= t.Cell(c, r).ExtraCols && c + dc < t.ColCount; ++dc)
                        for (int dr = 0; dr <= t.Cell(c, r).ExtraRows && r + dr < t.RowCount; ++dr)
                            anchor(c + dc, r + dr) = {c, r};
    }

    QString write()
    {
        QString out;
        if (rules_) {
            out += "\\arrayrulecolor[HTML]{" + Hex(t_.CellsBorderColor) + "}\n";
            out += QStringLiteral("\\setlength{\\arrayrulewidth}{%1pt}\n").arg(t_.CellsBorderWidth * 0.75);
        }
        out += "\\begin{tabular}{" + QString(rules_ ? "|" : "");
        for (const int a : alignments_) out += QString(AlignLetter(a)) + (rules_ ? "|" : "");
        out += "}\n";
        if (rules_) out += "\\hline\n";
        for (int r = 0; r < t_.RowCount; ++r) out += row(r) + " \\\\\n" + rulesBelow(r);
        return out + "\\end{tabular}\n";
    }

private:
    struct Anchor {
        int col = 0, row = 0;
        bool operator==(const Anchor&) const = default;
    };
    const TableParts& parts_;
    const TableCore& t_;
    ExportReport& report_;
    std::vector<int> alignments_;
    bool rules_;
    std::vector<Anchor> anchors_;

    Anchor& anchor(int c, int r) { return anchors_[std::size_t(c) * std::size_t(t_.RowCount) + std::size_t(r)]; }

    QString row(int r)
    {
        QStringList entries;
        for (int c = 0; c < t_.ColCount; ++c) {
            const Anchor a = anchor(c, r);
            if (a.col == c) entries << slot(a, c, r);
        }
        // After \\ a "[" or "*" would be read as its option or star, blanks before it or not.
        const QString row = entries.join(" & ");
        const QString start = row.trimmed();
        return start.startsWith('[') || start.startsWith('*') ? "{}" + row : row;
    }

    // One row's part of a cell. A cell over several rows writes its text in the bottom row,
    // raised with a negative \multirow, so that the backgrounds of the rows below do not
    // paint over it; every row of it gets the background.
    QString slot(Anchor a, int c, int r)
    {
        const TCell& cell = t_.Cell(a.col, a.row);
        QString content;
        if (ResolveColor(cell.BgColor) != 0xFFFFFF) content += "\\cellcolor[HTML]{" + Hex(cell.BgColor) + "}";
        const int height = std::min(cell.ExtraRows + 1, t_.RowCount - a.row);
        if (r == a.row + height - 1) {
            const QString text = cellText(a.col, a.row);
            content += height > 1 ? QStringLiteral("\\multirow{-%1}{*}{%2}").arg(height).arg(text) : text;
        }
        const int width = std::min(cell.ExtraCols + 1, t_.ColCount - c);
        const char letter = AlignLetter(cell.HAlign);
        if (width == 1 && letter == AlignLetter(alignments_[std::size_t(c)])) return content;
        const QString spec = QString(rules_ && c == 0 ? "|" : "") + letter + (rules_ ? "|" : "");
        return QStringLiteral("\\multicolumn{%1}{%2}{%3}").arg(width).arg(spec, content);
    }

    QString cellText(int c, int r)
    {
        const TCell& cell = t_.Cell(c, r);
        CellMarkup content = ReadCell(t_, c, r, report_);
        // A header cell is set in bold, which is how a reader tells it from the others.
        if (parts_.header(c, r))
            for (auto& line : content.lines)
                for (TextRun& run : line) run.bold = true;
        ReportLinks(content, c, r, report_);
        QStringList replaced, lines;
        for (const auto& line : content.lines) {
            QString text;
            for (const TextRun& run : line) text += LatexRun(run, replaced);
            lines << text;
        }
        for (const QString& name : replaced) report_.addCell(c, r, ExportReportItem::CharacterReplaced, name);
        QString text = lines.join("\\\\{}");  // {}: a "[" or "*" after \\ is text
        if (lines.size() > 1)
            text = QStringLiteral("\\begin{tabular}[c]{@{}%1@{}}%2\\end{tabular}").arg(QChar(AlignLetter(cell.HAlign)), text);
        if (ResolveColor(cell.FontColor) != 0) text = "\\textcolor[HTML]{" + Hex(cell.FontColor) + "}{" + text + '}';
        const QString size = QLatin1String(SizeCommand(cell.FontSize));
        return size.isEmpty() || text.isEmpty() ? text : '{' + size + ' ' + text + '}';
    }

    // The line under row r: whole, or in pieces where cells go on into the next row. The
    // pieces are an \hhline, which (unlike \cline) the next row's backgrounds do not cover.
    QString rulesBelow(int r)
    {
        if (!rules_) return {};
        if (r == t_.RowCount - 1) return "\\hline\n";
        QString pieces = "|";
        bool whole = true;
        for (int c = 0; c < t_.ColCount; ++c) {
            const bool goesOn = anchor(c, r) == anchor(c, r + 1);
            whole = whole && !goesOn;
            pieces += goesOn ? "~|" : "-|";
        }
        return whole ? QStringLiteral("\\hline\n") : "\\hhline{" + pieces + "}\n";
    }
};

void ReportLatexLosses(const TableParts& parts, ExportReport& report)
{
    const TableCore& t = parts.table();
    ReportPartsNotHeld(parts, {true, true, false}, report);
    ReportLostFormatting(t, lfFontFace | lfVerticalAlign | lfTableSize | lfTextMargin, report);
    if (t.TableBorderWidth() != t.CellsBorderWidth || ResolveColor(t.TableBorderColor()) != ResolveColor(t.CellsBorderColor))
        report.addTable(ExportReportItem::FormattingLeftOut, QStringLiteral("the table border, drawn like the cell lines"));
}

// The caption's runs on one line, as \caption takes them.
QString LatexCaption(const TableParts& parts, ExportReport& report)
{
    QStringList replaced, lines, links;
    for (const auto& line : ReadCaption(parts, report).lines) {
        QString text;
        for (const TextRun& run : line) {
            text += LatexRun(run, replaced);
            if (!run.link.isEmpty() && !links.contains(run.link)) links << run.link;
        }
        lines << text;
    }
    for (const QString& name : replaced) report.addTable(ExportReportItem::CharacterReplaced, name);
    for (const QString& link : links) report.addTable(ExportReportItem::LinkTargetLeftOut, link);
    return lines.join(' ').trimmed();
}

}  // namespace

QByteArray LatexDocument(const TableParts& parts, ExportReport& report)
{
    const TableCore& t = parts.table();
    ReportLatexLosses(parts, report);
    QString out = "\\documentclass{article}\n"
                  "\\usepackage[T1]{fontenc}\n"
                  "\\usepackage[utf8]{inputenc}\n"
                  "\\usepackage{amssymb}\n"
                  "\\usepackage{multirow}\n"
                  "\\usepackage{hhline}\n"
                  "\\usepackage[table]{xcolor}\n"
                  "\\begin{document}\n";
    const bool hasTable = t.ColCount > 0 && t.RowCount > 0;
    const QString caption = parts.caption().isEmpty() ? QString() : LatexCaption(parts, report);
    if (!caption.isEmpty()) out += "\\begin{table}[ht]\n\\centering\n\\caption{" + caption + "}\n";
    else out += "\\noindent\n";
    out += hasTable ? LatexTable(parts, report).write() : QStringLiteral("\\mbox{}\n");
    if (!caption.isEmpty()) out += "\\end{table}\n";
    out += "\\end{document}\n";
    return out.toUtf8();
}
