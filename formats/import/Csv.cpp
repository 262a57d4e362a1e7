#include "formats/import/Csv.h"

#include "core/TableCore.h"
#include "core/UTF8.h"

#include <QStringDecoder>

#include <algorithm>
#include <tuple>

namespace {

using Record = QStringList;

// Splits the text into records of fields; a blank line is a record without fields. A quote opens a quoted field only at a field's
// start; after its closing quote, stray characters join the field as text, as spreadsheets
// read them. CR LF, LF and a lone CR all end a record; inside quotes they are kept as CR LF.
class CsvReader {
public:
    CsvReader(const QString& text, QChar separator) : text_(text), sep_(separator) {}

    // At most `limit` records (all when negative); an unclosed quote is noted.
    std::vector<Record> Read(qsizetype limit = -1)
    {
        std::vector<Record> records;
        while (pos_ < text_.size() && (limit < 0 || qsizetype(records.size()) < limit))
            records.push_back(ReadRecord());
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
            if (SkipLineEnd()) {
                field += QStringLiteral("\r\n");
                continue;
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

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark dropped), Windows-1252 otherwise.
QString DecodeText(const QByteArray& bytes, bool* wasWindows1252)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    *wasWindows1252 = utf8.hasError();
    return *wasWindows1252 ? Windows1252ToString(view) : text;
}

// Fields that hold a quote: a separator that cuts quoted fields apart leaves their quotes in
// the pieces, where the right one takes them away.
qsizetype FieldsWithQuotes(const std::vector<Record>& records)
{
    qsizetype count = 0;
    for (const Record& r : records)
        count += std::count_if(r.begin(), r.end(), [](const QString& f) { return f.contains(u'"'); });
    return count;
}

// The separator that splits the first records into the same number of fields, more than one:
// of those, the one that agrees with the first record most often, then the one that leaves
// fewer quotes in the fields, then the one giving more fields, then comma before semicolon
// before tab.
QChar SniffSeparator(const QString& text)
{
    QChar best = u',';
    qsizetype bestAgree = -1, bestQuotes = 0, bestFields = 0;
    for (const QChar sep : {QChar(u','), QChar(u';'), QChar(u'\t')}) {
        std::vector<Record> sample = CsvReader(text, sep).Read(50);
        std::erase_if(sample, [](const Record& r) { return r.isEmpty(); });
        if (sample.empty() || sample.front().size() < 2) continue;
        const qsizetype fields = sample.front().size();
        const qsizetype agree = std::count_if(sample.begin(), sample.end(),
                                              [&](const Record& r) { return r.size() == fields; });
        const qsizetype quotes = FieldsWithQuotes(sample);
        if (std::tuple(agree, -quotes, fields) > std::tuple(bestAgree, -bestQuotes, bestFields)) {
            best = sep;
            bestAgree = agree;
            bestQuotes = quotes;
            bestFields = fields;
        }
    }
    return best;
}

// Data into cell text: HTML's own characters escaped, line breaks as the cells keep them.
QString CellText(const QString& field)
{
    QString text;
    text.reserve(field.size());
    for (const QChar ch : field) {
        if (ch == u'&') text += QStringLiteral("&amp;");
        else if (ch == u'<') text += QStringLiteral("&lt;");
        else if (ch == u'>') text += QStringLiteral("&gt;");
        else text += ch;
    }
    return text;
}

void DropTrailingEmptyRecords(std::vector<Record>& records)
{
    while (!records.empty() && records.back().isEmpty())
        records.pop_back();
}

}  // namespace

HtmlImportResult Csv::Import(const QByteArray& bytes, QChar separator)
{
    HtmlImportResult result;
    if (bytes.size() > kMaxFileSize) {
        result.error = QStringLiteral("the file is larger than %1 MB").arg(kMaxFileSize >> 20);
        return result;
    }
    bool windows1252 = false;
    const QString text = DecodeText(bytes, &windows1252);
    CsvReader reader(text, separator.isNull() ? SniffSeparator(text) : separator);
    std::vector<Record> records = reader.Read();
    DropTrailingEmptyRecords(records);
    if (records.empty()) {
        result.error = QStringLiteral("the file holds no data");
        return result;
    }
    qsizetype width = 0;
    for (const Record& r : records) width = std::max(width, r.size());

    ImportReport& report = result.report;
    if (windows1252)
        report.AddToTable(QStringLiteral("the text"), QStringLiteral("read as Windows-1252: it is not UTF-8"));
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
        for (int c = 0; c < table.ColCount && c < records[std::size_t(r)].size(); ++c)
            table.SetCellText(c, r, CellText(records[std::size_t(r)][c]));
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
