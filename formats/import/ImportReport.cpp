#include "formats/import/ImportReport.h"

#include "core/CellPlace.h"

#include <QStringList>

#include <algorithm>


std::size_t ImportReport::NoteFor(const QString& what, const QString& why)
{
    const std::pair key(what, why);
    if (const auto found = index_.constFind(key); found != index_.constEnd()) return *found;
    index_.insert(key, notes_.size());
    notes_.push_back({what, why, {}});
    places_.emplace_back();
    return notes_.size() - 1;
}

namespace {

constexpr int kSide = 128;
constexpr std::size_t kLookedThrough = 8;

bool InCells(ImportPlace p)
{
    return p.col >= 0 && p.row >= 0 && p.col < kSide && p.row < kSide;
}

qint64 Key(ImportPlace p)
{
    return (qint64(p.col) << 32) ^ quint32(p.row);
}

}  // namespace

bool ImportReport::Seen::Has(ImportPlace p) const
{
    if (!InCells(p)) return others.contains(Key(p));
    const int bit = p.col * kSide + p.row;
    return (cells[std::size_t(bit / 64)] >> (bit % 64)) & 1u;
}

void ImportReport::Seen::Insert(ImportPlace p)
{
    if (!InCells(p)) {
        others.insert(Key(p));
        return;
    }
    if (cells.empty()) cells.assign(kSide * kSide / 64, 0);
    const int bit = p.col * kSide + p.row;
    cells[std::size_t(bit / 64)] |= quint64(1) << (bit % 64);
}

bool ImportReport::Has(std::size_t note, ImportPlace place) const
{
    const std::vector<ImportPlace>& where = notes_[note].where;
    if (where.size() <= kLookedThrough) return std::find(where.begin(), where.end(), place) != where.end();
    return places_[note].Has(place);
}

void ImportReport::Add(ImportPlace where, const QString& what, const QString& why)
{
    const std::size_t note = NoteFor(what, why);
    if (Has(note, where)) return;
    std::vector<ImportPlace>& places = notes_[note].where;
    places.push_back(where);
    // Past a few places, they are found through the bits.
    if (places.size() == kLookedThrough + 1)
        for (const ImportPlace& p : places) places_[note].Insert(p);
    else if (places.size() > kLookedThrough + 1)
        places_[note].Insert(where);
}

void ImportReport::Append(ImportReport&& other)
{
    if (notes_.empty()) {
        *this = std::move(other);
        return;
    }
    for (std::size_t i = 0; i < other.notes_.size(); ++i) {
        ImportNote& note = other.notes_[i];
        const std::pair key(note.what, note.why);
        if (!index_.contains(key)) {
            index_.insert(key, notes_.size());
            notes_.push_back(std::move(note));
            places_.push_back(std::move(other.places_[i]));
            continue;
        }
        for (const ImportPlace& place : note.where) Add(place, note.what, note.why);
    }
}

QString DescribePlace(const ImportPlace& place)
{
    if (place.isTable()) return QStringLiteral("table");
    return CellPlaceName(place.col, place.row);
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
