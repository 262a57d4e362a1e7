#include "core/UTF8.h"

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

namespace {

// Characters 0x80..0x9F of windows-1252, which pages that say "iso-8859-1" mean as well.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QString Windows1252ToString(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t(b));
    }
    return text;
}
