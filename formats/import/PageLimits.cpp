#include "formats/import/PageLimits.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace PageLimits {
namespace {

bool IsSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f';
}

bool IsLetter(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

bool OneOf(QByteArrayView name, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

bool IsVoid(QByteArrayView name)
{
    return OneOf(name, {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "image", "img",
                        "input", "keygen", "link", "meta", "param", "source", "track", "wbr"});
}

// Elements whose content runs to their own end tag, markup or not.
bool IsRawText(QByteArrayView name)
{
    return OneOf(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes", "noscript"});
}

// Elements a later start tag of the same family closes; 0 for none.
int Family(QByteArrayView name)
{
    if (name == "p") return 1;
    if (name == "li") return 2;
    if (name == "dd" || name == "dt") return 3;
    if (name == "td" || name == "th") return 4;
    if (name == "tr") return 5;
    if (name == "thead" || name == "tbody" || name == "tfoot") return 6;
    if (name == "option" || name == "optgroup") return 7;
    if (name == "rb" || name == "rt" || name == "rp" || name == "rtc") return 8;
    return 0;
}

class Scanner {
public:
    explicit Scanner(QByteArrayView page) : s_(page) {}

    QString Run()
    {
        while (pos_ < s_.size()) {
            const qsizetype lt = s_.indexOf('<', pos_);
            if (lt < 0) break;
            pos_ = lt;
            if (!Markup()) return refusal_;
        }
        return {};
    }

private:
    QByteArrayView s_;
    qsizetype pos_ = 0;
    std::vector<QByteArray> open_;
    QString refusal_;

    char At(qsizetype i) const { return i < s_.size() ? s_[i] : '\0'; }

    void SkipPast(const char* end)
    {
        const qsizetype at = s_.indexOf(end, pos_);
        pos_ = at < 0 ? s_.size() : at + qsizetype(std::strlen(end));
    }

    // Past the end tag of a raw-text element, its name in any case.
    void SkipPastEndTag(const QByteArray& name)
    {
        for (qsizetype at; (at = s_.indexOf("</", pos_)) >= 0;) {
            pos_ = at + 2;
            if (s_.sliced(pos_).size() >= name.size() &&
                s_.sliced(pos_, name.size()).compare(name, Qt::CaseInsensitive) == 0) {
                SkipPast(">");
                return;
            }
        }
        pos_ = s_.size();
    }

    QByteArray Name()
    {
        const qsizetype start = pos_;
        while (pos_ < s_.size() && !IsSpace(s_[pos_]) && s_[pos_] != '/' && s_[pos_] != '>') ++pos_;
        return s_.sliced(start, pos_ - start).toByteArray().toLower();
    }

    // At '<': a comment, a declaration, an end tag or a start tag; false to refuse the page.
    bool Markup()
    {
        if (s_.sliced(pos_).startsWith("<!--")) {
            pos_ += 4;
            SkipPast("-->");
        } else if (At(pos_ + 1) == '!' || At(pos_ + 1) == '?') {
            SkipPast(">");
        } else if (At(pos_ + 1) == '/' && IsLetter(At(pos_ + 2))) {
            pos_ += 2;
            Close(Name());
            SkipPast(">");
        } else if (IsLetter(At(pos_ + 1))) {
            const qsizetype start = pos_;
            ++pos_;
            return StartTag(start);
        } else {
            ++pos_;
        }
        return true;
    }

    bool StartTag(qsizetype start)
    {
        const QByteArray name = Name();
        int attributes = 0;
        bool selfClosing = false;
        while (pos_ < s_.size() && s_[pos_] != '>') {
            const char ch = s_[pos_];
            if (IsSpace(ch) || ch == '/') {
                selfClosing = ch == '/';
                ++pos_;
                continue;
            }
            selfClosing = false;
            if (++attributes > kMaxAttributes)
                return Refuse(QStringLiteral("an element at byte %1 has more than %2 attributes").arg(start).arg(kMaxAttributes));
            Attribute();
        }
        ++pos_;  // past '>'
        if (name == "plaintext") {
            pos_ = s_.size();
        } else if (IsRawText(name)) {
            SkipPastEndTag(name);
        } else if (!IsVoid(name) && !selfClosing) {
            Open(name);
            if (int(open_.size()) > kMaxDepth)
                return Refuse(QStringLiteral("elements are nested more than %1 deep (at byte %2)").arg(kMaxDepth).arg(start));
        }
        return true;
    }

    // One attribute: a name, then maybe = and a quoted or bare value.
    void Attribute()
    {
        while (pos_ < s_.size() && !IsSpace(s_[pos_]) && s_[pos_] != '/' && s_[pos_] != '>' && s_[pos_] != '=') ++pos_;
        qsizetype i = pos_;
        while (i < s_.size() && IsSpace(s_[i])) ++i;
        if (At(i) != '=') return;
        pos_ = i + 1;
        while (pos_ < s_.size() && IsSpace(s_[pos_])) ++pos_;
        const char quote = At(pos_);
        if (quote == '"' || quote == '\'') {
            const qsizetype end = s_.indexOf(quote, pos_ + 1);
            pos_ = end < 0 ? s_.size() : end + 1;
            return;
        }
        while (pos_ < s_.size() && !IsSpace(s_[pos_]) && s_[pos_] != '>') ++pos_;
    }

    bool IsBarrier(const QByteArray& name) const { return name == "table" || name == "html" || name == "body" || name == "template"; }

    void Open(const QByteArray& name)
    {
        if (const int family = Family(name))
            for (std::size_t i = open_.size(); i-- > 0 && !IsBarrier(open_[i]);)
                if (Family(open_[i]) == family) {
                    open_.resize(i);
                    break;
                }
        open_.push_back(name);
    }

    void Close(const QByteArray& name)
    {
        for (std::size_t i = open_.size(); i-- > 0;)
            if (open_[i] == name) {
                open_.resize(i);
                return;
            }
    }

    bool Refuse(const QString& why)
    {
        refusal_ = why;
        return false;
    }
};

}  // namespace

QString Refusal(QByteArrayView utf8)
{
    return Scanner(utf8).Run();
}

}  // namespace PageLimits
