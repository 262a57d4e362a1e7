#include "formats/export/TextExport.h"
#include "formats/export/TableParts.h"

#include "core/TableCore.h"

#include <algorithm>
#include <array>

namespace {

struct FeatureCheck {
    LostFeature feature;
    const char* what;
    bool (*differs)(const TCell&);
};

const FeatureCheck kCellChecks[] = {
    {lfBackground, "background colours", [](const TCell& c) { return ResolveColor(c.BgColor) != 0xFFFFFF; }},
    {lfTextColor, "text colours", [](const TCell& c) { return ResolveColor(c.FontColor) != 0; }},
    {lfFontFace, "font faces", [](const TCell& c) { return c.FontName != "Tahoma"; }},
    {lfFontSize, "font sizes", [](const TCell& c) { return c.FontSize != 3; }},
    {lfVerticalAlign, "vertical alignment", [](const TCell& c) { return c.VAlign != 0; }},
};

}  // namespace

void ReportLostFormatting(const TableCore& t, unsigned features, ExportReport& report)
{
    for (const FeatureCheck& check : kCellChecks) {
        if (!(features & check.feature)) continue;
        int cells = 0;
        for (int c = 0; c < t.ColCount; ++c)
            for (int r = 0; r < t.RowCount; ++r)
                cells += t.Cell(c, r).Visible && check.differs(t.Cell(c, r));
        if (cells > 0)
            report.items.push_back({ExportReportItem::FormattingLeftOut, QLatin1String(check.what), -1, -1, cells});
    }
    if ((features & lfTableSize) &&
        (t.TableWidth.Units != TSizeSpec::Default || t.TableHeight.Units != TSizeSpec::Default))
        report.addTable(ExportReportItem::FormattingLeftOut, QStringLiteral("table width and height"));
    if ((features & lfLines) && (t.TableBorderWidth() != 1 || t.TableBorderColor() != 0x808080 ||
                                 t.CellsBorderWidth != 1 || t.CellsBorderColor != 0xC0C0C0))
        report.addTable(ExportReportItem::FormattingLeftOut, QStringLiteral("border and cell line colours and widths"));
    if ((features & lfTextMargin) && t.CellsTextMargin != 3)
        report.addTable(ExportReportItem::FormattingLeftOut, QStringLiteral("cell text margin"));
}

std::vector<int> ColumnAlignments(const TableCore& t)
{
    std::vector<int> alignments(std::size_t(t.ColCount), 1);
    for (int c = 0; c < t.ColCount; ++c) {
        std::array<int, 3> counts{};
        for (int r = 0; r < t.RowCount; ++r) {
            const TCell& cell = t.Cell(c, r);
            if (cell.Visible && cell.ExtraCols == 0) ++counts[std::size_t(std::clamp(cell.HAlign, 0, 2))];
        }
        // Ties go to the default, centred.
        int best = 1;
        for (int a : {0, 2})
            if (counts[std::size_t(a)] > counts[std::size_t(best)]) best = a;
        alignments[std::size_t(c)] = best;
    }
    return alignments;
}

CellMarkup ReadCaption(const TableParts& parts, ExportReport& report)
{
    CellMarkup content = ReadCellMarkup(parts.caption(), false, false);
    if (!content.leftOutTags.isEmpty())
        report.addTable(ExportReportItem::MarkupLeftOut, content.leftOutTags.join(QStringLiteral(", ")));
    return content;
}

CellMarkup ReadCell(const TableCore& t, int col, int row, ExportReport& report)
{
    const TCell& cell = t.Cell(col, row);
    CellMarkup content = ReadCellMarkup(cell.Text, cell.Bold, cell.Italic);
    if (!content.leftOutTags.isEmpty())
        report.addCell(col, row, ExportReportItem::MarkupLeftOut, content.leftOutTags.join(QStringLiteral(", ")));
    return content;
}

void ReportLinks(const CellMarkup& content, int col, int row, ExportReport& report)
{
    QStringList seen;
    for (const auto& line : content.lines)
        for (const TextRun& run : line)
            if (!run.link.isEmpty() && !seen.contains(run.link)) {
                seen << run.link;
                report.addCell(col, row, ExportReportItem::LinkTargetLeftOut, run.link);
            }
}
