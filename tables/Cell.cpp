#include "tables/Cell.h"

namespace {
const QByteArray kDefaultFontName = QByteArrayLiteral("Tahoma");
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
    Selected = false;
}
