#include "core/FindReplace.h"

#include "core/CellText.h"
#include "core/TableCore.h"

#include <QStringMatcher>

#include <algorithm>
#include <vector>

namespace {

// A match in a cell: its source range, found in the source or in the shown text.
struct Hit {
    int start, length;
};

// Where each shown character came from, kept from cell to cell so that a search over the
// table allocates its maps once.
struct SourceMap {
    std::vector<qsizetype> from, to;
    std::vector<Hit> hits;  // the last cell's matches
};

// A literal pattern's places in a text. Most searches are for a short word or one letter,
// found in every cell: one matcher is built for the whole table, and a single character is
// looked for by a plain scan rather than a general search per match.
class LiteralFinder {
public:
    LiteralFinder(const QString& pattern, Qt::CaseSensitivity cs) : matcher_(pattern, cs), size_(pattern.size())
    {
        if (size_ == 1 && (cs == Qt::CaseSensitive || pattern[0].toLower() == pattern[0].toUpper()))
            single_ = pattern[0].unicode();
    }
    qsizetype size() const { return size_; }
    qsizetype indexIn(QStringView text, qsizetype from) const
    {
        if (single_ == 0) return matcher_.indexIn(text, from);
        const char16_t* data = reinterpret_cast<const char16_t*>(text.data());
        for (qsizetype i = from; i < text.size(); ++i)
            if (data[i] == single_) return i;
        return -1;
    }
    template <typename Add>
    void forEach(QStringView text, Add add) const
    {
        for (qsizetype at = indexIn(text, 0); at >= 0; at = indexIn(text, at + size_)) add(at, size_);
    }

private:
    QStringMatcher matcher_;
    qsizetype size_;
    char16_t single_ = 0;
};

// Whether a pattern holds no white space and nothing that markup or a reference is made of.
bool PlainWord(QStringView pattern)
{
    for (const QChar ch : pattern)
        if (ch.isSpace() || ch == u'<' || ch == u'>' || ch == u'&' || ch == u';') return false;
    return true;
}

// The literal's places in the text between the tags of the source.
void LiteralsOutsideTags(QStringView source, const LiteralFinder& literal, std::vector<Hit>& hits)
{
    qsizetype from = 0;
    while (from < source.size()) {
        // The text runs to the next '<' that begins markup.
        qsizetype tag = source.indexOf(u'<', from);
        while (tag >= 0 && MarkupEnd(source, tag) == tag) tag = source.indexOf(u'<', tag + 1);
        const qsizetype end = tag < 0 ? source.size() : tag;
        const QStringView text = source.mid(from, end - from);
        literal.forEach(text, [&](qsizetype at, qsizetype length) { hits.push_back({int(from + at), int(length)}); });
        if (tag < 0) break;
        from = MarkupEnd(source, tag);
    }
}

// Every match in a cell's text, in source positions; matches in the shown text that run across
// markup (their source holds a tag) are left out with `skipAcrossTags`.
const std::vector<Hit>& Matches(const QString& source, const QRegularExpression& expression, const LiteralFinder& finder,
                                const FindOptions& o, bool skipAcrossTags, bool lookFirst, SourceMap& map)
{
    std::vector<Hit>& hits = map.hits;
    hits.clear();
    // Most cells hold plain text, which shows as written: no shown text to make.
    const bool visible = o.visibleText && !ShowsAsWritten(source);
    // A plain literal is found without the expression machinery: most searches are one.
    const bool literal = !o.regularExpression && !o.wholeWords;
    if (!visible && literal) {
        finder.forEach(source, [&](qsizetype at, qsizetype length) { hits.push_back({int(at), int(length)}); });
        return hits;
    }
    // A literal that the source does not hold cannot match there.
    if (!visible && !o.regularExpression && finder.indexIn(source, 0) < 0) return hits;
    if (!visible) {
        for (auto it = expression.globalMatch(source); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (m.capturedLength() > 0) hits.push_back({int(m.capturedStart()), int(m.capturedLength())});
        }
        return hits;
    }
    // A literal without blanks or markup characters, in a cell without references, shows in
    // the text between the tags as it stands in the source; Replace All, which leaves matches
    // across tags alone, finds it there without making the shown text.
    if (skipAcrossTags && literal && PlainWord(o.pattern) && !source.contains(u'&')) {
        LiteralsOutsideTags(source, finder, hits);
        return hits;
    }
    // Searching, the positions are worked out only for a cell the expression matches.
    if (lookFirst && !expression.match(VisibleText(source)).hasMatch()) return hits;
    std::vector<qsizetype>& from = map.from;
    std::vector<qsizetype>& to = map.to;
    const QString shown = VisibleText(source, &from, &to);
    auto add = [&](qsizetype start, qsizetype length) {
        const qsizetype begin = from[std::size_t(start)];
        const qsizetype end = to[std::size_t(start + length - 1)];
        if (skipAcrossTags && QStringView(source).mid(begin, end - begin).contains(u'<')) return;
        hits.push_back({int(begin), int(end - begin)});
    };
    if (literal) {
        finder.forEach(shown, add);
        return hits;
    }
    for (auto it = expression.globalMatch(shown); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength() > 0) add(m.capturedStart(), m.capturedLength());
    }
    return hits;
}

// `source` with each hit replaced by `with`, written once into a string of the final size.
QString Replaced(const QString& source, const std::vector<Hit>& hits, const QString& with)
{
    qsizetype size = source.size();
    for (const Hit& h : hits) size += with.size() - h.length;
    QString out(size, Qt::Uninitialized);
    QChar* to = out.data();
    auto put = [&to](const QChar* from, qsizetype n) {
        std::copy_n(from, n, to);
        to += n;
    };
    qsizetype at = 0;
    for (const Hit& h : hits) {
        put(source.constData() + at, h.start - at);
        put(with.constData(), with.size());
        at = h.start + h.length;
    }
    put(source.constData() + at, source.size() - at);
    return out;
}

// The replacement with \0 .. \9 as the match's groups and \\ as one backslash.
QString ExpandGroups(const QString& replacement, const QRegularExpressionMatch& m)
{
    QString out;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar ch = replacement[i];
        if (ch == u'\\' && i + 1 < replacement.size()) {
            const QChar next = replacement[i + 1];
            if (next.isDigit()) {
                out += m.captured(next.digitValue());
                ++i;
                continue;
            }
            if (next == u'\\') {
                out += u'\\';
                ++i;
                continue;
            }
        }
        out += ch;
    }
    return out;
}

}  // namespace

QRegularExpression FindExpression(const FindOptions& o)
{
    QString pattern = o.regularExpression ? o.pattern : QRegularExpression::escape(o.pattern);
    if (o.wholeWords) pattern = QStringLiteral("\\b(?:") + pattern + QStringLiteral(")\\b");
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!o.matchCase) options |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(pattern, options);
}

std::optional<FindMatch> FindNext(const TableCore& t, const FindOptions& o, int col, int row, int position,
                                  bool backward)
{
    const QRegularExpression expression = FindExpression(o);
    if (o.pattern.isEmpty() || !expression.isValid() || t.ColCount < 1 || t.RowCount < 1) return std::nullopt;
    const int cells = t.ColCount * t.RowCount;
    SourceMap map;
    const LiteralFinder finder(o.pattern, o.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
    const int here = t.InTable(col, row) ? row * t.ColCount + col : (backward ? cells - 1 : 0);
    // The current cell is looked at twice: first after (before) the position, at the end of
    // the round before it (after it).
    for (int step = 0; step <= cells; ++step) {
        const int index = ((backward ? here - step : here + step) % cells + cells) % cells;
        const int c = index % t.ColCount, r = index / t.ColCount;
        if (!t.IsVisibleCell(c, r)) continue;
        const std::vector<Hit>& hits = Matches(t.Cell(c, r).Text, expression, finder, o, false, true, map);
        const bool first = step == 0, last = step == cells;
        const bool wrapped = backward ? index > here || (last && !hits.empty()) : index < here || (last && !hits.empty());
        if (backward) {
            for (auto it = hits.rbegin(); it != hits.rend(); ++it)
                if ((!first || it->start < position) && (!last || it->start >= position))
                    return FindMatch{c, r, it->start, it->length, wrapped};
        } else {
            for (const Hit& h : hits)
                if ((!first || h.start >= position) && (!last || h.start < position))
                    return FindMatch{c, r, h.start, h.length, wrapped};
        }
    }
    return std::nullopt;
}

int ReplaceAll(TableCore& t, const FindOptions& o, const QString& replacement)
{
    const QRegularExpression expression = FindExpression(o);
    if (o.pattern.isEmpty() || !expression.isValid()) return 0;
    int count = 0;
    const QString escaped = EscapeText(replacement);
    SourceMap map;
    const LiteralFinder finder(o.pattern, o.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
    t.BeginUpdate();
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            TCell& cell = t.Cell(c, r);
            if (!cell.Visible) continue;
            const std::vector<Hit>& hits = Matches(cell.Text, expression, finder, o, true, false, map);
            if (hits.empty()) continue;
            QString text;
            if (!o.visibleText) {
                text.reserve(cell.Text.size() + qsizetype(hits.size()) * replacement.size());
                // In the source, \1 and the like stand for the match's groups.
                qsizetype at = 0;
                for (auto it = expression.globalMatch(cell.Text); it.hasNext();) {
                    const QRegularExpressionMatch m = it.next();
                    if (m.capturedLength() == 0) continue;
                    text += QStringView(cell.Text).mid(at, m.capturedStart() - at);
                    text += o.regularExpression ? ExpandGroups(replacement, m) : replacement;
                    at = m.capturedEnd();
                }
                text += QStringView(cell.Text).mid(at);
            } else {
                text = Replaced(cell.Text, hits, escaped);  // the shown text's replacement, as HTML
            }
            cell.Text = text;
            count += int(hits.size());
        }
    if (count > 0) t.SelectCell(t.SelCol, t.SelRow);
    t.EndUpdate();
    return count;
}
