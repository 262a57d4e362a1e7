#include "formats/export/CsvWriter.h"

#include "core/TableCore.h"
#include "core/UTF8.h"

#include <algorithm>

namespace {

// The cell's text as it stands, quoted when it holds a separator, a quote or a line end.
// Semicolons and tabs are quoted too, so that reading back never takes them for the separator.
void AppendField(QByteArray& out, const QString& text)
{
    const bool quoted = std::any_of(text.begin(), text.end(), [](QChar ch) {
        return ch == u',' || ch == u';' || ch == u'\t' || ch == u'"' || ch == u'\r' || ch == u'\n';
    });
    if (!quoted) {
        AppendUTF8(out, text);
        return;
    }
    out += '"';
    AppendUTF8(out, QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")));
    out += '"';
}

}  // namespace

namespace {

QByteArray Separated(const TableCore& table, char separator, const char* lineEnd)
{
    QByteArray out;
    for (int r = 0; r < table.RowCount; ++r) {
        const qsizetype start = out.size();
        for (int c = 0; c < table.ColCount; ++c) {
            if (c > 0) out += separator;
            const TCell& cell = table.Cell(c, r);
            if (cell.Visible) AppendField(out, cell.Text);
        }
        // An empty line would read as no record at the end of the file.
        if (out.size() == start) out += "\"\"";
        out += lineEnd;
    }
    return out;
}

}  // namespace

QByteArray Csv::Export(const TableCore& table)
{
    return "\xEF\xBB\xBF" + Separated(table, ',', "\r\n");
}

QByteArray Csv::TabSeparated(const TableCore& table)
{
    return Separated(table, '\t', "\n");
}
