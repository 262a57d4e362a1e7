#include "core/Cell.h"

#include <iterator>

namespace {
const QByteArray kDefaultFontName = QByteArrayLiteral("Tahoma");
}

namespace {
SystemColorResolver systemColorResolver = nullptr;

constexpr TColor Rgb(int r, int g, int b)
{
    return TColor(r | (g << 8) | (b << 16));
}
}  // namespace

TColor ClassicSystemColor(int index)
{
    // The classic desktop colours, by system colour index.
    static constexpr TColor classic[] = {
        Rgb(212, 208, 200), Rgb(58, 110, 165), Rgb(10, 36, 106),   Rgb(128, 128, 128),
        Rgb(212, 208, 200), Rgb(255, 255, 255), Rgb(0, 0, 0),      Rgb(0, 0, 0),
        Rgb(0, 0, 0),       Rgb(255, 255, 255), Rgb(212, 208, 200), Rgb(212, 208, 200),
        Rgb(128, 128, 128), Rgb(10, 36, 106),  Rgb(255, 255, 255), Rgb(212, 208, 200),
        Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(0, 0, 0),      Rgb(212, 208, 200),
        Rgb(255, 255, 255), Rgb(64, 64, 64),   Rgb(212, 208, 200), Rgb(0, 0, 0),
        Rgb(255, 255, 225), Rgb(181, 181, 181), Rgb(0, 0, 128),    Rgb(166, 202, 240),
        Rgb(192, 192, 192), Rgb(49, 106, 197), Rgb(236, 233, 216),
    };
    if (index < 0 || index >= int(std::size(classic))) return 0;
    return classic[index];
}

void SetSystemColorResolver(SystemColorResolver resolver)
{
    systemColorResolver = resolver;
}

TColor ResolveColor(TColor color)
{
    if ((quint32(color) & 0xFF000000u) != 0x80000000u) return color;
    const int index = int(quint32(color) & 0xFF);
    return systemColorResolver ? systemColorResolver(index) : ClassicSystemColor(index);
}

int FontPoints(int fontSize)
{
    static constexpr int points[] = {12, 7, 8, 10, 12, 14, 18, 24, 32};
    if (fontSize < -1 || fontSize > 7) return 12;
    return points[fontSize + 1];
}

QByteArray ClampFontName(const QByteArray& name)
{
    if (name.size() <= kMaxFontNameBytes) return name;
    int cut = kMaxFontNameBytes;
    // Step back over UTF-8 continuation bytes so that no character is split.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    return name.left(cut);
}

QByteArray FontNameFromString(const QString& name)
{
    return ClampFontName(name.toUtf8());
}

TCell::TCell() : FontName(kDefaultFontName) {}

void TCell::reset(bool visible)
{
    Text.clear();
    FontName = kDefaultFontName;
    FontSize = 3;
    Bold = false;
    Italic = false;
    FontColor = 0;
    BgColor = 0xFFFFFF;
    Visible = visible;
    ExtraCols = 0;
    ExtraRows = 0;
    VAlign = 0;
    HAlign = 1;
    Header = false;
    Selected = false;
}

void CopyFormat(TCell& target, const TCell& source, TCellFields fields)
{
    if (fields & cfFontName) target.FontName = ClampFontName(source.FontName);
    if (fields & cfFontSize) target.FontSize = source.FontSize;
    if (fields & cfFontColor) target.FontColor = source.FontColor;
    if (fields & cfBold) target.Bold = source.Bold;
    if (fields & cfItalic) target.Italic = source.Italic;
    if (fields & cfBgColor) target.BgColor = source.BgColor;
    if (fields & cfVAlign) target.VAlign = source.VAlign;
    if (fields & cfHAlign) target.HAlign = source.HAlign;
    if (fields & cfHeader) target.Header = source.Header;
}
