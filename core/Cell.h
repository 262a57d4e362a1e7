#pragma once
// The cell record and the fixed cell store of a table, with the small value types the rest of
// the program shares. Nothing here depends on widgets.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <vector>

// A platform colour number: 0x00BBGGRR for a plain colour (red in the low byte) or a
// system-colour reference (high byte 0x80). Signed, so that references read as negative
// numbers, the way documents and scripts write them.
using TColor = std::int32_t;

constexpr TColor kSystemColorFlag = TColor(0x80000000u);
constexpr TColor kMixedColor = 0x1FFFFFFF;  // "the selected cells differ" in a summary

// Resolves a system-colour reference to its plain 0x00BBGGRR value; other values come back
// unchanged. System colours resolve to the classic colours unless a resolver is installed.
using SystemColorResolver = TColor (*)(int index);
TColor ResolveColor(TColor color);
TColor ClassicSystemColor(int index);
void SetSystemColorResolver(SystemColorResolver resolver);

// Capacity of the store and the largest count a table may use: the 128th slot in each
// direction is spare room for insertions and for the extra column and row of a document.
constexpr int kStoreSize = 128;
constexpr int kMaxCount = 127;
constexpr int kMaxFontNameBytes = 64;

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

struct TSizeSpec {
    enum Units : std::uint8_t { Default = 0, Percent = 1, Pixels = 2 };
    std::int32_t Value = 0;
    std::uint8_t Units = Default;
    bool operator==(const TSizeSpec&) const = default;
};

// Bits that name cell fields: the mask of ApplyFormat and of GetSelectionFormat.
using TCellFields = unsigned;
enum : TCellFields {
    cfFontName = 1,
    cfFontSize = 2,
    cfBold = 4,
    cfItalic = 8,
    cfFontColor = 16,
    cfText = 32,
    cfBgColor = 64,
    cfExtraCols = 128,
    cfExtraRows = 256,
    cfVAlign = 512,
    cfHAlign = 1024,
    cfAllButText = 2015,
    cfHeader = 2048,  // not a format of the cell tool bar: set by the header commands
};

// HTML font size -1..7 to on-screen points.
int FontPoints(int fontSize);

// Cuts an 8-bit (UTF-8) font name to at most 64 bytes, never inside a character.
QByteArray ClampFontName(const QByteArray& name);
QByteArray FontNameFromString(const QString& name);

// What the grid measured for a cell: its text, font and width then, and the height of the
// wrapped text, for the last two measurements (so that toggling a format, or undoing it, finds
// the height it had). Not part of the document; copied with the cell, so moved cells stay
// measured.
struct TMeasuredHeight {
    QString text;  // a shared copy: the same data means the same text
    QByteArray fontName;
    std::int32_t fontSize = -100;
    bool bold = false;
    bool italic = false;
    int width = -1;
    int height = 0;
};

struct TMeasureCache {
    TMeasuredHeight recent[2];
    int newest = 0;
};

struct TCell {
    QString Text;            // UTF-16; line breaks are CR LF
    TRect Rect;              // client pixels, computed by the layout
    QByteArray FontName;     // UTF-8, at most 64 bytes
    std::int32_t FontSize = 3;
    bool Bold = false;
    bool Italic = false;
    TColor FontColor = 0;
    TColor BgColor = 0xFFFFFF;
    bool Visible = true;     // false when covered by a merged cell
    std::int32_t ExtraCols = 0;
    std::int32_t ExtraRows = 0;
    std::int32_t VAlign = 0;  // 0 top, 1 middle, 2 bottom
    std::int32_t HAlign = 1;  // 0 left, 1 centre, 2 right
    bool Header = false;      // a header cell (th); a merged cell's is its anchor's
    bool Selected = false;
    mutable TMeasureCache Measured;

    TCell();
    // The InitCell defaults; Rect is left as it is.
    void reset(bool visible);
    bool isMerged() const { return ExtraCols > 0 || ExtraRows > 0; }
};

// Copies the format fields `fields` names from source to target (the header flag with
// cfHeader); text and spans are never part of a format.
void CopyFormat(TCell& target, const TCell& source, TCellFields fields);

// 128 x 128 cells, indexed [column, row], column-major.
class TCellArray {
public:
    TCellArray() : cells_(kStoreSize * kStoreSize) {}
    TCell& operator()(int col, int row) { return cells_[index(col, row)]; }
    const TCell& operator()(int col, int row) const { return cells_[index(col, row)]; }
    static bool inStore(int col, int row) {
        return col >= 0 && col < kStoreSize && row >= 0 && row < kStoreSize;
    }

private:
    static std::size_t index(int col, int row)
    {
#ifdef QUILLGRID_CHECKED_CELLS
        // Sanitized builds stop at a position outside the store, which the address checker
        // misses when it falls inside the store's memory (row 130 of column 0 is row 2 of 1).
        if (!inStore(col, row)) std::abort();
#endif
        return std::size_t(col) * kStoreSize + row;
    }
    std::vector<TCell> cells_;
};
