#include "formats/import/HtmlImport.h"

#include "core/UTF8.h"
#include "formats/import/HtmlTableReader.h"
#include "formats/import/HtmlTree.h"
#include "formats/import/PageLimits.h"

#include <QStringDecoder>

#include <cctype>

#include <cstring>

namespace {

// ---- The page's encoding ---------------------------------------------------------------------

// The charset a page names in its first kilobyte, in lower case.
QByteArray DeclaredCharset(const QByteArray& page)
{
    const QByteArray head = page.left(1024).toLower();
    const qsizetype at = head.indexOf("charset=");
    if (at < 0) return {};
    qsizetype i = at + 8;
    while (i < head.size() && (head[i] == '"' || head[i] == '\'' || head[i] == ' ')) ++i;
    const qsizetype start = i;
    while (i < head.size() && (std::isalnum(static_cast<unsigned char>(head[i])) || std::strchr("-_.:", head[i]))) ++i;
    return head.mid(start, i - start);
}

bool IsWindows1252Label(const QByteArray& label)
{
    for (const char* name : {"windows-1252", "iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "l1",
                             "cp1252", "x-cp1252", "us-ascii", "ascii", "cp819", "ibm819"})
        if (label == name) return true;
    return false;
}

bool IsUtf8Label(const QByteArray& label)
{
    return label.isEmpty() || label == "utf-8" || label == "utf8" || label == "unicode-1-1-utf-8";
}

bool IsValidUtf8(const QByteArray& bytes)
{
    // The decoder decodes when its result becomes a string.
    QStringDecoder check(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = check.decode(bytes);
    return !check.hasError();
}

// The page as UTF-8, which the parser reads: a byte-order mark decides, then the charset the
// page names; anything else is read as UTF-8.
QByteArray PageAsUtf8(const QByteArray& page, ImportReport& notes)
{
    if (page.startsWith("\xEF\xBB\xBF")) return page.sliced(3);
    if (page.startsWith("\xFF\xFE") || page.startsWith("\xFE\xFF")) {
        QStringDecoder decode(page.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return QString(decode(QByteArrayView(page).sliced(2))).toUtf8();
    }
    const QByteArray charset = DeclaredCharset(page);
    if (IsWindows1252Label(charset)) return Windows1252ToString(page).toUtf8();
    if (!IsUtf8Label(charset))
        notes.AddToTable(QStringLiteral("charset \"%1\"").arg(QString::fromLatin1(charset)),
                         QStringLiteral("not known; the page was read as UTF-8"));
    else if (!IsValidUtf8(page))
        notes.AddToTable(QStringLiteral("bytes that are not UTF-8"), QStringLiteral("read as U+FFFD"));
    return page;
}

// ---- The tables of the page ------------------------------------------------------------------

struct Found {
    const GumboNode* element;
    int depth;
};

// Every table in document order with the number of tables around it; template contents are
// inert and left out. Also notes the page's style sheets, which the import does not read.
std::vector<Found> FindTables(const GumboNode* document, ImportReport& notes)
{
    std::vector<Found> tables;
    std::vector<Found> stack{{document, 0}};
    bool styleSheets = false;
    while (!stack.empty()) {
        const Found at = stack.back();
        stack.pop_back();
        const GumboTag tag = Html::Tag(at.element);
        int depth = at.depth;
        if (tag == GUMBO_TAG_TABLE) tables.push_back({at.element, depth++});
        if (tag == GUMBO_TAG_STYLE) styleSheets = true;
        if (tag == GUMBO_TAG_LINK) {
            const auto rel = Html::Attribute(at.element, "rel");
            if (rel && rel->toByteArray().toLower().contains("stylesheet")) styleSheets = true;
        }
        if (at.element->type == GUMBO_NODE_TEMPLATE) continue;
        if (const GumboVector* children = Html::Children(at.element))
            for (unsigned i = children->length; i-- > 0;) stack.push_back({Html::At(*children, i), depth});
    }
    if (styleSheets)
        notes.AddToTable(QStringLiteral("style sheets of the page"),
                         QStringLiteral("not read: cells keep the formatting written on the table itself"));
    return tables;
}

}  // namespace

HtmlImport::HtmlImport(const QByteArray& page)
{
    if (page.size() > kMaxPageSize) {
        refusal_ = QStringLiteral("the page is larger than %1 MB").arg(kMaxPageSize >> 20);
        return;
    }
    const QByteArray utf8 = PageAsUtf8(page, pageNotes_);
    const QString beyond = PageLimits::Refusal(utf8);
    if (!beyond.isEmpty()) {
        refusal_ = QStringLiteral("the page is not read: ") + beyond;
        return;
    }
    tree_ = std::make_unique<HtmlTree>(utf8);
    for (const Found& f : FindTables(tree_->Document(), pageNotes_)) {
        elements_.push_back(f.element);
        depths_.push_back(f.depth);
    }
    if (elements_.empty()) refusal_ = QStringLiteral("the page holds no table");
}

HtmlImport::~HtmlImport() = default;

const std::vector<HtmlTableInfo>& HtmlImport::Tables() const
{
    if (listed_) return tables_;
    listed_ = true;
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        const HtmlTableSummary summary = SummarizeHtmlTable(elements_[i]);
        HtmlTableInfo info;
        info.index = int(i);
        info.depth = depths_[i];
        info.cols = summary.cols;
        info.rows = summary.rows;
        info.firstCells = summary.firstCells;
        info.isFrame = FramedTable(ShapeOfTable(elements_[i])) != nullptr;
        tables_.push_back(info);
    }
    return tables_;
}

HtmlImportResult HtmlImport::Import(int index, ImportMarkup markup) const
{
    HtmlImportResult result;
    if (!refusal_.isEmpty()) {
        result.error = refusal_;
        return result;
    }
    if (index < 0 || index >= int(elements_.size())) {
        result.error = QStringLiteral("the page has no table %1 (it has %2, numbered from 0)").arg(index).arg(elements_.size());
        return result;
    }
    HtmlTableRead read = ReadHtmlTable(*tree_, elements_[std::size_t(index)], markup);
    result.imported = true;
    result.unshownMarkup = read.unshownMarkup;
    result.document = std::move(read.document);
    result.cols = read.cols;
    result.rows = read.rows;
    result.report = pageNotes_;
    result.report.Append(std::move(read.report));
    return result;
}
