#pragma once
// Importing a page into a table for a test, and naming the first field in which two tables
// differ, so that a failure says which cell and field went wrong.

#include "TableInvariants.h"
#include "core/TableCore.h"
#include "formats/import/HtmlImport.h"

#include <memory>
#include <string>

struct ImportedTable {
    std::unique_ptr<TableCore> table = std::make_unique<TableCore>();
    HtmlImportResult result;
    std::string problem;  // why the import or the load failed, or a broken invariant
};

inline ImportedTable ImportPage(const QByteArray& page, int index = 0, ImportMarkup markup = ImportMarkup::AsWritten)
{
    ImportedTable out;
    out.result = HtmlImport(page).Import(index, markup);
    QString reason;
    if (!out.result.imported) out.problem = "not imported: " + out.result.error.toStdString();
    else if (!out.table->LoadFromBytes(out.result.document, &reason)) out.problem = "refused: " + reason.toStdString();
    else out.problem = invariants::Check(*out.table);
    return out;
}

inline std::string FirstDifference(const TableCore& want, const TableCore& got)
{
    auto differs = [](const char* field, auto a, auto b) -> std::string {
        if (a == b) return {};
        return std::string(field) + " " + std::to_string(qint64(a)) + " became " + std::to_string(qint64(b));
    };
    const std::string table[] = {
        differs("ColCount", want.ColCount, got.ColCount),
        differs("RowCount", want.RowCount, got.RowCount),
        differs("TableWidth", want.TableWidth.Value * 4 + want.TableWidth.Units, got.TableWidth.Value * 4 + got.TableWidth.Units),
        differs("TableHeight", want.TableHeight.Value * 4 + want.TableHeight.Units, got.TableHeight.Value * 4 + got.TableHeight.Units),
        differs("TableBorderWidth", want.TableBorderWidth(), got.TableBorderWidth()),
        differs("TableBorderColor", want.TableBorderColor(), got.TableBorderColor()),
        differs("CellsBorderWidth", want.CellsBorderWidth, got.CellsBorderWidth),
        differs("CellsBorderColor", want.CellsBorderColor, got.CellsBorderColor),
        differs("CellsTextMargin", want.CellsTextMargin, got.CellsTextMargin),
    };
    for (const std::string& d : table)
        if (!d.empty()) return d;
    if (want.Caption != got.Caption)
        return "Caption \"" + want.Caption.toStdString() + "\" became \"" + got.Caption.toStdString() + "\"";
    for (int c = 0; c < want.ColCount; ++c) {
        const TSizeSpec a = want.ColWidths[std::size_t(c)], b = got.ColWidths[std::size_t(c)];
        if (const std::string d = differs("width", a.Value * 4 + a.Units, b.Value * 4 + b.Units); !d.empty())
            return "column " + std::to_string(c) + " " + d + " (value * 4 + units)";
    }
    for (int c = 0; c <= want.ColCount; ++c)
        for (int r = 0; r <= want.RowCount; ++r) {
            const TCell& a = want.Cell(c, r);
            const TCell& b = got.Cell(c, r);
            const std::string at = "cell (" + std::to_string(c) + ", " + std::to_string(r) + ") ";
            if (a.Text != b.Text)
                return at + "Text \"" + a.Text.toStdString() + "\" became \"" + b.Text.toStdString() + "\"";
            if (a.FontName != b.FontName)
                return at + "FontName \"" + a.FontName.toStdString() + "\" became \"" + b.FontName.toStdString() + "\"";
            const std::string fields[] = {
                differs("FontSize", a.FontSize, b.FontSize),   differs("Bold", a.Bold, b.Bold),
                differs("Italic", a.Italic, b.Italic),         differs("FontColor", a.FontColor, b.FontColor),
                differs("BgColor", a.BgColor, b.BgColor),      differs("Visible", a.Visible, b.Visible),
                differs("ExtraCols", a.ExtraCols, b.ExtraCols), differs("ExtraRows", a.ExtraRows, b.ExtraRows),
                differs("VAlign", a.VAlign, b.VAlign),         differs("HAlign", a.HAlign, b.HAlign),
                differs("Header", a.Header, b.Header),
            };
            for (const std::string& d : fields)
                if (!d.empty()) return at + d;
        }
    return {};
}
