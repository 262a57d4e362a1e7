#include "formats/import/HtmlTree.h"

#include <QtGlobal>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

// The parser allocates many small pieces and frees most of them only at the end: a bump
// arena freed in one go is a third faster than the general allocator and frees nothing
// piece by piece (so destroying the tree takes no time and no recursion).
struct HtmlTree::Arena {
    static constexpr std::size_t kBlock = 1 << 20;
    std::vector<char*> blocks;
    char* next = nullptr;
    std::size_t left = 0;

    ~Arena()
    {
        for (char* b : blocks) std::free(b);
    }
    void* Get(std::size_t size)
    {
        size = (std::max<std::size_t>(size, 1) + 15) & ~std::size_t(15);
        if (size > left) {
            const std::size_t blockSize = std::max(size, kBlock);
            char* block = static_cast<char*>(std::malloc(blockSize));
            if (!block) qFatal("out of memory while reading a page");
            blocks.push_back(block);
            next = block;
            left = blockSize;
        }
        void* p = next;
        next += size;
        left -= size;
        return p;
    }
    static void* Allocate(void* arena, std::size_t size) { return static_cast<Arena*>(arena)->Get(size); }
    static void Free(void*, void*) {}
};

HtmlTree::HtmlTree(const QByteArray& utf8) : source_(utf8), arena_(std::make_unique<Arena>())
{
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &Arena::Allocate;
    options.deallocator = &Arena::Free;
    options.userdata = arena_.get();
    options.max_errors = 0;  // the importer reads the tree, not the parse errors
    output_ = gumbo_parse_with_options(&options, source_.constData(), std::size_t(source_.size()));
}

// The arena owns every piece of the output.
HtmlTree::~HtmlTree() = default;

QByteArrayView HtmlTree::Slice(qsizetype begin, qsizetype end) const
{
    begin = std::clamp<qsizetype>(begin, 0, source_.size());
    end = std::clamp<qsizetype>(end, begin, source_.size());
    return QByteArrayView(source_.constData() + begin, end - begin);
}

namespace Html {

GumboTag Tag(const GumboNode* node)
{
    if (!node || node->type != GUMBO_NODE_ELEMENT || node->v.element.tag_namespace != GUMBO_NAMESPACE_HTML)
        return GUMBO_TAG_UNKNOWN;
    return node->v.element.tag;
}

bool Is(const GumboNode* node, GumboTag tag)
{
    return Tag(node) == tag;
}

const GumboVector* Children(const GumboNode* node)
{
    if (node->type == GUMBO_NODE_DOCUMENT) return &node->v.document.children;
    if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) return &node->v.element.children;
    return nullptr;
}

std::optional<QByteArrayView> Attribute(const GumboNode* element, const char* name)
{
    if (element->type != GUMBO_NODE_ELEMENT) return std::nullopt;
    const GumboAttribute* a = gumbo_get_attribute(&element->v.element.attributes, name);
    if (!a) return std::nullopt;
    return QByteArrayView(a->value, qsizetype(std::strlen(a->value)));
}

QByteArray TagName(const GumboNode* element)
{
    const GumboElement& e = element->v.element;
    if (e.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(e.tag);
    GumboStringPiece piece = e.original_tag;
    gumbo_tag_from_original_text(&piece);
    return QByteArray(piece.data, qsizetype(piece.length)).toLower();
}

bool IsBlankText(const GumboNode* node)
{
    return node->type == GUMBO_NODE_WHITESPACE;
}

const GumboNode* SoleElement(const GumboNode* node, bool skipBlanks)
{
    const GumboVector* children = Children(node);
    if (!children) return nullptr;
    const GumboNode* sole = nullptr;
    for (unsigned i = 0; i < children->length; ++i) {
        const GumboNode* child = At(*children, i);
        if (skipBlanks && IsBlankText(child)) continue;
        if (child->type != GUMBO_NODE_ELEMENT || sole) return nullptr;
        sole = child;
    }
    return sole;
}

bool IsText(const GumboNode* node)
{
    return node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_CDATA ||
           node->type == GUMBO_NODE_WHITESPACE;
}

std::optional<Range> InnerUpToEnd(const GumboNode* element)
{
    if (element->type != GUMBO_NODE_ELEMENT) return std::nullopt;
    const GumboElement& e = element->v.element;
    if (e.original_tag.length == 0) return std::nullopt;
    const qsizetype begin = qsizetype(e.start_pos.offset + e.original_tag.length);
    const qsizetype end = qsizetype(e.end_pos.offset);
    if (end < begin) return std::nullopt;
    return Range{begin, end};
}

std::optional<Range> Inner(const GumboNode* element)
{
    constexpr unsigned kNotAsWritten = GUMBO_INSERTION_BY_PARSER | GUMBO_INSERTION_IMPLICIT_END_TAG |
                                       GUMBO_INSERTION_RECONSTRUCTED_FORMATTING_ELEMENT |
                                       GUMBO_INSERTION_ADOPTION_AGENCY_CLONED |
                                       GUMBO_INSERTION_ADOPTION_AGENCY_MOVED |
                                       GUMBO_INSERTION_FOSTER_PARENTED;
    if (element->type != GUMBO_NODE_ELEMENT || (element->parse_flags & kNotAsWritten)) return std::nullopt;
    const GumboElement& e = element->v.element;
    if (e.original_end_tag.length == 0) return std::nullopt;
    // The end tag must be this element's own: "</b>" for <b>, not a "</font>" that closed it.
    QByteArrayView endName(e.original_end_tag.data, qsizetype(e.original_end_tag.length));
    if (!endName.startsWith("</")) return std::nullopt;
    endName = endName.sliced(2);
    qsizetype nameLength = 0;
    while (nameLength < endName.size() && endName[nameLength] != '>' && endName[nameLength] != '/' &&
           !std::isspace(static_cast<unsigned char>(endName[nameLength])))
        ++nameLength;
    if (e.tag == GUMBO_TAG_UNKNOWN || gumbo_tagn_enum(endName.data(), unsigned(nameLength)) != e.tag)
        return std::nullopt;
    return InnerUpToEnd(element);
}

}  // namespace Html
