// Seeded random operation sequences on the window-free table. After every step the merged-cell
// representation and the current cell must be sound; some operations must also keep every
// text in the table, and insertions must keep the current cell on its text.
//
// A failure prints the seed, the step and the operation; QG_PROPERTY_SEED=<n> replays one
// sequence alone.

#include "core/TableCore.h"
#include "tests/TableInvariants.h"

#include <QHash>
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

namespace {

constexpr int kSequences = 2500;
constexpr int kStepsPerSequence = 40;

class RandomTable {
public:
    explicit RandomTable(unsigned seed) : rng_(seed) {}

    void Start()
    {
        table_.ResetTable();
        // Mostly small tables, where merges meet each other often; some up to the limit.
        const bool large = Chance(5);
        const int limit = large ? kMaxCount : 8;
        table_.SetColCount(Int(1, limit));
        table_.SetRowCount(Int(1, limit));
        // Every cell starts with a text of its own, so that a cell that moves can be traced.
        for (int c = 0; c < table_.ColCount; ++c)
            for (int r = 0; r < table_.RowCount; ++r)
                table_.Cell(c, r).Text = QString("%1,%2").arg(c).arg(r);
        for (int i = Int(0, 6); i > 0; --i)
            table_.MergeCells(Int(0, table_.ColCount - 1), Int(0, table_.RowCount - 1),
                              Int(0, 3), Int(0, 3));
        if (Chance(80)) {
            table_.SelectCell(Int(0, table_.ColCount - 1), Int(0, table_.RowCount - 1));
            table_.ResetSelection();
        }
    }

    // Runs one random operation and returns its description; the checks that depend on
    // the kind of operation are left in `keepsTexts` and `keepsCurrentText`.
    std::string Step(bool& keepsTexts, bool& keepsCurrentText);

    const TableCore& Table() const { return table_; }

private:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    int AnyCol() { return Int(-1, table_.ColCount); }
    int AnyRow() { return Int(-1, table_.RowCount); }
    // Half the time what the commands pass: the current cell, or the one after it.
    int LineNearCurrent(int current, int any)
    {
        return (current >= 0 && Chance(50)) ? current + Int(0, 1) : any;
    }
    int Count() { return Chance(10) ? Int(-3, 130) : Int(0, 10); }
    TCell RandomFormat(TCellFields& fields);

    std::mt19937 rng_;
    TableCore table_;
    int textSerial_ = 0;
};

TCell RandomTable::RandomFormat(TCellFields& fields)
{
    fields = TCellFields(Int(0, 2047));
    TCell cell;
    cell.FontName = Chance(10) ? QByteArray(70, 'f') : QByteArray("Arial");
    cell.FontSize = Int(-1, 7);
    cell.Bold = Chance(50);
    cell.Italic = Chance(50);
    cell.FontColor = Int(0, 0xFFFFFF);
    cell.BgColor = Int(0, 0xFFFFFF);
    cell.VAlign = Int(0, 2);
    cell.HAlign = Int(0, 2);
    cell.Text = "format text";
    cell.ExtraCols = Int(0, 5);
    cell.ExtraRows = Int(0, 5);
    return cell;
}

std::string RandomTable::Step(bool& keepsTexts, bool& keepsCurrentText)
{
    TableCore& t = table_;
    std::ostringstream op;
    keepsTexts = false;
    keepsCurrentText = false;
    const int c = AnyCol(), r = AnyRow();
    const int lineCol = LineNearCurrent(t.SelCol, c), lineRow = LineNearCurrent(t.SelRow, r);
    switch (Int(0, 15)) {
    case 0: { int n = Count(); op << "SetColCount " << n; t.SetColCount(n); break; }
    case 1: { int n = Count(); op << "SetRowCount " << n; t.SetRowCount(n); break; }
    case 2:
        op << "InsertColumn " << lineCol;
        keepsTexts = keepsCurrentText = true;
        t.InsertColumn(lineCol);
        break;
    case 3:
        op << "InsertRow " << lineRow;
        keepsTexts = keepsCurrentText = true;
        t.InsertRow(lineRow);
        break;
    case 4: op << "DeleteColumn " << lineCol; t.DeleteColumn(lineCol); break;
    case 5: op << "DeleteRow " << lineRow; t.DeleteRow(lineRow); break;
    case 6: {
        const int ec = Int(-1, 4), er = Int(-1, 4);
        op << "MergeCells " << c << " " << r << " " << ec << " " << er;
        t.MergeCells(c, r, ec, er);
        break;
    }
    case 7:
        op << "SplitCell " << c << " " << r;
        keepsTexts = true;
        t.SplitCell(c, r);
        break;
    case 8:
        op << "SelectCell+ResetSelection " << c << " " << r;
        keepsTexts = true;
        t.SelectCell(c, r);
        t.ResetSelection();
        break;
    case 9:
        op << "ToggleCellSelection " << c << " " << r;
        keepsTexts = true;
        t.ToggleCellSelection(c, r);
        break;
    case 10:
        op << "SelectRangeTo " << c << " " << r;
        keepsTexts = true;
        t.SelectRangeTo(c, r);
        break;
    case 11: op << "MergeSelection"; t.MergeSelection(); break;
    case 12:
        op << "UnmergeSelection";
        keepsTexts = true;
        t.UnmergeSelection();
        break;
    case 13: {
        TCellFields fields = 0;
        const TCell format = RandomFormat(fields);
        op << "ApplyFormat " << fields;
        keepsTexts = true;
        t.ApplyFormat(format, fields);
        break;
    }
    default: {
        const QString text = QString("t%1").arg(++textSerial_);
        op << "SetCellText " << c << " " << r << " " << text.toStdString();
        t.SetCellText(c, r, text);
        break;
    }
    }
    return op.str();
}

// An order-free fingerprint of the table's non-empty texts: equal before and after an
// operation that neither discards nor invents text.
struct TextFingerprint {
    std::size_t count = 0;
    std::size_t sum = 0;
    bool operator==(const TextFingerprint&) const = default;
};

TextFingerprint Texts(const TableCore& t)
{
    TextFingerprint print;
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            const QString& text = t.Cell(c, r).Text;
            if (text.isEmpty()) continue;
            ++print.count;
            print.sum += qHash(text);
        }
    return print;
}

QString CurrentText(const TableCore& t)
{
    return t.InTable(t.SelCol, t.SelRow) ? t.Cell(t.SelCol, t.SelRow).Text : QString("<none>");
}

// Runs one sequence; returns a failure message or an empty string.
std::string RunSequence(unsigned seed)
{
    RandomTable random(seed);
    random.Start();
    const TableCore& t = random.Table();
    if (std::string failure = invariants::Check(t); !failure.empty())
        return "seed " + std::to_string(seed) + ", set-up: " + failure;

    for (int step = 0; step < kStepsPerSequence; ++step) {
        const TextFingerprint textsBefore = Texts(t);
        const QString currentBefore = CurrentText(t);
        bool keepsTexts = false, keepsCurrentText = false;
        const std::string op = random.Step(keepsTexts, keepsCurrentText);
        const std::string where = "seed " + std::to_string(seed) + ", step " +
                                  std::to_string(step) + " (" + op + "): ";

        if (std::string failure = invariants::Check(t); !failure.empty()) return where + failure;
        if (keepsTexts && Texts(t) != textsBefore) return where + "texts were lost or changed";
        if (keepsCurrentText && CurrentText(t) != currentBefore)
            return where + "current cell left its text \"" + currentBefore.toStdString() +
                   "\" for \"" + CurrentText(t).toStdString() + "\"";
    }
    return {};
}

TEST(TableProperties, RandomOperationSequencesKeepTheTableSound)
{
    if (const char* only = std::getenv("QG_PROPERTY_SEED")) {
        const std::string failure = RunSequence(unsigned(std::strtoul(only, nullptr, 10)));
        EXPECT_EQ(failure, "");
        return;
    }
    int failures = 0;
    for (unsigned seed = 1; seed <= kSequences && failures < 5; ++seed) {
        const std::string failure = RunSequence(seed);
        if (failure.empty()) continue;
        ADD_FAILURE() << failure;
        ++failures;
    }
}

}  // namespace
