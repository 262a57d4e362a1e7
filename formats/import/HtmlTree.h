#pragma once
// A page parsed by the HTML5 parsing algorithm (the gumbo library), so that malformed markup
// reads as browsers read it. The nodes point into the page's own bytes, which the tree keeps;
// the importer takes cell texts from there rather than from a re-serialised tree.

#include <gumbo.h>

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <optional>

class HtmlTree {
public:
    // `utf8` is the page as UTF-8; it is kept (shared, not copied) for the tree's lifetime.
    explicit HtmlTree(const QByteArray& utf8);
    ~HtmlTree();
    HtmlTree(const HtmlTree&) = delete;
    HtmlTree& operator=(const HtmlTree&) = delete;

    const GumboNode* Document() const { return output_->document; }
    const QByteArray& Source() const { return source_; }
    // The page's bytes from begin to end.
    QByteArrayView Slice(qsizetype begin, qsizetype end) const;

private:
    struct Arena;
    QByteArray source_;
    std::unique_ptr<Arena> arena_;
    GumboOutput* output_ = nullptr;
};

// Questions about single nodes.
namespace Html {

// The element's tag for HTML elements; GUMBO_TAG_UNKNOWN for any other node.
GumboTag Tag(const GumboNode* node);
bool Is(const GumboNode* node, GumboTag tag);
// Elements and the document have children; other nodes have none.
const GumboVector* Children(const GumboNode* node);
inline const GumboNode* At(const GumboVector& v, unsigned i)
{
    return static_cast<const GumboNode*>(v.data[i]);
}
// An attribute's decoded value; nothing when it is absent.
std::optional<QByteArrayView> Attribute(const GumboNode* element, const char* name);
// The tag name in lower case, also for tags the parser does not know.
QByteArray TagName(const GumboNode* element);
bool IsBlankText(const GumboNode* node);
// The one element a node holds, if it holds nothing else; with skipBlanks, blank text beside
// it counts as nothing.
const GumboNode* SoleElement(const GumboNode* node, bool skipBlanks);
bool IsText(const GumboNode* node);  // text, CDATA or white space

// Where the element's content lies in the page: from the end of its start tag to the start of
// its end tag, when both tags are in the page as written (not implied, not closed by another
// element's tag).
struct Range {
    qsizetype begin = 0;
    qsizetype end = 0;
};
std::optional<Range> Inner(const GumboNode* element);
// From the end of the start tag to where the parser ended the element, whatever ended it.
std::optional<Range> InnerUpToEnd(const GumboNode* element);

}  // namespace Html
