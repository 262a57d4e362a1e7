#include "tables/UTF8.h"

namespace {

void AppendCodePoint(QByteArray& out, char32_t cp)
{
    if (cp < 0x80) {
        out.append(char(cp));
    } else if (cp < 0x800) {
        out.append(char(0xC0 | (cp >> 6)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(char(0xE0 | (cp >> 12)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else {
        out.append(char(0xF0 | (cp >> 18)));
        out.append(char(0x80 | ((cp >> 12) & 0x3F)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

void AppendUTF8(QByteArray& out, QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) {
            out.append(char(u));
        } else if (QChar::isHighSurrogate(u)) {
            if (i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
                AppendCodePoint(out, QChar::surrogateToUcs4(u, text[i + 1].unicode()));
                ++i;
            } else {
                AppendCodePoint(out, kReplacement);
            }
        } else if (QChar::isLowSurrogate(u)) {
            AppendCodePoint(out, kReplacement);
        } else {
            AppendCodePoint(out, u);
        }
    }
}

QByteArray WideToUTF8(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    AppendUTF8(out, text);
    return out;
}
