#include "app/Reasons.h"

#include <QRegularExpression>

const std::vector<ReasonText>& KnownReasons()
{
    static const std::vector<ReasonText> reasons = {
        {"whyempty", "empty file"},
        {"whyheader", "cut short inside the header (%1 of %2 bytes)"},
        {"whyversion", "unsupported format version %1"},
        {"whycols", "column count %1 outside 0..%2"},
        {"whyrows", "row count %1 outside 0..%2"},
        {"whyshort", "cut short: a table of %1 columns x %2 rows needs at least %3 bytes, the file has %4"},
        {"whyspan", "negative span in cell (%1, %2)"},
        {"whycovered", "covered cell (%1, %2) carries spans (%3 columns, %4 rows); only the anchor of a merged cell may"},
        {"whyoutside", "merged cell (%1, %2) reaches outside the table"},
        {"whyrecord", "cut short inside the record of cell (%1, %2)"},
        {"whyfont", "font name of cell (%1, %2) is %3 bytes long, more than %4"},
        {"whylength", "negative text length %1 in cell (%2, %3)"},
        {"whyodd", "odd text length %1 in cell (%2, %3)"},
        {"whytext", "text length %1 of cell (%2, %3) runs past the end of the file"},
        {"whylarge", "larger than %1 bytes"},
        {"whyfolder", "cannot open: it is a folder"},
        {"whyopen", "cannot open: %1"},
        {"whynoext", "version 2 document without its extension (%1 bytes after the cells)"},
        {"whyextsize", "the extension says %1 bytes, the file holds %2 after it"},
        {"whyextparts", "unknown parts in the extension (contents %1)"},
        {"whyextleft", "%1 bytes left over at the end of the extension"},
        {"whycutheaders", "the extension is cut short inside the header cells"},
        {"whycutcaption", "the extension is cut short inside the caption"},
        {"whycutwidths", "the extension is cut short inside the column widths"},
        {"whyheaderbits", "a header bit is set past the last cell"},
        {"whycaptionlength", "caption length %1 is not a positive even number"},
        {"whycaptionend", "caption length %1 runs past the end of the file"},
        {"whycaptionnul", "the caption holds a code unit 0"},
        {"whywidth", "width of column %1 is not automatic, 1 to 100 per cent or 1 to %2 pixels (value %3, units %4)"},
        {"whycoveredheader", "covered cell (%1, %2) is marked as a header cell"},
        {"whymoverow", "the merged cell at (%1, %2) spans rows %3 to %4: moving row %5 would cut it"},
        {"whymovecol", "the merged cell at (%1, %2) spans columns %3 to %4: moving column %5 would cut it"},
        {"whysort", "the merged cell at (%1, %2) spans rows %3 to %4: rows inside it cannot be sorted"},
    };
    return reasons;
}

namespace {

// The sentence as a pattern: its %n become captures, everything else matches itself.
QRegularExpression PatternOf(const QString& english)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QString pattern;
    qsizetype at = 0;
    for (QRegularExpressionMatchIterator it = placeholder.globalMatch(english); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        pattern += QRegularExpression::escape(english.mid(at, m.capturedStart() - at)) +
                   QStringLiteral("(.*?)");
        at = m.capturedEnd();
    }
    pattern += QRegularExpression::escape(english.mid(at));
    return QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$'),
                              QRegularExpression::DotMatchesEverythingOption);
}

}  // namespace

QString TranslateReason(const QString& reason, const QHash<QString, QString>& translated)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d)"));
    for (const ReasonText& known : KnownReasons()) {
        const QString english = QString::fromLatin1(known.english);
        const QRegularExpressionMatch match = PatternOf(english).match(reason);
        if (!match.hasMatch()) continue;
        // The captures in the order the English sentence numbers them.
        QHash<QString, QString> values;
        QRegularExpressionMatchIterator numbers = placeholder.globalMatch(english);
        for (int capture = 1; numbers.hasNext(); ++capture)
            values.insert(numbers.next().captured(1), match.captured(capture));
        QString text = translated.value(QLatin1String(known.key), english);
        QString result;
        qsizetype at = 0;
        for (QRegularExpressionMatchIterator it = placeholder.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            result += text.mid(at, m.capturedStart() - at) + values.value(m.captured(1));
            at = m.capturedEnd();
        }
        return result + text.mid(at);
    }
    return reason;
}
