#include "formats/import/Csv.h"

#include "core/TableCore.h"
#include "core/UTF8.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <tuple>

namespace {

using Record = QStringList;

// Splits the text into records of fields; a blank line is a record without fields. A quote
// opens a quoted field only at a field's start; after its closing quote, stray characters join
// the field as text, as spreadsheets read them. CR LF, LF and a lone CR all end a record;
// inside quotes they are part of the field, as written.
class CsvReader {
public:
    CsvReader(const QString& text, QChar separator) : text_(text), sep_(separator) {}

    std::vector<Record> Read()
    {
        std::vector<Record> records;
        while (pos_ < text_.size()) records.push_back(ReadRecord());
        return records;
    }
    bool UnclosedQuote() const { return unclosed_; }

private:
    const QString& text_;
    QChar sep_;
    qsizetype pos_ = 0;
    bool unclosed_ = false;

    bool AtEnd() const { return pos_ >= text_.size(); }
    QChar Peek() const { return text_[pos_]; }

    // Past CR LF, LF or CR; true when one was there.
    bool SkipLineEnd()
    {
        if (AtEnd()) return false;
        if (Peek() == u'\r') {
            ++pos_;
            if (!AtEnd() && Peek() == u'\n') ++pos_;
            return true;
        }
        if (Peek() == u'\n') {
            ++pos_;
            return true;
        }
        return false;
    }

    void ReadQuoted(QString& field)
    {
        ++pos_;  // the opening quote
        while (!AtEnd()) {
            const QChar ch = Peek();
            if (ch == u'"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == u'"') {
                    field += u'"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return;
            }
            field += ch;
            ++pos_;
        }
        unclosed_ = true;
    }

    Record ReadRecord()
    {
        Record record;
        QString field;
        bool fieldStart = true, quoted = false;
        while (!AtEnd()) {
            const QChar ch = Peek();
            if (fieldStart && ch == u'"') {
                ReadQuoted(field);
                fieldStart = false;
                quoted = true;
            } else if (ch == sep_) {
                record << field;
                field.clear();
                fieldStart = true;
                ++pos_;
            } else if (SkipLineEnd()) {
                break;
            } else {
                field += ch;
                fieldStart = false;
                ++pos_;
            }
        }
        // A blank line is a record without fields; "" is one empty field.
        if (record.isEmpty() && field.isEmpty() && !quoted) return record;
        record << field;
        return record;
    }
};

// The text of the file: UTF-16 (either order) or UTF-8 after a byte-order mark; without one,
// UTF-8 when the bytes are valid UTF-8 and Windows-1252 otherwise.
QString DecodeText(const QByteArray& bytes, ImportReport& report)
{
    QByteArrayView view(bytes);
    const bool littleEndian = view.startsWith("\xFF\xFE");
    if (littleEndian || view.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        QString text = utf16(view.sliced(2));
        if (utf16.hasError())
            report.AddToTable(QStringLiteral("the text"), QStringLiteral("not valid UTF-16: read with U+FFFD in place of the faults"));
        return text;
    }
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (!utf8.hasError()) return text;
    report.AddToTable(QStringLiteral("the text"), QStringLiteral("read as Windows-1252: it is not UTF-8"));
    return Windows1252ToString(view);
}

// A cell's text ends at a NUL when the document is read back: each becomes U+FFFD, and the
// report says so.
void ReplaceNulCharacters(QString& text, ImportReport& report)
{
    const qsizetype count = text.count(QChar(0));
    if (count == 0) return;
    text.replace(QChar(0), QChar(QChar::ReplacementCharacter));
    report.AddToTable(QStringLiteral("%1 NUL character%2").arg(count).arg(count == 1 ? "" : "s"),
                      QStringLiteral("replaced by U+FFFD"));
}

// ---- Choosing the separator ----------------------------------------------------------------

constexpr std::array<char16_t, 3> kSeparators = {u',', u';', u'\t'};
constexpr qsizetype kSniffedRecords = 50;

// How many of each separator the first records hold outside quoted fields. A quote opens a
// field at the start of a line or after any of the separators (blanks between allowed), so
// that the quoting is read the same way whichever separator the file turns out to use; a
// record ends only at a line end outside quotes.
std::vector<std::array<int, 3>> SeparatorCounts(const QString& text)
{
    std::vector<std::array<int, 3>> records;
    std::array<int, 3> counts{};
    bool inQuotes = false, fieldStart = true, any = false;
    for (qsizetype i = 0; i < text.size() && qsizetype(records.size()) < kSniffedRecords; ++i) {
        const QChar ch = text[i];
        if (inQuotes) {
            if (ch != u'"') continue;
            if (i + 1 < text.size() && text[i + 1] == u'"') ++i;
            else inQuotes = false;
            continue;
        }
        if (ch == u'\r' || ch == u'\n') {
            if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            if (any) records.push_back(counts);
            counts = {};
            fieldStart = true;
            any = false;
            continue;
        }
        any = true;
        const auto sep = std::find(kSeparators.begin(), kSeparators.end(), ch.unicode());
        if (sep != kSeparators.end()) {
            ++counts[std::size_t(sep - kSeparators.begin())];
            fieldStart = true;
        } else if (ch == u'"' && fieldStart) {
            inQuotes = true;
        } else if (ch != u' ') {
            fieldStart = false;
        }
    }
    if (any && qsizetype(records.size()) < kSniffedRecords) records.push_back(counts);
    return records;
}

// The separator that splits the first records into the same number of fields, more than one:
// of those, the one that agrees with the first record most often, then the one giving more
// fields, then comma before semicolon before tab.
QChar SniffSeparator(const QString& text)
{
    const std::vector<std::array<int, 3>> records = SeparatorCounts(text);
    QChar best = u',';
    if (records.empty()) return best;
    std::tuple<qsizetype, int> bestScore{-1, 0};
    for (std::size_t s = 0; s < kSeparators.size(); ++s) {
        const int fields = records.front()[s];
        if (fields == 0) continue;
        const qsizetype agree = std::count_if(records.begin(), records.end(),
                                              [&](const std::array<int, 3>& r) { return r[s] == fields; });
        if (std::tuple(agree, fields) > bestScore) {
            best = kSeparators[s];
            bestScore = {agree, fields};
        }
    }
    return best;
}

// ---- Fields into cells -------------------------------------------------------------------------

// Data into cell text: HTML's own characters escaped, every line end as the cells break lines.
QString PlainCellText(const QString& field)
{
    QString text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar ch = field[i];
        if (ch == u'&') text += QStringLiteral("&amp;");
        else if (ch == u'<') text += QStringLiteral("&lt;");
        else if (ch == u'>') text += QStringLiteral("&gt;");
        else if (ch == u'\r' || ch == u'\n') {
            if (ch == u'\r' && i + 1 < field.size() && field[i + 1] == u'\n') ++i;
            text += QStringLiteral("\r\n");
        } else text += ch;
    }
    return text;
}

void DropTrailingEmptyRecords(std::vector<Record>& records)
{
    while (!records.empty() && records.back().isEmpty())
        records.pop_back();
}

}  // namespace

HtmlImportResult Csv::Import(const QByteArray& bytes, QChar separator, Csv::Fields fields)
{
    HtmlImportResult result;
    if (bytes.size() > kMaxFileSize) {
        result.error = QStringLiteral("the file is larger than %1 MB").arg(kMaxFileSize >> 20);
        return result;
    }
    ImportReport& report = result.report;
    QString text = DecodeText(bytes, report);
    ReplaceNulCharacters(text, report);
    CsvReader reader(text, separator.isNull() ? SniffSeparator(text) : separator);
    std::vector<Record> records = reader.Read();
    DropTrailingEmptyRecords(records);
    if (records.empty()) {
        result.error = QStringLiteral("the file holds no data");
        result.report = {};
        return result;
    }
    qsizetype width = 0;
    for (const Record& r : records) width = std::max(width, r.size());

    if (reader.UnclosedQuote())
        report.AddToTable(QStringLiteral("the last field"), QStringLiteral("a quote is not closed; the field runs to the end"));
    if (qsizetype(records.size()) > kMaxCount)
        report.AddToTable(QStringLiteral("rows %1 to %2").arg(kMaxCount + 1).arg(records.size()),
                          QStringLiteral("a table holds at most %1 rows").arg(kMaxCount));
    if (width > kMaxCount)
        report.AddToTable(QStringLiteral("columns %1 to %2").arg(kMaxCount + 1).arg(width),
                          QStringLiteral("a table holds at most %1 columns").arg(kMaxCount));

    TableCore table;
    table.ResetTable();
    table.SetColCount(int(std::min<qsizetype>(width, kMaxCount)));
    table.SetRowCount(int(std::min<qsizetype>(qsizetype(records.size()), kMaxCount)));
    for (int r = 0; r < table.RowCount; ++r)
        for (int c = 0; c < table.ColCount && c < records[std::size_t(r)].size(); ++c) {
            const QString& field = records[std::size_t(r)][c];
            table.SetCellText(c, r, fields == Fields::PlainText ? PlainCellText(field) : field);
        }
    result.imported = true;
    result.cols = table.ColCount;
    result.rows = table.RowCount;
    result.document = table.SaveToBytes();
    return result;
}

bool Csv::IsCsvFileName(const QString& path)
{
    for (const char* extension : {".csv", ".tsv", ".txt"})
        if (path.endsWith(QLatin1String(extension), Qt::CaseInsensitive)) return true;
    return false;
}
