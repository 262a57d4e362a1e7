#include "core/CellText.h"

#include <QStringList>

#include <algorithm>

namespace {

bool IsHtmlSpace(QChar ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f';
}

// Whether the tag that begins `tag` (after its '<') is a line break or a block's edge, which
// a browser shows as a break between words; inline tags join the words around them.
bool BreaksTheLine(QStringView tag)
{
    if (tag.startsWith(u'/')) tag = tag.mid(1);
    qsizetype n = 0;
    while (n < tag.size() && tag[n].isLetterOrNumber()) ++n;
    static const QStringList breaking = {"br", "p", "div", "li", "ul", "ol", "tr", "td", "th", "table", "h1", "h2",
                                         "h3", "h4", "h5", "h6", "blockquote", "pre", "hr", "dl", "dt", "dd", "caption"};
    return breaking.contains(tag.left(n).toString(), Qt::CaseInsensitive);
}

// An ASCII digit of the base, or -1.
int DigitValue(QChar ch, int base)
{
    const char16_t c = ch.unicode();
    const int value = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    return value < base ? value : -1;
}

// Numeric references to 0x80..0x9F mean the Windows-1252 characters there, as in browsers.
char32_t NumericCode(char32_t code)
{
    static constexpr char16_t cp1252[32] = {
        0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021, 0x2C6,  0x2030, 0x160,
        0x2039, 0x152,  0x8D,   0x17D,  0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};
    if (code >= 0x80 && code <= 0x9F) return cp1252[code - 0x80];
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0xFFFD;
    return code;
}

}  // namespace

char32_t DecodeReference(QStringView text, qsizetype at, qsizetype& length)
{
    qsizetype i = at + 1;
    if (i < text.size() && text[i] == '#') {
        const bool hex = i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X');
        i += hex ? 2 : 1;
        const qsizetype digits = i;
        char32_t code = 0;
        for (; i < text.size(); ++i) {
            const int digit = DigitValue(text[i], hex ? 16 : 10);
            if (digit < 0) break;
            code = std::min<char32_t>(code * (hex ? 16 : 10) + char32_t(digit), 0x110000);
        }
        if (i == digits) return 0;
        if (i < text.size() && text[i] == ';') ++i;
        length = i - at;
        return NumericCode(code);
    }
    while (i < text.size() && text[i].unicode() < 0x80 && text[i].isLetterOrNumber()) ++i;
    if (i == at + 1 || i >= text.size() || text[i] != ';') return 0;
    const char32_t code = NamedEntityCode(text.mid(at + 1, i - at - 1));
    if (code) length = i + 1 - at;
    return code;
}

QString DecodeReferences(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 0;
        const char32_t code = text[i] == '&' ? DecodeReference(text, i, length) : 0;
        if (!code) {
            out += text[i];
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i += length - 1;
    }
    return out;
}


QString EscapeText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == u'&') out += u"&amp;";
        else if (ch == u'<') out += u"&lt;";
        else if (ch == u'>') out += u"&gt;";
        else out += ch;
    }
    return out;
}

qsizetype MarkupEnd(QStringView html, qsizetype at)
{
    // A comment to its end; a tag or declaration to its '>'; a '<' before anything else is text.
    const bool comment = html.mid(at).startsWith(u"<!--");
    const QChar after = at + 1 < html.size() ? html[at + 1] : QChar();
    if (!comment && after != u'/' && after != u'!' && after != u'?' && !after.isLetter()) return at;
    const qsizetype end = comment ? html.indexOf(u"-->", at + 4) : html.indexOf(u'>', at);
    return end < 0 ? html.size() : end + (comment ? 3 : 1);
}

QString VisibleText(QStringView html)
{
    return VisibleText(html, nullptr, nullptr);
}

QString VisibleText(QStringView html, std::vector<qsizetype>* from, std::vector<qsizetype>* to)
{
    // Written into a buffer of the source's length, which the shown text never exceeds (a
    // reference to a character outside the BMP takes at least as many as its two units).
    QString out(html.size(), Qt::Uninitialized);
    QChar* written = out.data();
    qsizetype n = 0;
    if (from) {
        from->resize(std::size_t(html.size()));
        to->resize(std::size_t(html.size()));
    }
    qsizetype blankFrom = -1;  // where the blanks waiting to become one began
    auto mark = [&](qsizetype begin, qsizetype end) {
        if (from) (*from)[std::size_t(n)] = begin, (*to)[std::size_t(n)] = end;
    };
    auto put = [&](QChar ch, qsizetype begin, qsizetype end) {
        if (blankFrom >= 0) {
            mark(blankFrom, begin);
            written[n++] = u' ';
            blankFrom = -1;
        }
        mark(begin, end);
        written[n++] = ch;
    };
    for (qsizetype i = 0; i < html.size();) {
        const QChar ch = html[i];
        if (ch == u'<') {
            if (const qsizetype end = MarkupEnd(html, i); end != i) {
                // A comment or declaration names no tag, so it never breaks the line.
                if (BreaksTheLine(html.mid(i + 1)) && n > 0 && blankFrom < 0) blankFrom = i;
                i = end;
                continue;
            }
        }
        if (IsHtmlSpace(ch)) {
            if (n > 0 && blankFrom < 0) blankFrom = i;
            ++i;
            continue;
        }
        qsizetype length = 0;
        const char32_t code = ch == u'&' ? DecodeReference(html, i, length) : 0;
        if (!code) {
            put(ch, i, i + 1);
            ++i;
        } else if (QChar::requiresSurrogates(code)) {
            put(QChar(QChar::highSurrogate(code)), i, i + length);
            written[n] = QChar(QChar::lowSurrogate(code));
            mark(i, i + length);
            ++n;
            i += length;
        } else {
            put(QChar(char16_t(code)), i, i + length);
            i += length;
        }
    }
    out.truncate(n);
    if (from) {
        from->resize(std::size_t(n));
        to->resize(std::size_t(n));
    }
    return out;
}

bool ShowsAsWritten(QStringView html)
{
    if (html.isEmpty()) return true;
    if (html.front() == u' ' || html.back() == u' ') return false;
    bool afterBlank = false;
    for (const QChar ch : html) {
        // Every HTML space lies at or below the blank: above it only markup and references
        // make the shown text differ.
        if (ch.unicode() > u' ') {
            if (ch == u'<' || ch == u'&') return false;
            afterBlank = false;
        } else if (ch == u' ') {
            if (afterBlank) return false;
            afterBlank = true;
        } else if (IsHtmlSpace(ch)) {
            return false;
        } else {
            afterBlank = false;
        }
    }
    return true;
}
