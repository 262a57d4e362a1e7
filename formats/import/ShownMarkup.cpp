#include "formats/import/ShownMarkup.h"

#include "core/CellText.h"
#include "formats/import/HtmlTree.h"

#include <vector>

namespace {

// What an element of a cell's content becomes.
enum class Role {
    Unwrapped,  // its content stays, the element goes (span, code, font, ...)
    Kept,       // stays as a bare tag around its content (b, i, sub, ...)
    Link,       // stays with its address alone
    Break,      // <br>
    Block,      // its content on lines of its own
    Preformatted,
    CellOfRow,  // a cell of a nested table: apart from its neighbours by a blank
    Left,       // nothing of it shows
};

Role RoleOf(const GumboNode* element)
{
    switch (Html::Tag(element)) {
    case GUMBO_TAG_B: case GUMBO_TAG_STRONG: case GUMBO_TAG_I: case GUMBO_TAG_EM:
    case GUMBO_TAG_SUB: case GUMBO_TAG_SUP:
        return Role::Kept;
    case GUMBO_TAG_A:
        return Html::Attribute(element, "href") ? Role::Link : Role::Unwrapped;
    case GUMBO_TAG_BR:
        return Role::Break;
    case GUMBO_TAG_PRE: case GUMBO_TAG_LISTING: case GUMBO_TAG_XMP:
        return Role::Preformatted;
    case GUMBO_TAG_TD: case GUMBO_TAG_TH:
        return Role::CellOfRow;
    case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE: case GUMBO_TAG_TEMPLATE: case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_HEAD: case GUMBO_TAG_TITLE: case GUMBO_TAG_IMG: case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_OBJECT: case GUMBO_TAG_SVG: case GUMBO_TAG_MATH: case GUMBO_TAG_CANVAS:
    case GUMBO_TAG_VIDEO: case GUMBO_TAG_AUDIO: case GUMBO_TAG_SELECT: case GUMBO_TAG_INPUT:
    case GUMBO_TAG_BUTTON: case GUMBO_TAG_TEXTAREA:
        return Role::Left;
    case GUMBO_TAG_P: case GUMBO_TAG_DIV: case GUMBO_TAG_UL: case GUMBO_TAG_OL: case GUMBO_TAG_LI:
    case GUMBO_TAG_DL: case GUMBO_TAG_DT: case GUMBO_TAG_DD: case GUMBO_TAG_H1: case GUMBO_TAG_H2:
    case GUMBO_TAG_H3: case GUMBO_TAG_H4: case GUMBO_TAG_H5: case GUMBO_TAG_H6:
    case GUMBO_TAG_BLOCKQUOTE: case GUMBO_TAG_TABLE: case GUMBO_TAG_CAPTION: case GUMBO_TAG_TR:
    case GUMBO_TAG_HR: case GUMBO_TAG_SECTION: case GUMBO_TAG_ARTICLE: case GUMBO_TAG_ASIDE:
    case GUMBO_TAG_NAV: case GUMBO_TAG_HEADER: case GUMBO_TAG_FOOTER: case GUMBO_TAG_ADDRESS:
    case GUMBO_TAG_MAIN: case GUMBO_TAG_FIGURE: case GUMBO_TAG_FIGCAPTION: case GUMBO_TAG_FORM:
    case GUMBO_TAG_FIELDSET: case GUMBO_TAG_DETAILS: case GUMBO_TAG_SUMMARY: case GUMBO_TAG_CENTER:
        return Role::Block;
    default:
        return Role::Unwrapped;
    }
}

bool IsBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\n' || ch == u'\r' || ch == u'\f';
}

// The markup as it is written: blanks and line ends wait until something follows them, so
// that none ends up at the start, at the end, or beside a line break.
class Writer {
public:
    QString out;

    void Blank() { blank_ = true; }
    void EndOfBlock() { line_ = true; }
    void LineBreak()
    {
        out += QLatin1String("\r\n");
        blank_ = line_ = false;
    }
    void Content(QStringView piece)
    {
        if (!out.isEmpty() && !out.endsWith(QLatin1String("\r\n"))) {
            if (line_) out += QLatin1String("\r\n");
            else if (blank_) out += QLatin1Char(' ');
        }
        blank_ = line_ = false;
        out += piece;
    }
    // Text as the page wrote it, references and all; inside pre its blanks and lines stay.
    void Text(QStringView text, bool preformatted)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar ch = text[i];
            if (preformatted && (ch == u'\r' || ch == u'\n')) {
                if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
                LineBreak();
            } else if (!preformatted && IsBlank(ch)) {
                Blank();
            } else {
                Content(text.mid(i, 1));
            }
        }
    }
    // Wraps what was written since `start` in the tags, unless it shows nothing; blanks and
    // line breaks at its start stay outside.
    void Wrap(qsizetype start, const QString& open, const QString& close)
    {
        qsizetype at = start;
        while (at < out.size() && (out[at] == u' ' || out[at] == u'\r' || out[at] == u'\n')) ++at;
        if (at == out.size()) return;
        out.insert(at, open);
        out += close;
    }

private:
    bool blank_ = false;
    bool line_ = false;
};

QString TextOf(const GumboNode* node)
{
    const GumboText& text = node->v.text;
    // The page's own bytes keep its character references; a text the parser made up has none.
    if (text.original_text.data && text.original_text.length > 0)
        return QString::fromUtf8(text.original_text.data, qsizetype(text.original_text.length));
    return EscapeText(QString::fromUtf8(text.text));
}

QString LinkTag(const GumboNode* element)
{
    const QString address = QString::fromUtf8(Html::Attribute(element, "href")->toByteArray());
    return QStringLiteral("<a href=\"") + EscapeText(address).replace(QLatin1Char('"'), QLatin1String("&quot;")) +
           QStringLiteral("\">");
}

struct Open {
    const GumboNode* node;
    unsigned next;  // the child to visit next
    Role role;
    qsizetype start;
};

}  // namespace

QString UnshownMarkupFate(ImportMarkup markup)
{
    return markup == ImportMarkup::ShownOnly
               ? QStringLiteral("left out: only text, line breaks, links, bold, italic, sub and sup kept")
               : QStringLiteral("kept as the page wrote it");
}

QString ShownMarkup(const GumboNode* element)
{
    Writer w;
    int preformatted = 0;
    // Without recursion: a cell may nest deeply.
    std::vector<Open> open{{element, 0, Role::Unwrapped, 0}};
    while (!open.empty()) {
        Open& top = open.back();
        const GumboVector* children = Html::Children(top.node);
        if (!children || top.next >= children->length) {
            const Open done = top;
            open.pop_back();
            if (open.empty()) break;
            if (done.role == Role::Kept) {
                const QString name = QString::fromLatin1(Html::TagName(done.node));
                w.Wrap(done.start, QLatin1Char('<') + name + QLatin1Char('>'), QStringLiteral("</") + name + QLatin1Char('>'));
            } else if (done.role == Role::Link) {
                w.Wrap(done.start, LinkTag(done.node), QStringLiteral("</a>"));
            } else if (done.role == Role::Block || done.role == Role::Preformatted) {
                w.EndOfBlock();
            } else if (done.role == Role::CellOfRow) {
                w.Blank();
            }
            if (done.role == Role::Preformatted) --preformatted;
            continue;
        }
        const GumboNode* child = Html::At(*children, top.next++);
        switch (child->type) {
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_CDATA:
        case GUMBO_NODE_WHITESPACE:
            w.Text(TextOf(child), preformatted > 0);
            break;
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE: {
            const Role role = child->type == GUMBO_NODE_TEMPLATE ? Role::Left : RoleOf(child);
            if (role == Role::Left) break;
            if (role == Role::Break) {
                w.LineBreak();
                break;
            }
            if (role == Role::Block || role == Role::Preformatted) w.EndOfBlock();
            if (role == Role::Preformatted) ++preformatted;
            open.push_back({child, 0, role, w.out.size()});
            break;
        }
        default:  // comments and the document
            break;
        }
    }
    return w.out;
}
