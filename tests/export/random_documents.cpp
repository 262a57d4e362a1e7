// Seeded random documents for the export checks: every table property, cell format and span
// the document can hold, and cell texts that are well-formed HTML (entities, inline markup,
// links, line breaks, characters from several scripts).
//   qg_random_documents SEED COUNT OUTDIR [--blocks]   writes OUTDIR/random-SEED-N.qgd, N = 1..COUNT

#include "core/TableCore.h"

#include <QDir>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <random>

namespace {

bool gBlocks = false;  // --blocks: cells may hold paragraphs

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int below(int n) { return int(engine_() % unsigned(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(const std::vector<T>& items) { return items[std::size_t(below(int(items.size())))]; }

private:
    std::mt19937 engine_;
};

const std::vector<QString> kWords = {
    "Price", "total", "Müller", "naïve", "café", "Ærø", "Łódź", "über", "x &lt; y", "A &amp; B", "3 &lt; 4",
    "&ndash;", "&#10003;", "&euro;12", "&copy; 2024", "&nbsp;", "50%", "$5", "#1", "a_b", "C:\\path",
    "{x}", "~home", "2^10", "'quoted'", "\"double\"", "--", "a|b", "*star*", "_under_", "[link]", "`tick`",
    "Ωmega", "日本", "Привет", "&#x263A;", "&hellip;", "&laquo;ok&raquo;", "12.50", "1,000",
    "Ħħĸ Ŀŀŉ Ŧŧſ", "(paren)", "end."};

const std::vector<QString> kFonts = {"Tahoma", "Arial", "Courier New", "DejaVu Sans", "DejaVu Sans Mono",
                                     "Verdana, sans-serif", "monospace", "Georgia,serif", "Times New Roman",
                                     "3D Type", ""};

QString Phrase(Random& rng)
{
    QStringList words;
    for (int n = rng.between(1, 4); n > 0; --n) words << rng.pick(kWords);
    return words.join(' ');
}

// Well-formed markup: inline elements nest properly, links carry an address.
QString CellText(Random& rng)
{
    if (rng.chance(15)) return {};
    QString text;
    for (int part = rng.between(1, 3); part > 0; --part) {
        if (!text.isEmpty()) text += rng.chance(25) ? "\r\n" : rng.chance(20) ? "<br>" : " ";
        const QString phrase = Phrase(rng);
        switch (rng.below(12)) {
        case 0: text += "<b>" + phrase + "</b>"; break;
        case 1: text += "<i>" + phrase + "</i>"; break;
        case 2: text += "<a href=\"https://example.com/p?a=1&amp;b=2\">" + phrase + "</a>"; break;
        case 3: text += "<span style=\"text-decoration:underline\">" + phrase + "</span>"; break;
        case 4: text += "x<sup>2</sup> " + phrase; break;
        case 5: text += "<a href=\"#top\"><em>" + phrase + "</em></a>"; break;
        // What text formats misread: a "!" before a link, emphasis beside punctuation inside
        // a word, blocks one after another.
        case 6: text += "Wow!<a href=\"https://example.com/page\">" + phrase + "</a>"; break;
        case 7: text += "foo<b>(" + phrase + ")</b>bar"; break;
        case 8:
            // The quirks-mode classic page draws a block's margins in a cell unlike the
            // HTML5 page, so the rendering check leaves blocks out.
            if (gBlocks) {
                text += "<p>" + phrase + "</p><p>" + Phrase(rng) + "</p>";
                break;
            }
            [[fallthrough]];
        default: text += phrase;
        }
    }
    return text;
}

TColor Colour(Random& rng)
{
    if (rng.chance(10)) return TColor(0x80000000u | unsigned(rng.below(31)));  // a system colour
    return TColor(rng.below(0x1000000));
}

// Set in one table of `in` on average, as a percentage or in pixels.
TSizeSpec Size(Random& rng, int in, int maxPixels)
{
    switch (rng.below(2 * in)) {
    case 0: return {rng.between(10, 100), TSizeSpec::Percent};
    case 1: return {rng.between(50, maxPixels), TSizeSpec::Pixels};
    default: return {};
    }
}

void FormatCell(TCell& cell, Random& rng)
{
    cell.Text = CellText(rng);
    cell.FontName = rng.pick(kFonts).toUtf8();
    cell.FontSize = rng.chance(60) ? 3 : rng.between(-2, 8);
    cell.Bold = rng.chance(25);
    cell.Italic = rng.chance(20);
    cell.FontColor = rng.chance(60) ? 0 : Colour(rng);
    cell.BgColor = rng.chance(50) ? 0xFFFFFF : Colour(rng);
    cell.HAlign = rng.below(3);
    cell.VAlign = rng.below(3);
}

bool HasCoveredRow(const TableCore& t)
{
    for (int r = 0; r < t.RowCount; ++r) {
        bool anchored = false;
        for (int c = 0; c < t.ColCount; ++c) anchored = anchored || t.Cell(c, r).Visible;
        if (!anchored) return true;
    }
    return false;
}

// Header rows and columns, a lone header cell, a caption and column widths, each in some
// of the documents.
void AddStructure(TableCore& t, Random& rng)
{
    if (rng.chance(30)) t.SetHeaderRows(0, rng.below(2), true);
    if (rng.chance(25)) t.SetHeaderColumns(0, 0, true);
    if (rng.chance(10)) {
        TCell& cell = t.Cell(rng.below(t.ColCount), rng.below(t.RowCount));
        if (cell.Visible) cell.Header = true;
    }
    if (rng.chance(30)) t.SetCaption(CellText(rng));
    // Per cents of a table that has no width of its own: the classic page's frame, which
    // the table fills, lays them out otherwise than a single table can.
    const bool percent = t.TableWidth.Units != TSizeSpec::Default;
    if (rng.chance(40))
        for (int c = 0; c < t.ColCount; ++c) {
            if (rng.chance(50)) continue;
            t.SetColWidth(c, percent && rng.chance(40) ? TSizeSpec{rng.between(5, 30), TSizeSpec::Percent}
                                                      : TSizeSpec{rng.between(20, 200), TSizeSpec::Pixels});
        }
}

void FillTable(TableCore& t, Random& rng)
{
    t.ResetTable();
    t.SetColCount(rng.between(1, 7));
    t.SetRowCount(rng.between(1, 9));
    t.TableWidth = Size(rng, 3, 900);
    t.TableHeight = Size(rng, 4, 600);
    t.SetTableBorderWidth(rng.chance(50) ? 1 : rng.between(0, 6));
    t.SetTableBorderColor(Colour(rng));
    t.CellsBorderWidth = rng.chance(50) ? 1 : rng.between(-1, 5);
    t.CellsBorderColor = Colour(rng);
    t.CellsTextMargin = rng.chance(50) ? 3 : rng.between(-1, 9);
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) FormatCell(t.Cell(c, r), rng);
    // Merges, some of them covering whole rows or columns.
    for (int n = rng.below(4); n > 0; --n) {
        const int c = rng.below(t.ColCount), r = rng.below(t.RowCount);
        t.MergeCells(c, r, rng.below(t.ColCount - c), rng.below(std::min(3, t.RowCount - r)));
    }
    AddStructure(t, rng);
    // HTML5 has no rows without a cell of their own, and a browser shares a set height out
    // among the rows there are: the one layout the HTML5 page cannot repeat.
    if (HasCoveredRow(t)) t.TableHeight = {};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "--blocks") == 0)) {
        std::fputs("usage: qg_random_documents SEED COUNT OUTDIR [--blocks]\n", stderr);
        return 64;
    }
    gBlocks = argc == 5;
    const unsigned seed = unsigned(std::strtoul(argv[1], nullptr, 10));
    const int count = std::atoi(argv[2]);
    const QString outDir = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(outDir);
    Random rng(seed);
    for (int i = 1; i <= count; ++i) {
        TableCore t;
        FillTable(t, rng);
        QString error;
        const QString name = QStringLiteral("%1/random-%2-%3.qgd").arg(outDir).arg(seed).arg(i, 3, 10, QLatin1Char('0'));
        if (!t.SaveToFile(name, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
