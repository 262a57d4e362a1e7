#include "formats/import/HtmlCellContent.h"

#include <algorithm>
#include <vector>

namespace {

bool IsBlankByte(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f';
}

// The size that relative sizes inside the wrappers refer to.
int SizeWithin(const CellFormat& wrappers, int inheritedSize)
{
    return wrappers.size.value_or(inheritedSize);
}

// Walks the subtree in document order without recursion (pages may nest deeply).
template <typename Visit>
void ForEachElement(const GumboNode* root, Visit visit)
{
    std::vector<const GumboNode*> stack{root};
    while (!stack.empty()) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (node != root && node->type == GUMBO_NODE_ELEMENT) visit(node);
        if (const GumboVector* children = Html::Children(node))
            for (unsigned i = children->length; i-- > 0;) stack.push_back(Html::At(*children, i));
    }
}

// Source text as the cell keeps it: CR LF is the cell's own line break, so a line end of the
// page's source (white space to a browser) is kept as LF, whichever it was.
void AppendSource(QByteArray& out, QByteArrayView source)
{
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (source[i] != '\r') {
            out += source[i];
            continue;
        }
        out += '\n';
        if (i + 1 < source.size() && source[i + 1] == '\n') ++i;
    }
}

// Where the source goes on after a <br>: past the line end that follows it on the same line,
// if one does, since the break already ends the line.
qsizetype AfterBreak(const HtmlTree& tree, qsizetype at, qsizetype end)
{
    const QByteArray& source = tree.Source();
    qsizetype i = at;
    while (i < end && (source[i] == ' ' || source[i] == '\t')) ++i;
    if (i < end && source[i] == '\r') return i + 1 < end && source[i + 1] == '\n' ? i + 2 : i + 1;
    if (i < end && source[i] == '\n') return i + 1;
    return at;
}

// The bytes of the range with every <br> of the content, as written, replaced by CR LF.
QByteArray TextWithLineBreaks(const HtmlTree& tree, const GumboNode* node, Html::Range range, HtmlCellContent& out)
{
    std::vector<Html::Range> breaks;
    ForEachElement(node, [&](const GumboNode* e) {
        const GumboTag tag = Html::Tag(e);
        if (tag == GUMBO_TAG_TABLE) out.nestedTable = true;
        if (tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE) out.script = true;
        const GumboElement& el = e->v.element;
        const auto begin = qsizetype(el.start_pos.offset);
        if (tag == GUMBO_TAG_BR && el.original_tag.length > 0 && begin >= range.begin && begin < range.end)
            breaks.push_back({begin, std::min(range.end, begin + qsizetype(el.original_tag.length))});
    });
    std::sort(breaks.begin(), breaks.end(), [](const Html::Range& a, const Html::Range& b) { return a.begin < b.begin; });
    QByteArray text;
    text.reserve(range.end - range.begin);
    qsizetype at = range.begin;
    for (const Html::Range& br : breaks) {
        if (br.begin < at) continue;
        AppendSource(text, tree.Slice(at, br.begin));
        text += "\r\n";
        at = AfterBreak(tree, br.end, range.end);
    }
    AppendSource(text, tree.Slice(at, range.end));
    return text;
}

}  // namespace

HtmlCellContent ReadCellContent(const HtmlTree& tree, const GumboNode* cell, int inheritedSize, Unwrap unwrap,
                                ImportMarkup markup)
{
    HtmlCellContent out;
    std::optional<Html::Range> range = Html::InnerUpToEnd(cell);
    if (!range) return out;
    const GumboNode* node = cell;
    bool cellLevel = true;
    // Blank text beside a wrapper counts as nothing only directly in the cell, where the
    // page's own line breaks lie.
    while (const GumboNode* wrapper = unwrap == Unwrap::Formatting ? Html::SoleElement(node, cellLevel) : nullptr) {
        if (!IsWrapperTag(Html::Tag(wrapper))) break;
        const std::optional<Html::Range> inner = Html::Inner(wrapper);
        if (!inner) break;
        const ElementFormat f = ReadElementFormat(wrapper, FormatRole::Wrapper, SizeWithin(out.wrappers, inheritedSize));
        // A span that says nothing, directly in the cell, is how the HTML5 page holds a cell's
        // text; it goes with the cell. A wrapper with anything a cell cannot hold stays in the
        // text, whole.
        const bool bareSpan = cellLevel && Html::Is(wrapper, GUMBO_TAG_SPAN) && wrapper->v.element.attributes.length == 0;
        if (!bareSpan && (!f.unread.empty() || f.format.IsEmpty())) break;
        out.wrappers = f.format.Over(out.wrappers);
        range = inner;
        node = wrapper;
        cellLevel = false;
    }
    // Blanks around the content of a cell are the page's layout, not text.
    if (cellLevel && unwrap == Unwrap::Formatting) {
        while (range->begin < range->end && IsBlankByte(tree.Source()[range->begin])) ++range->begin;
        while (range->end > range->begin && IsBlankByte(tree.Source()[range->end - 1])) --range->end;
    }
    const QString asWritten = QString::fromUtf8(TextWithLineBreaks(tree, node, *range, out));
    const QString shown = ShownMarkup(node);
    // Blanks are the same either way: a browser collapses them.
    out.unshownMarkup = asWritten.simplified() != shown.simplified();
    if (markup == ImportMarkup::ShownOnly) {
        out.text = shown;
        out.nestedTable = out.script = false;
    } else {
        out.text = asWritten;
    }
    // An empty cell is written as &nbsp;, so that it keeps its height on the page.
    if (out.text == QLatin1String("&nbsp;")) out.text.clear();
    return out;
}

QString PlainText(const GumboNode* element, int maxChars)
{
    // A bounded look: a cell may hold a whole page of nested markup.
    constexpr int kMaxVisits = 256;
    QString text;
    std::vector<const GumboNode*> stack{element};
    for (int visits = 0; !stack.empty() && text.size() <= maxChars && visits < kMaxVisits; ++visits) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (Html::IsText(node)) text += QString::fromUtf8(node->v.text.text) + QLatin1Char(' ');
        if (const GumboVector* children = Html::Children(node))
            for (unsigned i = children->length; i-- > 0;) stack.push_back(Html::At(*children, i));
    }
    text = text.simplified();
    if (text.size() > maxChars) text = text.left(maxChars - 1) + QChar(0x2026);
    return text;
}
