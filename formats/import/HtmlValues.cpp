#include "formats/import/HtmlValues.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

namespace HtmlValues {
namespace {

constexpr TColor FromRgb(int r, int g, int b)
{
    return TColor(r | (g << 8) | (b << 16));
}

constexpr TColor FromHex(quint32 rrggbb)
{
    return FromRgb(int(rrggbb >> 16), int((rrggbb >> 8) & 0xFF), int(rrggbb & 0xFF));
}

struct NamedColor {
    const char* name;
    quint32 rrggbb;
};

// The named colours of CSS, sorted for a binary search.
constexpr NamedColor kNamedColors[] = {
    {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7}, {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4}, {"azure", 0xF0FFFF}, {"beige", 0xF5F5DC}, {"bisque", 0xFFE4C4},
    {"black", 0x000000}, {"blanchedalmond", 0xFFEBCD}, {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2}, {"brown", 0xA52A2A}, {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0}, {"chartreuse", 0x7FFF00}, {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50}, {"cornflowerblue", 0x6495ED}, {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C}, {"cyan", 0x00FFFF}, {"darkblue", 0x00008B}, {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B}, {"darkgray", 0xA9A9A9}, {"darkgreen", 0x006400},
    {"darkgrey", 0xA9A9A9}, {"darkkhaki", 0xBDB76B}, {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F}, {"darkorange", 0xFF8C00}, {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A}, {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B}, {"darkslategray", 0x2F4F4F}, {"darkslategrey", 0x2F4F4F},
    {"darkturquoise", 0x00CED1}, {"darkviolet", 0x9400D3}, {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF}, {"dimgray", 0x696969}, {"dimgrey", 0x696969},
    {"dodgerblue", 0x1E90FF}, {"firebrick", 0xB22222}, {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22}, {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF}, {"gold", 0xFFD700}, {"goldenrod", 0xDAA520}, {"gray", 0x808080},
    {"green", 0x008000}, {"greenyellow", 0xADFF2F}, {"grey", 0x808080}, {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4}, {"indianred", 0xCD5C5C}, {"indigo", 0x4B0082}, {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C}, {"lavender", 0xE6E6FA}, {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00}, {"lemonchiffon", 0xFFFACD}, {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080}, {"lightcyan", 0xE0FFFF}, {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3}, {"lightgreen", 0x90EE90}, {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1}, {"lightsalmon", 0xFFA07A}, {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA}, {"lightslategray", 0x778899}, {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xB0C4DE}, {"lightyellow", 0xFFFFE0}, {"lime", 0x00FF00},
    {"limegreen", 0x32CD32}, {"linen", 0xFAF0E6}, {"magenta", 0xFF00FF}, {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA}, {"mediumblue", 0x0000CD}, {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB}, {"mediumseagreen", 0x3CB371}, {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A}, {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585}, {"midnightblue", 0x191970}, {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1}, {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080}, {"oldlace", 0xFDF5E6}, {"olive", 0x808000}, {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500}, {"orangered", 0xFF4500}, {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA}, {"palegreen", 0x98FB98}, {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5}, {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F}, {"pink", 0xFFC0CB}, {"plum", 0xDDA0DD}, {"powderblue", 0xB0E0E6},
    {"purple", 0x800080}, {"rebeccapurple", 0x663399}, {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F}, {"royalblue", 0x4169E1}, {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072}, {"sandybrown", 0xF4A460}, {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE}, {"sienna", 0xA0522D}, {"silver", 0xC0C0C0}, {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD}, {"slategray", 0x708090}, {"slategrey", 0x708090},
    {"snow", 0xFFFAFA}, {"springgreen", 0x00FF7F}, {"steelblue", 0x4682B4}, {"tan", 0xD2B48C},
    {"teal", 0x008080}, {"thistle", 0xD8BFD8}, {"tomato", 0xFF6347}, {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE}, {"wheat", 0xF5DEB3}, {"white", 0xFFFFFF}, {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00}, {"yellowgreen", 0x9ACD32},
};

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f';
}

QByteArrayView Trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && IsBlank(text.front())) text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back())) text.chop(1);
    return text;
}

QByteArray Lower(QByteArrayView text)
{
    return text.toByteArray().toLower();
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

std::optional<TColor> Named(QByteArrayView lowerName)
{
    const auto* end = std::end(kNamedColors);
    const auto* it = std::lower_bound(std::begin(kNamedColors), end, lowerName,
                                      [](const NamedColor& c, QByteArrayView n) { return QByteArrayView(c.name) < n; });
    if (it == end || QByteArrayView(it->name) != lowerName) return std::nullopt;
    return FromHex(it->rrggbb);
}

// A CSS number at pos: sign, digits, fraction, exponent; pos moves past it.
std::optional<double> Number(QByteArrayView text, qsizetype& pos)
{
    qsizetype i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const qsizetype digitsStart = i;
    while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) ++i;
    if (i == digitsStart) return std::nullopt;
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E') &&
        (std::isdigit(static_cast<unsigned char>(text[i + 1])) || text[i + 1] == '-' || text[i + 1] == '+'))
        for (i += 2; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));) ++i;
    bool ok = false;
    const double value = text.sliced(pos, i - pos).toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    pos = i;
    return value;
}

// A number and the unit written right after it, in lower case.
struct Dimension {
    double value;
    QByteArray unit;
};

std::optional<Dimension> ParseNumberWithUnit(QByteArrayView text)
{
    text = Trimmed(text);
    qsizetype pos = 0;
    const std::optional<double> value = Number(text, pos);
    if (!value) return std::nullopt;
    return Dimension{*value, Lower(text.sliced(pos))};
}

int Channel(double value)
{
    return int(std::lround(std::clamp(value, 0.0, 255.0)));
}

// Over a white page, as a partly transparent colour shows.
std::optional<TColor> OverWhite(double r, double g, double b, double alpha)
{
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (alpha <= 0) return std::nullopt;
    auto mix = [alpha](double c) { return Channel(c * alpha + 255.0 * (1 - alpha)); };
    return FromRgb(mix(r), mix(g), mix(b));
}

std::optional<TColor> HashColor(QByteArrayView hex)
{
    std::array<int, 8> d{};
    if (hex.size() != 3 && hex.size() != 4 && hex.size() != 6 && hex.size() != 8) return std::nullopt;
    for (qsizetype i = 0; i < hex.size(); ++i)
        if ((d[std::size_t(i)] = HexDigit(hex[i])) < 0) return std::nullopt;
    if (hex.size() <= 4) {
        const double alpha = hex.size() == 4 ? d[3] * 17 / 255.0 : 1.0;
        return OverWhite(d[0] * 17, d[1] * 17, d[2] * 17, alpha);
    }
    const double alpha = hex.size() == 8 ? (d[6] * 16 + d[7]) / 255.0 : 1.0;
    return OverWhite(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5], alpha);
}

// The arguments of rgb() or hsl(): numbers or percentages separated by commas, blanks or "/".
std::vector<Dimension> Arguments(QByteArrayView inner)
{
    std::vector<Dimension> args;
    qsizetype pos = 0;
    while (pos < inner.size() && args.size() < 5) {
        const char ch = inner[pos];
        if (IsBlank(ch) || ch == ',' || ch == '/') {
            ++pos;
            continue;
        }
        const std::optional<double> value = Number(inner, pos);
        if (!value) return {};
        QByteArray unit;
        while (pos < inner.size() && std::isalpha(static_cast<unsigned char>(inner[pos])))
            unit += char(std::tolower(static_cast<unsigned char>(inner[pos++])));
        if (pos < inner.size() && inner[pos] == '%') unit = "%", ++pos;
        args.push_back({*value, unit});
    }
    return args;
}

double Alpha(const std::vector<Dimension>& args)
{
    if (args.size() < 4) return 1.0;
    return args[3].unit == "%" ? args[3].value / 100 : args[3].value;
}

double HueToRgb(double p, double q, double t)
{
    t -= std::floor(t);
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

std::optional<TColor> FunctionColor(QByteArrayView name, QByteArrayView inner)
{
    const std::vector<Dimension> args = Arguments(inner);
    if (args.size() < 3 || args.size() > 4) return std::nullopt;
    if (name == "rgb" || name == "rgba") {
        double c[3];
        for (int i = 0; i < 3; ++i) c[i] = args[std::size_t(i)].unit == "%" ? args[std::size_t(i)].value * 2.55 : args[std::size_t(i)].value;
        return OverWhite(Channel(c[0]), Channel(c[1]), Channel(c[2]), Alpha(args));
    }
    if (name == "hsl" || name == "hsla") {
        const double h = args[0].value / 360, s = std::clamp(args[1].value / 100, 0.0, 1.0),
                     l = std::clamp(args[2].value / 100, 0.0, 1.0);
        const double q = l < 0.5 ? l * (1 + s) : l + s - l * s, p = 2 * l - q;
        return OverWhite(Channel(HueToRgb(p, q, h + 1.0 / 3) * 255), Channel(HueToRgb(p, q, h) * 255),
                         Channel(HueToRgb(p, q, h - 1.0 / 3) * 255), Alpha(args));
    }
    return std::nullopt;
}

}  // namespace

std::optional<qint64> ParseInteger(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    constexpr qint64 kLimit = std::numeric_limits<qint32>::max();
    qint64 value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min(kLimit, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

std::optional<TColor> ParseLegacyColor(QByteArrayView text)
{
    text = Trimmed(text);
    const QByteArray lower = Lower(text);
    if (lower.isEmpty() || lower == "transparent") return std::nullopt;
    if (const std::optional<TColor> named = Named(lower)) return named;
    if (text.size() == 4 && text[0] == '#' && HexDigit(text[1]) >= 0 && HexDigit(text[2]) >= 0 &&
        HexDigit(text[3]) >= 0)
        return FromRgb(HexDigit(text[1]) * 17, HexDigit(text[2]) * 17, HexDigit(text[3]) * 17);
    // The legacy rules: characters beyond the BMP count as "00", other non-hex characters as
    // "0", the string is padded to three equal parts, and each part is cut to two digits.
    const QString chars = QString::fromUtf8(text);
    QByteArray digits;
    for (qsizetype i = 0; i < chars.size() && digits.size() < 128; ++i) {
        if (chars[i].isHighSurrogate() && i + 1 < chars.size() && chars[i + 1].isLowSurrogate()) {
            digits += "00";
            ++i;
        } else {
            const char16_t u = chars[i].unicode();
            digits += u < 0x80 && HexDigit(char(u)) >= 0 ? char(u) : '0';
        }
    }
    digits.truncate(128);
    if (chars.startsWith(QLatin1Char('#'))) digits.remove(0, 1);
    while (digits.isEmpty() || digits.size() % 3 != 0) digits += '0';
    qsizetype length = digits.size() / 3;
    QByteArray part[3] = {digits.mid(0, length), digits.mid(length, length), digits.mid(2 * length, length)};
    if (length > 8) {
        for (QByteArray& p : part) p = p.right(8);
        length = 8;
    }
    while (length > 2 && part[0][0] == '0' && part[1][0] == '0' && part[2][0] == '0') {
        for (QByteArray& p : part) p.remove(0, 1);
        --length;
    }
    int value[3];
    for (int i = 0; i < 3; ++i) {
        const QByteArray two = part[i].left(2);
        value[i] = 0;
        for (const char ch : two) value[i] = value[i] * 16 + HexDigit(ch);
    }
    return FromRgb(value[0], value[1], value[2]);
}

bool IsTransparent(QByteArrayView text)
{
    return Lower(Trimmed(text)) == "transparent";
}

std::optional<TColor> ParseCssColor(QByteArrayView text)
{
    const QByteArray lower = Lower(Trimmed(text));
    if (lower.startsWith('#')) return HashColor(QByteArrayView(lower).sliced(1));
    const qsizetype open = lower.indexOf('(');
    if (open > 0 && lower.endsWith(')'))
        return FunctionColor(Trimmed(QByteArrayView(lower).first(open)),
                             QByteArrayView(lower).sliced(open + 1, lower.size() - open - 2));
    return Named(lower);
}

std::optional<int> ParseFontSizeAttribute(QByteArrayView text)
{
    text = Trimmed(text);
    // The editor writes its own -1 ("no size") and 0; they come back as written.
    if (text == "-1" || text == "0") return int(text == "0" ? 0 : -1);
    const std::optional<qint64> value = ParseInteger(text);
    if (!value) return std::nullopt;
    const bool relative = text.startsWith('+') || text.startsWith('-');
    const qint64 size = relative ? 3 + *value : *value;
    return int(std::clamp<qint64>(size, 1, 7));
}

namespace {

// Browsers' pixel sizes of the seven HTML font sizes.
constexpr int kSizePixels[7] = {10, 13, 16, 18, 24, 32, 48};

double PixelsOfSize(int size)
{
    return size >= 1 && size <= 7 ? kSizePixels[size - 1] : 16.0;
}

int NearestSize(double pixels)
{
    int best = 1;
    for (int s = 2; s <= 7; ++s)
        if (std::abs(kSizePixels[s - 1] - pixels) < std::abs(kSizePixels[best - 1] - pixels)) best = s;
    return best;
}

// A length in pixels; em and % against `em` pixels.
std::optional<double> LengthPixels(const Dimension& d, double em)
{
    if (d.unit == "px" || (d.unit.isEmpty() && d.value == 0)) return d.value;
    if (d.unit == "pt") return d.value * 4 / 3;
    if (d.unit == "pc") return d.value * 16;
    if (d.unit == "in") return d.value * 96;
    if (d.unit == "cm") return d.value * 96 / 2.54;
    if (d.unit == "mm") return d.value * 96 / 25.4;
    if (d.unit == "em" || d.unit == "rem") return d.value * em;
    if (d.unit == "%") return d.value * em / 100;
    return std::nullopt;
}

}  // namespace

std::optional<int> ParseCssFontSize(QByteArrayView text, int inheritedSize)
{
    static constexpr std::pair<const char*, int> keywords[] = {
        {"xx-small", 1}, {"x-small", 1}, {"small", 2}, {"medium", 3},
        {"large", 4},    {"x-large", 5}, {"xx-large", 6}, {"xxx-large", 7},
    };
    const QByteArray lower = Lower(Trimmed(text));
    for (const auto& [name, size] : keywords)
        if (lower == name) return size;
    const int base = std::clamp(inheritedSize, 1, 7);
    if (lower == "larger") return std::min(7, base + 1);
    if (lower == "smaller") return std::max(1, base - 1);
    const std::optional<Dimension> d = ParseNumberWithUnit(lower);
    if (!d || d->value < 0) return std::nullopt;
    const double em = d->unit == "rem" ? 16.0 : PixelsOfSize(base);
    const std::optional<double> pixels = LengthPixels(*d, em);
    if (!pixels) return std::nullopt;
    return NearestSize(*pixels);
}

std::optional<int> ParseHAlign(QByteArrayView text)
{
    const QByteArray lower = Lower(Trimmed(text));
    if (lower == "left" || lower == "start" || lower == "-webkit-left") return 0;
    if (lower == "center" || lower == "middle" || lower == "-webkit-center" || lower == "-moz-center") return 1;
    if (lower == "right" || lower == "end" || lower == "-webkit-right") return 2;
    return std::nullopt;
}

std::optional<int> ParseVAlign(QByteArrayView text)
{
    const QByteArray lower = Lower(Trimmed(text));
    if (lower == "top") return 0;
    if (lower == "middle" || lower == "center") return 1;
    if (lower == "bottom") return 2;
    return std::nullopt;
}

std::optional<TSizeSpec> ParseDimension(QByteArrayView text)
{
    text = Trimmed(text);
    qsizetype i = 0;
    qint64 value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<qint64>(std::numeric_limits<qint32>::max(), value * 10 + (text[i] - '0'));
    if (i == 0 || value == 0) return std::nullopt;
    while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) ++i;
    const bool percent = i < text.size() && text[i] == '%';
    return TSizeSpec{std::int32_t(value), percent ? TSizeSpec::Percent : TSizeSpec::Pixels};
}

std::optional<TSizeSpec> ParseCssSize(QByteArrayView text)
{
    // A share of the window's height, as the HTML5 page writes a height in per cent:
    // "calc(50vh - 8px)", the body's margins taken off.
    QByteArray lower = Lower(Trimmed(text));
    if (lower.startsWith("calc(") && lower.endsWith(')')) {
        const QList<QByteArray> terms = lower.mid(5, lower.size() - 6).split('-');
        if (terms.size() == 2 && ParseCssPixels(terms[1]) && terms[0].trimmed().endsWith("vh")) lower = terms[0].trimmed();
    }
    if (lower.endsWith("vh")) lower = lower.chopped(2) + '%';
    const std::optional<Dimension> d = ParseNumberWithUnit(lower);
    if (!d || d->value <= 0 || d->value > std::numeric_limits<qint32>::max()) return std::nullopt;
    const auto value = std::int32_t(std::lround(d->value));
    if (d->unit == "%") return TSizeSpec{value, TSizeSpec::Percent};
    if (d->unit == "px") return TSizeSpec{value, TSizeSpec::Pixels};
    return std::nullopt;
}

std::optional<int> ParseCssPixels(QByteArrayView text)
{
    const QByteArray lower = Lower(Trimmed(text));
    if (lower == "thin") return 1;
    if (lower == "medium") return 3;
    if (lower == "thick") return 5;
    const std::optional<Dimension> d = ParseNumberWithUnit(lower);
    if (!d || d->value < 0 || d->unit == "%") return std::nullopt;
    const std::optional<double> pixels = LengthPixels(*d, 16.0);
    if (!pixels || *pixels > 10000) return std::nullopt;
    return int(std::lround(*pixels));
}

std::vector<QByteArray> SplitValue(QByteArrayView text)
{
    std::vector<QByteArray> words;
    QByteArray word;
    int depth = 0;
    for (const char ch : text) {
        if (ch == '(') ++depth;
        if (ch == ')') depth = std::max(0, depth - 1);
        if (IsBlank(ch) && depth == 0) {
            if (!word.isEmpty()) words.push_back(std::exchange(word, QByteArray()));
            continue;
        }
        word += ch;
    }
    if (!word.isEmpty()) words.push_back(word);
    return words;
}

QByteArray FirstFontFamily(QByteArrayView text)
{
    text = Trimmed(text);
    if (!text.isEmpty() && (text[0] == '"' || text[0] == '\'')) {
        const qsizetype close = text.indexOf(text[0], 1);
        return text.sliced(1, (close < 0 ? text.size() : close) - 1).toByteArray();
    }
    const qsizetype comma = text.indexOf(',');
    return Trimmed(comma < 0 ? text : text.first(comma)).toByteArray().simplified();
}

std::vector<Declaration> ParseDeclarations(QByteArrayView style)
{
    // Comments out, then split at semicolons that are outside quotes and parentheses.
    QByteArray text;
    text.reserve(style.size());
    for (qsizetype i = 0; i < style.size(); ++i) {
        if (style[i] == '/' && i + 1 < style.size() && style[i + 1] == '*') {
            const qsizetype end = style.indexOf("*/", i + 2);
            i = end < 0 ? style.size() : end + 1;
            continue;
        }
        text += style[i];
    }
    std::vector<Declaration> out;
    char quote = 0;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const char ch = i < text.size() ? text[i] : ';';
        if (quote) {
            if (ch == quote) quote = 0;
            if (i < text.size()) continue;
        } else if (ch == '"' || ch == '\'') {
            quote = ch;
            continue;
        } else if (ch == '(') {
            ++depth;
        } else if (ch == ')') {
            depth = std::max(0, depth - 1);
        }
        if (ch != ';' || (depth > 0 && i < text.size())) continue;
        const QByteArrayView piece(text.constData() + start, i - start);
        start = i + 1;
        const qsizetype colon = piece.indexOf(':');
        if (colon <= 0) continue;
        QByteArrayView value = Trimmed(piece.sliced(colon + 1));
        const QByteArray lowerValue = Lower(value);
        if (lowerValue.endsWith("!important")) value = Trimmed(value.first(value.size() - 10));
        out.push_back({Lower(Trimmed(piece.first(colon))), value.toByteArray()});
    }
    return out;
}

}  // namespace HtmlValues
