#include "formats/export/CsvWriter.h"

#include "core/TableCore.h"
#include "core/UTF8.h"

#include <QRegularExpression>

namespace {

QString FieldText(const QString& cellText)
{
    static const QRegularExpression br(QStringLiteral("<br\\s*/?>"),
                                       QRegularExpression::CaseInsensitiveOption);
    QString text = cellText;
    text.replace(br, QStringLiteral("\r\n"));
    // Semicolons and tabs are quoted too, so that reading back never takes them for the
    // separator.
    static const QRegularExpression special(QStringLiteral("[,;\t\"\r\n]"));
    if (text.contains(special)) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        text = u'"' + text + u'"';
    }
    return text;
}

}  // namespace

QByteArray Csv::Export(const TableCore& table)
{
    QByteArray out("\xEF\xBB\xBF");
    for (int r = 0; r < table.RowCount; ++r) {
        const qsizetype start = out.size();
        for (int c = 0; c < table.ColCount; ++c) {
            if (c > 0) out += ',';
            const TCell& cell = table.Cell(c, r);
            if (cell.Visible) AppendUTF8(out, FieldText(cell.Text));
        }
        // An empty line would read as no record at the end of the file.
        if (out.size() == start) out += "\"\"";
        out += "\r\n";
    }
    return out;
}
