// The edit target: a document the loader accepts, then operations on it as a user and a script
// drive them (every line of the script language, selections, undo and redo, typing, opening
// another document), each checked as it ends; then the table's own output must load again.
//
// Input: two bytes n (little-endian), n bytes that choose the operations and their arguments,
// then the document. A document the loader refuses is replaced by a small table with merged
// cells, so that every input edits something.

#include "fuzz/FuzzEntries.h"

#include "core/DocumentFormat.h"
#include "core/Script.h"
#include "core/TableCore.h"
#include "core/TableEdit.h"
#include "formats/export/HtmlPage.h"
#include "tests/TableInvariants.h"

#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <ctime>

namespace Fuzz {
namespace {

constexpr int kMaxOperations = 64;
// Far above what any operation takes on a full table with the sanitizers; more is a hang.
constexpr double kMaxSecondsPerOperation = 5.0;

// Reads the choices one byte at a time; past the end every byte is 0.
class Choices {
public:
    Choices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool AtEnd() const { return pos_ >= size_; }
    int Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // offset .. offset + count - 1, now and then a number far outside any table instead.
    int Number(int count, int offset)
    {
        static constexpr int extremes[] = {INT_MIN, -1000, -1, 127, 128, 1000, INT_MAX - 1, INT_MAX};
        const int b = Byte();
        return b >= 248 ? extremes[b - 248] : b % count + offset;
    }
    // A position near the table: -1 .. limit + 1.
    int Position(int limit) { return Number(limit + 3, -1); }
    // A span, mostly small.
    int Span() { return Number(Byte() < 200 ? 6 : 130, 0); }
    // A count of columns or rows: small tables, which are quick, and now and then the largest
    // or one past it.
    int Count() { return Number(16, 0); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

QByteArray Num(qint64 value)
{
    return QByteArray::number(value);
}

// a + b held inside int: the choices include the extremes of int.
int Add(int a, int b)
{
    return int(std::clamp<qint64>(qint64(a) + b, INT_MIN, INT_MAX));
}

QByteArray Cell(Choices& in, const TableCore& t)
{
    const int col = in.Position(t.ColCount);
    return Num(col) + ' ' + Num(in.Position(t.RowCount));
}

// One to three fields, with values around each field's range and colours of every kind.
QByteArray FormatLine(Choices& in)
{
    static const char* names[] = {"size", "bold", "italic", "valign", "halign", "color", "bg"};
    QByteArray line = "format";
    const int fields = 1 + in.Byte() % 3;
    for (int i = 0; i < fields; ++i) {
        const int field = in.Byte() % 7;
        // A grey of the level drawn; an extreme level wraps around (unsigned: no overflow).
        const int value = field >= 5 ? int(unsigned(in.Number(256, 0)) * 0x10101u) : in.Number(11, -2);
        line += QByteArray(" ") + names[field] + '=' + Num(value);
    }
    return line;
}

QByteArray TextLine(Choices& in, const TableCore& t)
{
    static const char* texts[] = {"", "x", "two\\nlines", "<b>markup</b> & \\\\", "  blanks  ",
                                  "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", "a\\n\\n\\nb"};
    const QByteArray cell = Cell(in, t);
    const int b = in.Byte();
    return "text " + cell + ' ' + (b < 250 ? QByteArray(texts[b % 7]) : QByteArray(2000, 'w'));
}

// One line of the script language.
QByteArray ScriptLine(Choices& in, const TableCore& t, int op)
{
    switch (op) {
    case 0: return "cols " + Num(in.Count());
    case 1: return "rows " + Num(in.Count());
    case 2: return "insert-col " + Num(in.Position(t.ColCount));
    case 3: return "insert-row " + Num(in.Position(t.RowCount));
    case 4: return "delete-col " + Num(in.Position(t.ColCount));
    case 5: return "delete-row " + Num(in.Position(t.RowCount));
    case 6: {
        const QByteArray cell = Cell(in, t);
        const int extraCols = in.Span();
        return "merge " + cell + ' ' + Num(extraCols) + ' ' + Num(in.Span());
    }
    case 7: return "split " + Cell(in, t);
    case 8: return "select " + Cell(in, t);
    case 9: return "ctrl-click " + Cell(in, t);
    case 10: return "shift-click " + Cell(in, t);
    case 11: return "merge-selection";
    case 12: return "unmerge-selection";
    case 13: return FormatLine(in);
    case 14: return in.Byte() % 2 ? "font Courier New" : "font " + QByteArray(70, 'F');
    case 15: return TextLine(in, t);
    case 16:
    case 17: {
        const int first = in.Position(op == 16 ? t.RowCount : t.ColCount);
        const int last = Add(first, in.Span());
        return QByteArray(op == 16 ? "header-rows " : "header-cols ") + Num(first) + ' ' + Num(last) + ' ' + Num(in.Byte() % 2);
    }
    case 18: {
        static const char* captions[] = {"", "Prices", "<b>two</b>\\nlines &amp; more", "\\\\"};
        return QByteArray("caption ") + captions[in.Byte() % 4];
    }
    case 19: {
        const int col = in.Position(t.ColCount);
        const int units = in.Number(4, 0);
        return "width " + Num(col) + ' ' + Num(units == 1 ? in.Number(102, 0) : qint64(in.Number(300, 0)) * 120) + ' ' + Num(units);
    }
    case 20: return "format header=" + Num(in.Number(3, 0));
    case 21:
    case 22: {
        const int line = in.Position(op == 21 ? t.RowCount : t.ColCount);
        return QByteArray(op == 21 ? "move-row " : "move-col ") + Num(line) + (in.Byte() % 2 ? " 1" : " -1");
    }
    case 23: return "transpose";
    case 24: {
        const int first = Add(in.Position(t.RowCount), -1);  // -1: all rows
        const int last = first < 0 ? -1 : Add(first, in.Span());
        QByteArray line = "sort " + Num(first) + ' ' + Num(last) + ' ' + Num(in.Position(t.ColCount)) + (in.Byte() % 2 ? " a" : " d");
        if (in.Byte() % 2) line += ' ' + Num(in.Position(t.ColCount)) + " d";
        return line;
    }
    case 25: {
        static const char* const finds[] = {"- /e/E/", "c /a/<b>a</b>/", "w /x/yy/", "r /(\\w)\\w*/\\1/",
                                            "s /<b>/<i>/", "rs /[<>]//", "r /a*/-/", "- /&amp;/&/"};
        return QByteArray("replace ") + finds[in.Byte() % 8];
    }
    case 26: return "undo";
    default: return "redo";
    }
}

constexpr int kScriptOperations = 28;

// What the window does for one typed character: the current cell's text, then a typing step.
void Type(TableCore& t, char ch)
{
    if (!t.IsVisibleCell(t.SelCol, t.SelRow)) return;
    TableEdit edit(t, TUndoStep::Typing);
    t.Cell(t.SelCol, t.SelRow).Text += QLatin1Char(ch);
}

// Opening another document: the table's own save with one stored field changed, which the
// loader may accept (then a fresh history starts, as after Open) or refuse (nothing changes).
// Documents that are odd but accepted are where operations meet what they never make.
QByteArray OpenVariant(Choices& in, TableCore& t, bool& sound)
{
    using namespace DocumentFormat;
    QByteArray bytes = t.SaveToBytes();
    // Offsets of 32-bit fields, and of one-byte fields (flags and alignments).
    static constexpr int header[] = {12, 16, 20, 24, 28, 36, 44};  // sizes, widths, margin
    static constexpr int record[] = {68, 88, 92, 72, 73, 84, 96, 97};  // size, spans | bytes
    const int which = in.Byte();
    qsizetype at = 0;
    bool wide = true;
    if (which >= 240 && t.UsesExtension()) {
        // A byte of the extension: its size, contents, header bits, caption or widths.
        at = bytes.size() - 1 - in.Byte() % std::max<qsizetype>(1, bytes.size() - MinimumSize(t.ColCount, t.RowCount));
        wide = false;
    } else if (which % 4 == 0) {
        at = header[which / 4 % 7];
    } else {
        // Record k lies after the header and the k records and texts before it.
        const int records = (t.ColCount + 1) * (t.RowCount + 1);
        const int k = in.Number(records, 0);
        at = kHeaderSize;
        for (int i = 0; i < k && i < records; ++i)
            at += kRecordSize + qFromLittleEndian<std::int32_t>(bytes.constData() + at + 100);
        at += record[which % 8];
        wide = which % 8 < 3;
    }
    const int value = in.Number(8, -1);
    if (at + (wide ? 4 : 1) > bytes.size()) return "open a variant past the end";
    if (wide) qToLittleEndian<std::int32_t>(value, bytes.data() + at);
    else bytes[at] = char(value);
    if (t.LoadFromBytes(bytes)) {
        t.ClearHistory();
        t.AddUndoStep(TUndoStep::Command);
        sound = invariants::Check(t).empty();
    }
    return "open a variant with " + Num(value) + " at byte " + Num(int(at));
}

// The table a refused document is replaced with: 5 x 4, texts, two merged cells.
const QByteArray& FallbackDocument()
{
    static const QByteArray bytes = [] {
        TableCore t;
        t.ResetTable();
        t.SetColCount(5);
        t.SetRowCount(4);
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 4; ++r) t.SetCellText(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
        t.MergeCells(0, 0, 1, 1);
        t.MergeCells(3, 1, 1, 2);
        // Version 2: a header row, a caption and a width.
        t.SetHeaderRows(0, 0, true);
        t.SetCaption(QStringLiteral("Fallback"));
        t.SetColWidth(2, {60, TSizeSpec::Pixels});
        return t.SaveToBytes();
    }();
    return bytes;
}

// What the loader demands of every document, which our own saves must meet: anchors inside
// the table, covered cells without spans.
QString SpansAsTheLoaderDemands(const TableCore& t)
{
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            const TCell& cell = t.Cell(c, r);
            if (!cell.Visible ? cell.isMerged()
                              : cell.ExtraCols < 0 || cell.ExtraRows < 0 ||
                                    qint64(c) + cell.ExtraCols >= t.ColCount ||
                                    qint64(r) + cell.ExtraRows >= t.RowCount)
                return QStringLiteral("spans of (%1, %2) the loader would refuse").arg(c).arg(r);
        }
    return QString();
}

QString CheckAfter(const TableCore& t, bool sound)
{
    if (sound) {
        const std::string broken = invariants::Check(t);
        if (!broken.empty()) return QString::fromStdString(broken);
    } else if (QString bad = SpansAsTheLoaderDemands(t); !bad.isEmpty()) {
        return bad;
    }
    // Every change records its step, and undo and redo restore one: the history's current
    // entry is always the table as it is.
    if (t.HistoryStep(t.HistoryPosition()).document() != t.SaveToBytes())
        return QStringLiteral("the current history entry differs from the table");
    return QString();
}

}  // namespace

QString Edit(const std::uint8_t* data, std::size_t size)
{
    const std::size_t n = size < 2 ? 0 : std::min<std::size_t>(size - 2, data[0] | (data[1] << 8));
    const std::size_t docStart = std::min<std::size_t>(size, 2 + n);
    Choices in(data + std::min<std::size_t>(size, 2), n);
    const QByteArray doc(reinterpret_cast<const char*>(data + docStart), qsizetype(size - docStart));

    TableCore& t = ReusedTable(0);
    t.TagsLowerCase = false;
    if (!t.LoadFromBytes(doc) && !t.LoadFromBytes(FallbackDocument()))
        return QStringLiteral("the fallback document was refused");
    t.ClearHistory();
    t.AddUndoStep(TUndoStep::Command);
    // A document may break the merged-cell rules in ways the loader lets through (a covered
    // cell no area covers); the operations need not mend those, only never make them.
    bool sound = invariants::Check(t).empty();

    for (int i = 0; i < kMaxOperations && !in.AtEnd(); ++i) {
        const int op = in.Byte() % (kScriptOperations + 2);
        const std::clock_t start = std::clock();
        QByteArray line;
        if (op < kScriptOperations) {
            line = ScriptLine(in, t, op);
            QString error;
            if (!RunScript(t, line, QStringLiteral("edit"), &error) && error.isEmpty())
                return QStringLiteral("\"%1\" failed without a reason").arg(QString::fromUtf8(line));
        } else if (op == kScriptOperations) {
            line = "type";
            Type(t, char('a' + in.Byte() % 26));
        } else {
            line = OpenVariant(in, t, sound);
        }
        const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
        const QString what = QStringLiteral("after \"%1\" (operation %2): ").arg(QString::fromUtf8(line.left(80))).arg(i + 1);
        if (seconds > kMaxSecondsPerOperation)
            return what + QStringLiteral("took %1 s").arg(seconds);
        if (const QString broken = CheckAfter(t, sound); !broken.isEmpty()) return what + broken;
    }
    if (!HTMLPage(t, "edit").endsWith("</HTML>\r\n")) return QStringLiteral("the page is cut short");
    return CheckRoundTrip(t);
}

}  // namespace Fuzz
