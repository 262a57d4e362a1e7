#pragma once
// Tables of an HTML page brought into documents of this program: the one way in that the
// window, quillgrid-cli, the fuzzer and the benchmarks share.
//
//   HtmlImport page(bytes);           // parses the page once
//   page.Tables();                    // every <table>, to choose from
//   HtmlImportResult r = page.Import(0);  // or Import(0, ImportMarkup::ShownOnly)
//   table.LoadFromBytes(r.document);  // r.report lists what could not be kept
//
// Merged cells follow the HTML table model; formatting comes from attributes and inline style
// on the table, its rows and its cells, and from elements that wrap a cell's whole content
// (which then leave the text). The rest of a cell stays as the page wrote it. th cells and the
// cells of thead rows are header cells, the caption is the table's caption, and widths of cols
// (or those a column's cells agree on) are column widths. The page this program writes comes
// back as the document it was written from.

#include "formats/import/ImportReport.h"
#include "formats/import/ShownMarkup.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class HtmlTree;
struct GumboInternalNode;

struct HtmlTableInfo {
    int index = 0;     // what Import takes: the tables in document order, nested ones too
    int depth = 0;     // how many tables it lies inside
    int cols = 0;      // the size it imports at
    int rows = 0;
    QStringList firstCells;  // the plain text of its caption, if any, and its first cells
    bool isFrame = false;    // one cell around the next table: importing it imports that
                             // table with this one as its outer border
};

struct HtmlImportResult {
    bool imported = false;
    QString error;        // why not, when nothing was imported
    QByteArray document;  // the document's bytes, as SaveToBytes writes them
    int cols = 0;
    int rows = 0;
    ImportReport report;
    // A cell or the caption held markup the table does not show: the import then did what
    // its ImportMarkup said, and the report says which, where.
    bool unshownMarkup = false;
};

class HtmlImport {
public:
    // Larger pages are refused before they are parsed: the parsed tree takes about twenty
    // times the page's size.
    static constexpr qsizetype kMaxPageSize = qsizetype(32) << 20;

    explicit HtmlImport(const QByteArray& page);
    ~HtmlImport();
    HtmlImport(const HtmlImport&) = delete;
    HtmlImport& operator=(const HtmlImport&) = delete;

    // Worked out on first use: an import by number does without.
    const std::vector<HtmlTableInfo>& Tables() const;
    HtmlImportResult Import(int index, ImportMarkup markup = ImportMarkup::AsWritten) const;

private:
    QString refusal_;
    ImportReport pageNotes_;  // about the page as a whole: its encoding, its style sheets
    std::unique_ptr<HtmlTree> tree_;
    std::vector<const GumboInternalNode*> elements_;  // the table elements, by index
    std::vector<int> depths_;
    mutable std::vector<HtmlTableInfo> tables_;
    mutable bool listed_ = false;
};
