#include "core/Script.h"

#include "core/DocumentFormat.h"
#include "core/FindReplace.h"
#include "core/Sorting.h"
#include "core/TableCore.h"
#include "core/TableEdit.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <optional>

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

// Reads the words of one line from left to right.
class LineReader {
public:
    explicit LineReader(const QByteArray& line) : line_(line) {}

    QByteArray Word()
    {
        SkipBlanks();
        const qsizetype start = pos_;
        while (pos_ < line_.size() && !IsBlank(line_[pos_])) ++pos_;
        return line_.mid(start, pos_ - start);
    }
    bool AtEnd()
    {
        SkipBlanks();
        return pos_ >= line_.size();
    }
    // The rest of the line after the one blank that separates it from the last word, so that
    // a text may itself begin with blanks.
    QByteArray Rest()
    {
        if (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
        return line_.mid(pos_);
    }

private:
    void SkipBlanks()
    {
        while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
    }
    QByteArray line_;
    qsizetype pos_ = 0;
};

// Empty when the line was carried out, otherwise the reason it was not.
using Outcome = QString;

std::optional<int> ParseInt(const QByteArray& word)
{
    qsizetype i = 0;
    const bool negative = !word.isEmpty() && word[0] == '-';
    if (negative) ++i;
    if (i >= word.size()) return std::nullopt;
    qint64 value = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9') return std::nullopt;
        value = value * 10 + (word[i] - '0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    return int(value);
}

Outcome NotANumber(const QByteArray& word)
{
    return word.isEmpty() ? QStringLiteral("a number is missing")
                          : QStringLiteral("\"%1\" is not a number").arg(QString::fromUtf8(word));
}

// Reads count numbers, the line going on after them.
Outcome ReadSome(LineReader& in, int count, int* out)
{
    for (int i = 0; i < count; ++i) {
        const QByteArray word = in.Word();
        const std::optional<int> value = ParseInt(word);
        if (!value) return NotANumber(word);
        out[i] = *value;
    }
    return {};
}

// Reads exactly count numbers that end the line.
Outcome ReadNumbers(LineReader& in, int count, int* out)
{
    if (Outcome bad = ReadSome(in, count, out); !bad.isEmpty()) return bad;
    if (!in.AtEnd()) return QStringLiteral("unexpected \"%1\" after the arguments").arg(QString::fromUtf8(in.Word()));
    return {};
}

using Action = std::function<Outcome(TableCore&, const int*)>;

// Operations whose arguments are a fixed number of integers. An edit records one undo step,
// as the window's command does; selecting and the history's own moves record none.
struct NumericOp {
    int count;
    bool edit;
    Action run;
};

// Wraps an operation that cannot fail.
template <typename Operation>
Action Always(Operation operation)
{
    return [operation](TableCore& t, const int* a) {
        operation(t, a);
        return Outcome();
    };
}

// A count the table can hold; more is an error rather than silently less.
Outcome SetCount(TableCore& t, const char* what, int n, void (TableCore::*set)(int))
{
    if (n < 0 || n > kMaxCount) return QStringLiteral("%1 must be from 0 to %2").arg(QLatin1String(what)).arg(kMaxCount);
    (t.*set)(n);
    return {};
}

Outcome Full(const char* what)
{
    return QStringLiteral("the table already has the most %1 it can hold (%2)").arg(QLatin1String(what)).arg(kMaxCount);
}

// A range of rows or columns inside the table, first to last.
Outcome Lines(int first, int last, int count, const char* what)
{
    if (first < 0 || last < first || last >= count)
        return QStringLiteral("%1 %2 to %3 are not rows or columns of the table").arg(QLatin1String(what)).arg(first).arg(last);
    return {};
}

Outcome MoveInHistory(TableCore& t, bool undo)
{
    if (undo ? !t.CanUndo() : !t.CanRedo())
        return undo ? QStringLiteral("nothing to undo") : QStringLiteral("nothing to redo");
    if (undo) t.Undo();
    else t.Redo();
    return {};
}

const std::map<QByteArray, NumericOp>& NumericOps()
{
    static const std::map<QByteArray, NumericOp> ops = {
        {"cols", {1, true, [](TableCore& t, const int* a) { return SetCount(t, "cols", a[0], &TableCore::SetColCount); }}},
        {"rows", {1, true, [](TableCore& t, const int* a) { return SetCount(t, "rows", a[0], &TableCore::SetRowCount); }}},
        {"insert-col", {1, true, [](TableCore& t, const int* a) {
                            if (t.ColCount >= kMaxCount) return Full("columns");
                            t.InsertColumn(a[0]);
                            return Outcome();
                        }}},
        {"insert-row", {1, true, [](TableCore& t, const int* a) {
                            if (t.RowCount >= kMaxCount) return Full("rows");
                            t.InsertRow(a[0]);
                            return Outcome();
                        }}},
        {"delete-col", {1, true, Always([](TableCore& t, const int* a) { t.DeleteColumn(a[0]); })}},
        {"delete-row", {1, true, Always([](TableCore& t, const int* a) { t.DeleteRow(a[0]); })}},
        {"merge", {4, true, Always([](TableCore& t, const int* a) { t.MergeCells(a[0], a[1], a[2], a[3]); })}},
        {"split", {2, true, Always([](TableCore& t, const int* a) { t.SplitCell(a[0], a[1]); })}},
        {"select", {2, false, Always([](TableCore& t, const int* a) {
                        t.SelectCell(a[0], a[1]);
                        t.ResetSelection();
                    })}},
        {"ctrl-click", {2, false, Always([](TableCore& t, const int* a) { t.ToggleCellSelection(a[0], a[1]); })}},
        {"shift-click", {2, false, Always([](TableCore& t, const int* a) { t.SelectRangeTo(a[0], a[1]); })}},
        {"merge-selection", {0, true, Always([](TableCore& t, const int*) { t.MergeSelection(); })}},
        {"unmerge-selection", {0, true, Always([](TableCore& t, const int*) { t.UnmergeSelection(); })}},
        {"header-rows", {3, true, [](TableCore& t, const int* a) {
                             if (Outcome bad = Lines(a[0], a[1], t.RowCount, "rows"); !bad.isEmpty()) return bad;
                             t.SetHeaderRows(a[0], a[1], a[2] != 0);
                             return Outcome();
                         }}},
        {"header-cols", {3, true, [](TableCore& t, const int* a) {
                             if (Outcome bad = Lines(a[0], a[1], t.ColCount, "columns"); !bad.isEmpty()) return bad;
                             t.SetHeaderColumns(a[0], a[1], a[2] != 0);
                             return Outcome();
                         }}},
        {"width", {3, true, [](TableCore& t, const int* a) {
                       if (a[0] < 0 || a[0] >= t.ColCount) return QStringLiteral("column %1 is outside the table").arg(a[0]);
                       const TSizeSpec width{a[1], std::uint8_t(std::clamp(a[2], 0, 255))};
                       if (a[2] < 0 || a[2] > 2 || !DocumentFormat::ValidWidth(width))
                           return QStringLiteral("a width is 0 0 (automatic), 1 to 100 per cent (units 1) or 1 to %1 pixels (units 2)")
                               .arg(DocumentFormat::kMaxColumnPixels);
                       t.SetColWidth(a[0], width);
                       return Outcome();
                   }}},
        {"move-row", {2, true, [](TableCore& t, const int* a) { return t.MoveRow(a[0], a[1]); }}},
        {"move-col", {2, true, [](TableCore& t, const int* a) { return t.MoveColumn(a[0], a[1]); }}},
        {"transpose", {0, true, Always([](TableCore& t, const int*) { t.Transpose(); })}},
        {"undo", {0, false, [](TableCore& t, const int*) { return MoveInHistory(t, true); }}},
        {"redo", {0, false, [](TableCore& t, const int*) { return MoveInHistory(t, false); }}},
    };
    return ops;
}

// Runs a line that changes the table as one edit: one undo step, none when the line failed.
Outcome AsEdit(TableCore& table, const std::function<Outcome()>& line)
{
    TableEdit edit(table);
    Outcome outcome = line();
    if (!outcome.isEmpty()) edit.discard();
    return outcome;
}

struct FormatField {
    const char* name;
    TCellFields bit;
    qint64 low, high;
    void (*set)(TCell&, int);
};

constexpr qint64 kAnyLow = std::numeric_limits<int>::min(), kAnyHigh = std::numeric_limits<int>::max();

const FormatField kFormatFields[] = {
    {"size", cfFontSize, -1, 7, [](TCell& c, int v) { c.FontSize = v; }},
    {"bold", cfBold, 0, 1, [](TCell& c, int v) { c.Bold = v != 0; }},
    {"italic", cfItalic, 0, 1, [](TCell& c, int v) { c.Italic = v != 0; }},
    {"color", cfFontColor, kAnyLow, kAnyHigh, [](TCell& c, int v) { c.FontColor = v; }},
    {"bg", cfBgColor, kAnyLow, kAnyHigh, [](TCell& c, int v) { c.BgColor = v; }},
    {"valign", cfVAlign, 0, 2, [](TCell& c, int v) { c.VAlign = v; }},
    {"halign", cfHAlign, 0, 2, [](TCell& c, int v) { c.HAlign = v; }},
    {"header", cfHeader, 0, 1, [](TCell& c, int v) { c.Header = v != 0; }},
};

Outcome SetFormatField(const QByteArray& name, int value, TCell& cell, TCellFields& fields)
{
    for (const FormatField& field : kFormatFields) {
        if (name != field.name) continue;
        if (value < field.low || value > field.high)
            return QStringLiteral("%1 must be from %2 to %3")
                .arg(QString::fromUtf8(name), QString::number(field.low), QString::number(field.high));
        field.set(cell, value);
        fields |= field.bit;
        return {};
    }
    return QStringLiteral("unknown format field \"%1\"").arg(QString::fromUtf8(name));
}

Outcome RunFormat(TableCore& table, LineReader& in)
{
    TCell cell;
    TCellFields fields = 0;
    while (!in.AtEnd()) {
        const QByteArray item = in.Word();
        const qsizetype eq = item.indexOf('=');
        if (eq <= 0) return QStringLiteral("expected NAME=VALUE, not \"%1\"").arg(QString::fromUtf8(item));
        const std::optional<int> value = ParseInt(item.mid(eq + 1));
        if (!value) return NotANumber(item.mid(eq + 1));
        if (Outcome bad = SetFormatField(item.left(eq), *value, cell, fields); !bad.isEmpty()) return bad;
    }
    if (fields == 0) return QStringLiteral("format needs at least one NAME=VALUE");
    table.ApplyFormat(cell, fields);
    return {};
}

Outcome RunFont(TableCore& table, LineReader& in)
{
    const QByteArray name = in.Rest().trimmed();
    if (name.isEmpty()) return QStringLiteral("font needs a name");
    TCell cell;
    cell.FontName = ClampFontName(name);
    table.ApplyFormat(cell, cfFontName);
    return {};
}

// \n stands for CR LF and \\ for one backslash; any other backslash is an error.
std::optional<QByteArray> Unescape(const QByteArray& raw)
{
    QByteArray out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (++i >= raw.size()) return std::nullopt;
        if (raw[i] == 'n') out += "\r\n";
        else if (raw[i] == '\\') out += '\\';
        else return std::nullopt;
    }
    return out;
}

Outcome RunText(TableCore& table, LineReader& in)
{
    int pos[2];
    for (int& p : pos) {
        const QByteArray word = in.Word();
        const std::optional<int> value = ParseInt(word);
        if (!value) return NotANumber(word);
        p = *value;
    }
    const std::optional<QByteArray> text = Unescape(in.Rest());
    if (!text) return QStringLiteral("a backslash must be followed by n or another backslash");
    if (!table.InTable(pos[0], pos[1]))
        return QStringLiteral("cell (%1, %2) is outside the table").arg(pos[0]).arg(pos[1]);
    if (!table.SetCellText(pos[0], pos[1], QString::fromUtf8(*text)))
        return QStringLiteral("cell (%1, %2) is covered by a merged cell").arg(pos[0]).arg(pos[1]);
    return {};
}

// sort R1 R2 C a|d [C a|d]: rows R1..R2 (-1 -1: all) by one or two columns.
Outcome RunSort(TableCore& table, LineReader& in)
{
    int rows[2];
    if (Outcome bad = ReadSome(in, 2, rows); !bad.isEmpty()) return bad;
    std::vector<SortKey> keys;
    while (!in.AtEnd() && keys.size() < 2) {
        int col;
        if (Outcome bad = ReadSome(in, 1, &col); !bad.isEmpty()) return bad;
        const QByteArray order = in.Word();
        if (order != "a" && order != "d") return QStringLiteral("the order is a (ascending) or d (descending), not \"%1\"").arg(QString::fromUtf8(order));
        keys.push_back({col, order == "a"});
    }
    if (keys.empty()) return QStringLiteral("sort needs a column and an order");
    if (!in.AtEnd()) return QStringLiteral("sort takes at most two columns");
    return SortRows(table, rows[0], rows[1], keys, SortCollator(QStringLiteral("en")));
}

// replace FLAGS /FIND/REPLACEMENT/: FLAGS are letters (c match case, w whole words, r regular
// expression, s the HTML source instead of the shown text) or -; the first character after
// them is the delimiter.
Outcome RunReplace(TableCore& table, LineReader& in)
{
    const QByteArray flags = in.Word();
    const QString rest = QString::fromUtf8(in.Rest());
    FindOptions options;
    for (const char flag : flags) {
        if (flag == 'c') options.matchCase = true;
        else if (flag == 'w') options.wholeWords = true;
        else if (flag == 'r') options.regularExpression = true;
        else if (flag == 's') options.visibleText = false;
        else if (flag != '-') return QStringLiteral("unknown replace flag \"%1\"").arg(QLatin1Char(flag));
    }
    if (rest.size() < 3) return QStringLiteral("replace needs /FIND/REPLACEMENT/");
    const QStringList parts = rest.mid(1).split(rest[0]);
    if (parts.size() != 3 || !parts[2].isEmpty() || parts[0].isEmpty())
        return QStringLiteral("replace needs /FIND/REPLACEMENT/ with the same delimiter three times");
    options.pattern = parts[0];
    const QRegularExpression expression = FindExpression(options);
    if (!expression.isValid()) return QStringLiteral("bad expression: %1").arg(expression.errorString());
    ReplaceAll(table, options, parts[1]);
    return {};
}

Outcome RunCaption(TableCore& table, LineReader& in)
{
    const std::optional<QByteArray> text = Unescape(in.Rest());
    if (!text) return QStringLiteral("a backslash must be followed by n or another backslash");
    table.SetCaption(QString::fromUtf8(*text));
    return {};
}

Outcome RunLine(TableCore& table, const QByteArray& line)
{
    LineReader in(line);
    const QByteArray op = in.Word();
    if (const auto it = NumericOps().find(op); it != NumericOps().end()) {
        const NumericOp& numeric = it->second;
        int args[4] = {};
        if (Outcome bad = ReadNumbers(in, numeric.count, args); !bad.isEmpty()) return bad;
        if (!numeric.edit) return numeric.run(table, args);
        return AsEdit(table, [&] { return numeric.run(table, args); });
    }
    if (op == "format") return AsEdit(table, [&] { return RunFormat(table, in); });
    if (op == "font") return AsEdit(table, [&] { return RunFont(table, in); });
    if (op == "text") return AsEdit(table, [&] { return RunText(table, in); });
    if (op == "caption") return AsEdit(table, [&] { return RunCaption(table, in); });
    if (op == "sort") return AsEdit(table, [&] { return RunSort(table, in); });
    if (op == "replace") return AsEdit(table, [&] { return RunReplace(table, in); });
    return QStringLiteral("unknown operation \"%1\"").arg(QString::fromUtf8(op));
}

}  // namespace

const char kScriptHelp[] =
    "Script lines: one operation a line; blank lines and lines starting with # are skipped.\n"
    "Numbers are decimal and may be negative; columns and rows count from 0. The first line\n"
    "that fails stops the script with its line number.\n"
    "  cols N | rows N          the number of columns (rows), 0 to 127\n"
    "  insert-col P | insert-row P\n"
    "                           a new column (row) before P; P at or past the end appends\n"
    "  delete-col D | delete-row D\n"
    "                           delete column (row) D; a table keeps at least one\n"
    "  merge C R EXTRACOLS EXTRAROWS\n"
    "                           merge (C, R) with the cells right of and below it, taking in\n"
    "                           every merged cell it touches; extras 0 split it\n"
    "  split C R                split the merged cell anchored at (C, R)\n"
    "  select C R               make (C, R) the current cell, the only one selected\n"
    "  ctrl-click C R           add (C, R) to the selected cells or take it out\n"
    "  shift-click C R          select the rectangle from the current cell to (C, R)\n"
    "  merge-selection          merge the selected cells into one\n"
    "  unmerge-selection        split every selected merged cell\n"
    "  format NAME=VALUE...     format the selected cells: size (-1 to 7), bold and italic\n"
    "                           (0 or 1), color and bg (colour numbers, 0x00BBGGRR written in\n"
    "                           decimal), valign (0 top, 1 middle, 2 bottom), halign (0 left,\n"
    "                           1 centre, 2 right), header (0 or 1: a header cell)\n"
    "  font NAME                the font of the selected cells: the rest of the line\n"
    "  text C R STRING          the text of cell (C, R): the rest of the line after one blank;\n"
    "                           \\n is a line break, \\\\ one backslash\n"
    "  header-rows R1 R2 ON | header-cols C1 C2 ON\n"
    "                           the cells of rows (columns) R1 to R2 become header cells (ON 1)\n"
    "                           or plain ones (ON 0)\n"
    "  caption STRING           the table's caption, HTML like a cell's text (empty: none)\n"
    "  width C VALUE UNITS      the width of column C: 0 0 automatic, N 1 N per cent of the\n"
    "                           table, N 2 N pixels\n"
    "  move-row R D | move-col C D\n"
    "                           swap row R (column C) with the one D (-1 or 1) away, refused\n"
    "                           when that would cut a merged cell\n"
    "  transpose                rows become columns and columns rows\n"
    "  sort R1 R2 C a|d [C a|d] sort rows R1 to R2 (-1 -1: all) by column C, ascending (a) or\n"
    "                           descending (d), then by a second column; numbers as numbers,\n"
    "                           texts as shown, header rows at the top staying\n"
    "  replace FLAGS /FIND/WITH/\n"
    "                           replace every match in the cells; FLAGS: c match case, w whole\n"
    "                           words, r regular expression, s in the HTML source (else in the\n"
    "                           shown text), - none\n"
    "  undo | redo              what Undo and Redo do in the editor, on the same history: each\n"
    "                           line that changes the table is one step, and the last 10 steps\n"
    "                           are kept\n";

bool RunScript(TableCore& table, const QByteArray& script, const QString& scriptName, QString* error)
{
    const QList<QByteArray> lines = script.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r')) line.chop(1);
        const QByteArray content = line.trimmed();
        if (content.isEmpty() || content.startsWith('#')) continue;
        const Outcome bad = RunLine(table, line);
        if (!bad.isEmpty()) {
            if (error) *error = QStringLiteral("%1:%2: %3").arg(scriptName, QString::number(i + 1), bad);
            return false;
        }
    }
    return true;
}
