#include "formats/export/CsvWriter.h"

#include "core/TableCore.h"
#include "core/UTF8.h"

#include <QRegularExpression>

namespace {

// The cell's text as it stands, quoted when it holds a separator, a quote or a line end.
// Semicolons and tabs are quoted too, so that reading back never takes them for the separator.
QString FieldText(const QString& text)
{
    static const QRegularExpression special(QStringLiteral("[,;\t\"\r\n]"));
    if (!text.contains(special)) return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
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
            if (cell.Visible) AppendUTF8(out, FieldText(cell.Text));
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
