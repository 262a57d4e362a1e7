#include "formats/import/ImportReport.h"

#include <QStringList>

#include <algorithm>

void ImportReport::Add(ImportPlace where, const QString& what, const QString& why)
{
    const QString key = what + QChar(0) + why;
    const auto found = index_.constFind(key);
    if (found == index_.constEnd()) {
        index_.insert(key, notes_.size());
        notes_.push_back({what, why, {where}});
        return;
    }
    std::vector<ImportPlace>& places = notes_[*found].where;
    if (std::find(places.begin(), places.end(), where) == places.end()) places.push_back(where);
}

QString DescribePlace(const ImportPlace& place)
{
    if (place.isTable()) return QStringLiteral("table");
    return QStringLiteral("cell (%1, %2)").arg(place.col).arg(place.row);
}

QString DescribeNote(const ImportNote& note)
{
    constexpr std::size_t kShown = 4;
    QStringList places;
    for (std::size_t i = 0; i < note.where.size() && i < kShown; ++i) places << DescribePlace(note.where[i]);
    QString where = places.join(QStringLiteral(", "));
    if (note.where.size() > kShown) where += QStringLiteral(" and %1 more").arg(note.where.size() - kShown);
    return QStringLiteral("%1: %2: %3").arg(where, note.what, note.why);
}
