#include "formats/export/CellMarkup.h"

#include "core/CellText.h"

#include <QRegularExpression>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

bool IsHtmlSpace(QChar ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f';
}

bool IsAsciiLetter(QChar ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

// A link's address as a browser follows it: blanks around it dropped, and tabs and line ends
// inside it removed (a page may wrap a long address over lines).
QString LinkAddress(const QString& href)
{
    QString address = href.trimmed();
    address.remove(QRegularExpression(QStringLiteral("[\t\r\n]")));
    return address;
}

// Elements a browser starts on a new line and ends a line after.
bool IsBlockTag(const QString& name)
{
    static const QStringList blocks = {
        "address", "article", "aside", "blockquote", "center", "dd", "details", "dialog", "dir", "div", "dl",
        "dt", "fieldset", "figcaption", "figure", "footer", "form", "h1", "h2", "h3", "h4", "h5", "h6", "header",
        "hr", "li", "main", "menu", "nav", "ol", "p", "pre", "section", "summary", "table", "tr", "ul", "caption"};
    return blocks.contains(name);
}

// Blocks that only break lines: the text formats lose nothing else of them.
bool IsPlainBlockTag(const QString& name)
{
    return name == "p" || name == "div" || name == "center" || name == "section" || name == "article";
}

struct Tag {
    QString name;  // lower case
    bool closing = false;
    QString href;
    bool hasHref = false;
};

// Reads the tag that starts at text[at] == '<'. Returns the index after its '>', or -1 when
// no tag starts here (a browser shows the '<' as text).
qsizetype ReadTag(QStringView text, qsizetype at, Tag& tag)
{
    qsizetype i = at + 1;
    if (i < text.size() && text[i] == '/') {
        tag.closing = true;
        ++i;
    }
    if (i >= text.size() || !IsAsciiLetter(text[i])) return -1;
    const qsizetype nameStart = i;
    while (i < text.size() && !IsHtmlSpace(text[i]) && text[i] != '/' && text[i] != '>') ++i;
    tag.name = text.mid(nameStart, i - nameStart).toString().toLower();
    while (i < text.size() && text[i] != '>') {
        if (IsHtmlSpace(text[i]) || text[i] == '/') {
            ++i;
            continue;
        }
        const qsizetype attrStart = i;
        while (i < text.size() && !IsHtmlSpace(text[i]) && text[i] != '=' && text[i] != '>' && text[i] != '/') ++i;
        const QString attr = text.mid(attrStart, i - attrStart).toString().toLower();
        while (i < text.size() && IsHtmlSpace(text[i])) ++i;
        if (i >= text.size() || text[i] != '=') continue;
        ++i;
        while (i < text.size() && IsHtmlSpace(text[i])) ++i;
        qsizetype valueStart = i, valueEnd;
        if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
            const QChar quote = text[i];
            valueStart = ++i;
            while (i < text.size() && text[i] != quote) ++i;
            valueEnd = i;
            if (i < text.size()) ++i;
        } else {
            while (i < text.size() && !IsHtmlSpace(text[i]) && text[i] != '>') ++i;
            valueEnd = i;
        }
        if (attr == "href" && !tag.hasHref) {
            tag.href = LinkAddress(DecodeReferences(text.mid(valueStart, valueEnd - valueStart)));
            tag.hasHref = true;
        }
    }
    return i < text.size() ? i + 1 : -1;
}

// Skips a comment, a doctype or a processing instruction at text[at] == '<'; -1 if none.
qsizetype SkipDeclaration(QStringView text, qsizetype at)
{
    if (text.mid(at).startsWith(u"<!--")) {
        const qsizetype end = text.indexOf(u"-->", at + 4);
        return end < 0 ? text.size() : end + 3;
    }
    if (at + 1 < text.size() && (text[at + 1] == '!' || text[at + 1] == '?')) {
        const qsizetype end = text.indexOf(u'>', at);
        return end < 0 ? text.size() : end + 1;
    }
    return -1;
}

class MarkupReader {
public:
    MarkupReader(bool bold, bool italic) : bold_(bold ? 1 : 0), italic_(italic ? 1 : 0) {}

    CellMarkup read(QStringView html)
    {
        for (qsizetype i = 0; i < html.size();) {
            const QChar ch = html[i];
            if (ch == '\r' && i + 1 < html.size() && html[i + 1] == '\n') {
                breakLine();
                i += 2;
            } else if (ch == '<') {
                i = markup(html, i);
            } else if (ch == '&') {
                qsizetype length = 0;
                const char32_t code = DecodeReference(html, i, length);
                if (code) addText(QString::fromUcs4(&code, 1));
                else addText(QString(ch));
                i += code ? length : 1;
            } else {
                addText(QString(ch));
                ++i;
            }
        }
        breakLine();
        while (!content_.lines.empty() && content_.lines.back().empty()) content_.lines.pop_back();
        return std::move(content_);
    }

private:
    int bold_, italic_;
    std::vector<std::pair<QString, int>> links_;  // the open links, innermost last
    int linksSeen_ = 0;
    std::vector<TextRun> line_;
    bool pendingSpace_ = false;
    CellMarkup content_;

    qsizetype markup(QStringView html, qsizetype at)
    {
        const qsizetype skipped = SkipDeclaration(html, at);
        if (skipped >= 0) return skipped;
        Tag tag;
        const qsizetype end = ReadTag(html, at, tag);
        if (end < 0) {
            addText(QStringLiteral("<"));
            return at + 1;
        }
        apply(tag);
        return end;
    }

    void apply(const Tag& tag)
    {
        const int step = tag.closing ? -1 : 1;
        if (tag.name == "b" || tag.name == "strong") {
            bold_ = std::max(0, bold_ + step);
        } else if (tag.name == "i" || tag.name == "em") {
            italic_ = std::max(0, italic_ + step);
        } else if (tag.name == "br") {
            breakLine();
        } else if (tag.name == "a") {
            if (!tag.closing) links_.emplace_back(tag.href, ++linksSeen_);
            else if (!links_.empty()) links_.pop_back();
        } else {
            // Blocks begin and end lines, as a browser draws them; the cells of a table inside
            // are set apart by a blank.
            if (IsBlockTag(tag.name)) endBlock();
            else if ((tag.name == "td" || tag.name == "th") && !tag.closing) pendingSpace_ = !line_.empty();
            if (!IsPlainBlockTag(tag.name) && !content_.leftOutTags.contains(tag.name)) content_.leftOutTags << tag.name;
        }
    }

    void addText(const QString& text)
    {
        if (text.size() == 1 && IsHtmlSpace(text[0])) {
            pendingSpace_ = !line_.empty();
            return;
        }
        TextRun style;
        style.bold = bold_ > 0;
        style.italic = italic_ > 0;
        if (!links_.empty()) std::tie(style.link, style.linkNumber) = links_.back();
        if (line_.empty() || !line_.back().sameStyle(style)) line_.push_back(style);
        if (pendingSpace_) line_.back().text += ' ';
        pendingSpace_ = false;
        line_.back().text += text;
    }

    // Ends the line unless it is empty: blocks one after another break it once.
    void endBlock()
    {
        if (!line_.empty()) breakLine();
    }

    void breakLine()
    {
        content_.lines.push_back(std::move(line_));
        line_.clear();
        pendingSpace_ = false;
    }
};

}  // namespace

bool CellMarkup::empty() const
{
    return lines.empty();
}

CellMarkup ReadCellMarkup(QStringView html, bool bold, bool italic)
{
    return MarkupReader(bold, italic).read(html);
}
