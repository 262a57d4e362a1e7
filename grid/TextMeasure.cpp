#include "grid/TextMeasure.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStaticText>

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>

namespace layout {

namespace {

struct FontKey {
    QByteArray name;
    std::int32_t size = 3;
    bool bold = false;
    bool italic = false;

    static FontKey of(const TCell& cell)
    {
        return {cell.FontName, cell.FontSize, cell.Bold, cell.Italic};
    }
    bool matches(const TCell& cell) const
    {
        return size == cell.FontSize && bold == cell.Bold && italic == cell.Italic &&
               name == cell.FontName;
    }
    bool operator==(const FontKey&) const = default;
};

struct FontKeyHash {
    std::size_t operator()(const FontKey& k) const
    {
        return qHashMulti(0, k.name, k.size, k.bold, k.italic);
    }
};

// One font's metrics with the widths of the words and characters measured in it so far.
class FontMeasure {
public:
    explicit FontMeasure(const QFont& font) : font_(font), metrics_(font)
    {
        spacing_ = metrics_.lineSpacing();
        ascent_ = metrics_.ascent();
        space_ = metrics_.horizontalAdvance(QLatin1Char(' '));
    }

    const QFont& font() const { return font_; }
    int lineSpacing() const { return spacing_; }
    int ascent() const { return ascent_; }
    int space() const { return space_; }

    int word(QStringView text)
    {
        const std::size_t key = qHash(text, 0x51d1u);
        if (auto found = words_.find(key); found != words_.end()) return found->second;
        if (words_.size() > 200000) words_.clear();
        const int width = metrics_.horizontalAdvance(text.toString());
        words_.emplace(key, width);
        return width;
    }

    int character(QStringView ch)
    {
        if (ch.size() == 1 && ch[0].unicode() < 256) {
            int& width = latin1_[ch[0].unicode()];
            if (width < 0) width = metrics_.horizontalAdvance(ch[0]);
            return width;
        }
        return word(ch);
    }

    // A word laid out once for drawing: most tables repeat their words, and drawing a laid
    // out word skips the shaping that drawing a string does every time.
    const QStaticText& drawnWord(QStringView text)
    {
        const std::size_t key = qHash(text, 0x7a3fu);
        if (auto found = drawn_.find(key); found != drawn_.end() && found->second.text() == text) return found->second;
        if (drawn_.size() > 20000) drawn_.clear();
        QStaticText word(text.toString());
        word.setTextFormat(Qt::PlainText);
        word.prepare(QTransform(), font_);
        return drawn_.insert_or_assign(key, std::move(word)).first->second;
    }

private:
    QFont font_;
    std::unordered_map<std::size_t, QStaticText> drawn_;
    QFontMetrics metrics_;
    int spacing_ = 0;
    int ascent_ = 0;
    int space_ = 0;
    std::unordered_map<std::size_t, int> words_;
    std::array<int, 256> latin1_ = [] {
        std::array<int, 256> unknown{};
        unknown.fill(-1);
        return unknown;
    }();
};

// Heights by a hash of what decides them, in one flat table: a slot holds the last height
// whose hash fell there. A full table is walked for every layout, so a lookup that costs a
// single memory access matters more than keeping every height ever measured.
class HeightCache {
public:
    std::optional<int> find(std::size_t key) const
    {
        const Slot& slot = slots_[key & kMask];
        if (slot.key == key && slot.used) return slot.height;
        return std::nullopt;
    }
    void put(std::size_t key, int height) { slots_[key & kMask] = {key, height, true}; }
    void clear() { std::fill(slots_.begin(), slots_.end(), Slot{}); }

private:
    static constexpr std::size_t kSlots = std::size_t(1) << 17;
    static constexpr std::size_t kMask = kSlots - 1;
    struct Slot {
        std::size_t key = 0;
        int height = 0;
        bool used = false;
    };
    std::vector<Slot> slots_ = std::vector<Slot>(kSlots);
};

struct Caches {
    std::unordered_map<FontKey, std::unique_ptr<FontMeasure>, FontKeyHash> fonts;
    FontKey lastKey;
    FontMeasure* last = nullptr;
    // Heights by text, font and width, for cells whose text was replaced by an equal one
    // (undo, reload) or whose font went back and forth.
    HeightCache heights;
};

Caches& caches()
{
    static Caches instance;
    return instance;
}

FontMeasure& MeasureFor(const TCell& cell)
{
    Caches& c = caches();
    if (c.last && c.lastKey.matches(cell)) return *c.last;
    FontKey key = FontKey::of(cell);
    auto found = c.fonts.find(key);
    if (found == c.fonts.end())
        found = c.fonts.emplace(key, std::make_unique<FontMeasure>(CellFont(cell))).first;
    c.lastKey = std::move(key);
    c.last = found->second.get();
    return *c.last;
}

bool IsHardBreak(QChar ch)
{
    return ch == QLatin1Char('\r') || ch == QLatin1Char('\n');
}

// Length of the character at i: two for a surrogate pair.
int CharLength(const QString& text, int i, int end)
{
    return (text[i].isHighSurrogate() && i + 1 < end && text[i + 1].isLowSurrogate()) ? 2 : 1;
}

class Wrapper {
public:
    Wrapper(FontMeasure& font, const QString& text, int width, std::vector<LineSpan>* out)
        : font_(font), text_(text), width_(std::max(1, width)), out_(out)
    {
    }

    int run()
    {
        const int n = int(text_.size());
        int pos = 0;
        for (;;) {
            int end = pos;
            while (end < n && !IsHardBreak(text_[end])) ++end;
            paragraph(pos, end);
            if (end >= n) break;
            const bool crlf = text_[end] == QLatin1Char('\r') && end + 1 < n &&
                              text_[end + 1] == QLatin1Char('\n');
            pos = end + (crlf ? 2 : 1);
        }
        return lines_;
    }

private:
    FontMeasure& font_;
    const QString& text_;
    int width_;
    std::vector<LineSpan>* out_;
    int lines_ = 0;

    void addLine(int start, int end, int width)
    {
        ++lines_;
        if (out_) out_->push_back({start, end - start, width});
    }

    void paragraph(int start, int end)
    {
        int lineStart = start, lineEnd = start, lineWidth = 0;
        bool hasWord = false;
        int i = start;
        while (i < end) {
            int spaces = 0;
            while (i < end && text_[i] == QLatin1Char(' ')) ++spaces, ++i;
            if (i >= end) break;  // trailing blanks take no room
            int j = i;
            while (j < end && text_[j] != QLatin1Char(' ')) ++j;
            const int gap = spaces * font_.space();
            const int word = font_.word(QStringView(text_).mid(i, j - i));
            if (hasWord && lineWidth + gap + word > width_) {
                addLine(lineStart, lineEnd, lineWidth);
                lineStart = i;
                lineWidth = 0;
                hasWord = false;
            }
            const int before = hasWord || lineStart != i ? lineWidth + gap : 0;
            if (before + word > width_ && !hasWord) {
                lineWidth = before;
                breakWord(lineStart, i, j, lineWidth, lineStart);
            } else {
                lineWidth = before + word;
            }
            lineEnd = j;
            hasWord = true;
            i = j;
        }
        addLine(lineStart, hasWord ? lineEnd : lineStart, hasWord ? lineWidth : 0);
    }

    // A word too wide for a line is broken between characters; the last piece stays open as
    // the current line.
    void breakWord(int lineStart, int from, int to, int& lineWidth, int& newLineStart)
    {
        int start = lineStart;
        int i = from;
        while (i < to) {
            const int len = CharLength(text_, i, to);
            const int w = font_.character(QStringView(text_).mid(i, len));
            if (lineWidth + w > width_ && i > start) {
                addLine(start, i, lineWidth);
                start = i;
                lineWidth = 0;
            }
            lineWidth += w;
            i += len;
        }
        newLineStart = start;
    }
};

}  // namespace

QFont CellFont(const TCell& cell)
{
    QFont font(QString::fromUtf8(cell.FontName));
    font.setPointSize(FontPoints(cell.FontSize));
    font.setBold(cell.Bold);
    font.setItalic(cell.Italic);
    return font;
}

std::vector<LineSpan> WrapLines(const TCell& cell, const QString& text, int width)
{
    std::vector<LineSpan> lines;
    Wrapper(MeasureFor(cell), text, width, &lines).run();
    return lines;
}

int LineSpacing(const TCell& cell)
{
    return MeasureFor(cell).lineSpacing();
}

namespace {

// Whether a line can be drawn word by word: text in the Latin scripts, whose words do not
// join or reorder across the blanks between them.
bool DrawsWordByWord(QStringView line)
{
    for (const QChar ch : line)
        if (ch.unicode() > 0x24F) return false;
    return true;
}

}  // namespace

void DrawLine(QPainter& painter, const TCell& cell, QStringView line, QPoint topLeft)
{
    FontMeasure& font = MeasureFor(cell);
    if (!DrawsWordByWord(line)) {
        painter.drawText(QPoint(topLeft.x(), topLeft.y() + font.ascent()), line.toString());
        return;
    }
    int x = topLeft.x();
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] == u' ') {
            x += font.space();
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < line.size() && line[j] != u' ') ++j;
        const QStringView word = line.mid(i, j - i);
        painter.drawStaticText(QPoint(x, topLeft.y()), font.drawnWord(word));
        x += font.word(word);
        i = j;
    }
}

const QFont& MeasuredFont(const TCell& cell)
{
    return MeasureFor(cell).font();
}

namespace {

bool Matches(const TMeasuredHeight& m, const TCell& cell, int width)
{
    return m.width == width && m.text.constData() == cell.Text.constData() &&
           m.text.size() == cell.Text.size() && m.fontSize == cell.FontSize &&
           m.bold == cell.Bold && m.italic == cell.Italic && m.fontName == cell.FontName;
}

}  // namespace

int WrappedTextHeight(const TCell& cell, int width)
{
    TMeasureCache& cache = cell.Measured;
    for (const TMeasuredHeight& m : cache.recent)
        if (Matches(m, cell, width)) return m.height;

    Caches& c = caches();
    const std::size_t key = qHashMulti(0x9e37u, cell.Text, cell.FontName, cell.FontSize,
                                       cell.Bold, cell.Italic, width);
    int height;
    if (const std::optional<int> found = c.heights.find(key)) {
        height = *found;
    } else {
        FontMeasure& font = MeasureFor(cell);
        height = Wrapper(font, cell.Text, width, nullptr).run() * font.lineSpacing();
        c.heights.put(key, height);
    }
    cache.newest = 1 - cache.newest;
    TMeasuredHeight& m = cache.recent[cache.newest];
    m.text = cell.Text;
    m.fontName = cell.FontName;
    m.fontSize = cell.FontSize;
    m.bold = cell.Bold;
    m.italic = cell.Italic;
    m.width = width;
    m.height = height;
    return height;
}

void ClearMeasureCaches()
{
    Caches& c = caches();
    c.fonts.clear();
    c.last = nullptr;
    c.heights.clear();
}

}  // namespace layout
