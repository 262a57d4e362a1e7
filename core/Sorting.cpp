#include "core/Sorting.h"

#include "core/CellText.h"
#include "core/TableCore.h"

#include <QLocale>

#include <algorithm>
#include <numeric>
#include <optional>

namespace {

// A value as a number when it reads as one: C's notation, or the collation's language's
// (1,5 in German), thousands separators allowed there.
std::optional<double> AsNumber(const QString& text, const QLocale& locale)
{
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    double value = text.toDouble(&ok);
    if (ok) return value;
    value = locale.toDouble(text, &ok);
    if (ok) return value;
    return std::nullopt;
}

struct RowKey {
    QString text;
    std::optional<double> number;
};

// -1, 0 or 1 as a sorts before, with or after b; empty values go last whatever the order.
int Compare(const RowKey& a, const RowKey& b, bool ascending, const QCollator& collator)
{
    if (a.text.isEmpty() || b.text.isEmpty()) return a.text.isEmpty() == b.text.isEmpty() ? 0 : a.text.isEmpty() ? 1 : -1;
    int order = 0;
    if (a.number && b.number) order = *a.number < *b.number ? -1 : *a.number > *b.number ? 1 : 0;
    else order = collator.compare(a.text, b.text);
    order = order < 0 ? -1 : order > 0 ? 1 : 0;
    return ascending ? order : -order;
}

}  // namespace

QCollator SortCollator(const QString& language)
{
    QCollator collator{QLocale(language)};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

QString SortRows(TableCore& t, int first, int last, const std::vector<SortKey>& keys, const QCollator& collator)
{
    if (last < 0) {
        first = 0;
        last = t.RowCount - 1;
    }
    first = std::max(first, 0);
    last = std::min(last, t.RowCount - 1);
    if (keys.empty()) return QStringLiteral("sort needs a column");
    for (const SortKey& key : keys)
        if (key.col < 0 || key.col >= t.ColCount) return QStringLiteral("column %1 is outside the table").arg(key.col);
    // Header rows at the top of the range stay where they are.
    while (first <= last && t.IsHeaderRow(first)) ++first;
    if (last - first < 1) return {};
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            const TCell& cell = t.Cell(c, r);
            if (cell.Visible && cell.ExtraRows > 0 && r <= last && t.AreaLastRow(c, r) >= first)
                return QStringLiteral("the merged cell at (%1, %2) spans rows %3 to %4: rows inside it cannot be sorted")
                    .arg(c).arg(r).arg(r).arg(t.AreaLastRow(c, r));
        }

    const QLocale locale = collator.locale();
    const int n = last - first + 1;
    std::vector<std::vector<RowKey>> values(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        for (const SortKey& key : keys) {
            // A column a merged cell covers in this row sorts by the merged cell's text.
            int c = key.col;
            while (c > 0 && !t.Cell(c, first + i).Visible) --c;
            const QString text = VisibleText(t.Cell(c, first + i).Text);
            values[std::size_t(i)].push_back({text, AsNumber(text, locale)});
        }
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const int by = Compare(values[std::size_t(a)][k], values[std::size_t(b)][k], keys[k].ascending, collator);
            if (by != 0) return by < 0;
        }
        return false;
    });
    if (std::is_sorted(order.begin(), order.end())) return {};

    t.BeginUpdate();
    std::vector<TCell> rows;
    rows.reserve(std::size_t(n) * std::size_t(t.ColCount));
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < t.ColCount; ++c) rows.push_back(t.Cell(c, first + order[std::size_t(i)]));
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < t.ColCount; ++c) {
            TCell& target = t.Cell(c, first + i);
            const TRect rect = target.Rect;
            target = rows[std::size_t(i) * std::size_t(t.ColCount) + std::size_t(c)];
            target.Rect = rect;
        }
    t.SelectCell(t.SelCol, t.SelRow);
    t.ResetSelection();
    t.EndUpdate();
    return {};
}
