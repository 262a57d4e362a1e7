#include "fuzz/FuzzEntries.h"

#include "core/DocumentFormat.h"
#include "core/Script.h"
#include "core/TableCore.h"
#include "formats/export/CsvWriter.h"
#include "formats/export/Export.h"
#include "formats/export/HtmlPage.h"
#include "formats/import/Csv.h"
#include "formats/import/HtmlImport.h"
#include "formats/import/TablePaste.h"
#include "tests/TableInvariants.h"
#include "ui/LanguageTexts.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QStringDecoder>

#include <algorithm>

namespace Fuzz {
namespace {

QByteArray Bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The format ends a text at its first code unit 0, so such a text comes back shorter.
bool HoldsNulText(const TableCore& table)
{
    for (int c = 0; c <= table.ColCount; ++c)
        for (int r = 0; r <= table.RowCount; ++r)
            if (table.Cell(c, r).Text.contains(QChar(0))) return true;
    return false;
}

bool IsBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

QString CheckLine(const QString& line)
{
    QString key, caption, hint;
    const bool entry = ParseLanguageLine(line, key, caption, hint);
    if (!entry) {
        if (!key.isEmpty() || !caption.isEmpty() || !hint.isEmpty())
            return QStringLiteral("a rejected line left parts behind");
        return QString();
    }
    if (key.isEmpty() || caption.isEmpty()) return QStringLiteral("an entry without key or caption");
    for (const QString* part : {&key, &caption, &hint})
        if (!part->isEmpty() && (IsBlank(part->front()) || IsBlank(part->back())))
            return QStringLiteral("a part kept blanks at its ends");
    if (key.contains(QLatin1Char('=')) || caption.contains(QLatin1Char('=')))
        return QStringLiteral("key or caption holds \"=\"");
    return QString();
}

// Every byte is valid UTF-8 in a page: the writer encodes texts itself and copies only ASCII
// markup and 8-bit names.
bool IsAscii(const QByteArray& bytes)
{
    for (const char ch : bytes)
        if (static_cast<unsigned char>(ch) >= 0x80) return false;
    return true;
}

}  // namespace

TableCore& ReusedTable(int which)
{
    static TableCore tables[2];
    return tables[which];
}

// A document the table itself wrote must always load again, or a saved file could not be
// opened; and the round trip must give the same bytes (after a text with a code unit 0 lost
// its tail, from the second round on).
QString CheckRoundTrip(const TableCore& table)
{
    QByteArray saved = table.SaveToBytes();
    QString reason;
    TableCore& again = ReusedTable(1);
    if (!again.LoadFromBytes(saved, &reason))
        return QStringLiteral("the table's own bytes were refused: ") + reason;
    if (HoldsNulText(table)) {
        saved = again.SaveToBytes();
        if (!again.LoadFromBytes(saved, &reason))
            return QStringLiteral("the table's own bytes were refused: ") + reason;
    }
    if (again.SaveToBytes() != saved) return QStringLiteral("save, load, save changed the bytes");
    return QString();
}

QString Document(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = Bytes(data, size);
    QString reason;
    const auto parsed = DocumentFormat::ParseDocument(bytes, &reason);
    TableCore& table = ReusedTable(0);
    table.ResetTable();
    const QByteArray before = table.SaveToBytes();
    const bool loaded = table.LoadFromBytes(bytes);
    if (loaded != parsed.has_value()) return QStringLiteral("parser and loader disagree");
    if (!loaded) {
        if (reason.isEmpty()) return QStringLiteral("a refusal without a reason");
        if (table.SaveToBytes() != before) return QStringLiteral("a refused document changed the table");
        return QString();
    }
    return CheckRoundTrip(table);
}

QString Language(const std::uint8_t* data, std::size_t size)
{
    // As the program reads a language file: UTF-8, lines ending in CR LF, LF or CR.
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(Bytes(data, size));
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n')) continue;
        const QString problem = CheckLine(text.mid(start, i - start));
        if (!problem.isEmpty()) return problem;
        start = i + 1;
    }
    return QString();
}

QString Script(const std::uint8_t* data, std::size_t size)
{
    TableCore table;
    table.ResetTable();
    table.ClearHistory();
    table.AddUndoStep(TUndoStep::Command);
    QString error;
    const bool ok = RunScript(table, Bytes(data, size), QStringLiteral("fuzz"), &error);
    if (!ok && error.isEmpty()) return QStringLiteral("a failed script without a reason");
    if (table.ColCount < 0 || table.ColCount > kMaxCount || table.RowCount < 0 ||
        table.RowCount > kMaxCount)
        return QStringLiteral("counts outside 0..127");
    return CheckRoundTrip(table);
}

QString Html(const std::uint8_t* data, std::size_t size)
{
    TableCore& table = ReusedTable(0);
    if (!table.LoadFromBytes(Bytes(data, size))) return QString();
    for (const bool lower : {false, true}) {
        table.TagsLowerCase = lower;
        const QByteArray page = HTMLPage(table, QByteArrayLiteral("Fuzz"));
        if (!page.endsWith("</HTML>\r\n") && !page.endsWith("</html>\r\n"))
            return QStringLiteral("the page does not end with its closing tag");
        // Font names are 8-bit; everything else the writer emits must be valid UTF-8.
        QStringDecoder check(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        bool namesAscii = true;
        for (int c = 0; c < table.ColCount && namesAscii; ++c)
            for (int r = 0; r < table.RowCount; ++r)
                if (!IsAscii(table.Cell(c, r).FontName)) namesAscii = false;
        if (namesAscii) {
            const QString decoded = check(page);  // decodes only when it becomes a string
            if (check.hasError()) return QStringLiteral("the page is not valid UTF-8");
        }
    }
    return QString();
}

namespace {

QString CheckImported(const HtmlImport& page, int index)
{
    const HtmlImportResult result = page.Import(index);
    if (!result.imported) return QStringLiteral("a listed table was refused: ") + result.error;
    const HtmlTableInfo& listed = page.Tables()[std::size_t(index)];
    if (result.cols != listed.cols || result.rows != listed.rows)
        return QStringLiteral("table %1 was listed at another size than it imports at").arg(index);
    TableCore& table = ReusedTable(0);
    QString reason;
    if (!table.LoadFromBytes(result.document, &reason)) return QStringLiteral("the imported document was refused: ") + reason;
    if (table.ColCount != result.cols || table.RowCount != result.rows)
        return QStringLiteral("the document's size is not the import's");
    const std::string broken = invariants::Check(table);
    if (!broken.empty()) return QStringLiteral("the imported table breaks a rule: ") + QString::fromStdString(broken);
    return CheckRoundTrip(table);
}

// A cell text or the caption must never end a table line early: each format's lines are the
// table's own.
QString CheckTextLines(ExportFormat format, const QByteArray& data, const TableCore& table)
{
    const QList<QByteArray> lines = data.split('\n');
    if (format == ExportFormat::Markdown && table.ColCount > 0 && table.RowCount > 0 &&
        lines.size() != table.RowCount + 4)  // with the caption's paragraph
        return QStringLiteral("the Markdown table has %1 lines for %2 rows").arg(lines.size()).arg(table.RowCount);
    if (format == ExportFormat::MediaWiki)
        for (const QByteArray& line : lines)
            if (!line.isEmpty() && !line.startsWith('|') && !line.startsWith('!') && !line.startsWith("{|"))
                return QStringLiteral("a MediaWiki line that is not part of the table");
    return QString();
}

}  // namespace

QString Import(const std::uint8_t* data, std::size_t size)
{
    const HtmlImport page(Bytes(data, size));
    const int count = int(page.Tables().size());
    if (count == 0) return page.Import(0).error.isEmpty() ? QStringLiteral("a refusal without a reason") : QString();
    // The first few tables and the last: an input with thousands adds nothing but time.
    for (int i = 0; i < count; i = i < 3 ? i + 1 : std::max(i + 1, count - 1))
        if (const QString problem = CheckImported(page, i); !problem.isEmpty()) return problem;
    return QString();
}

QString Export(const std::uint8_t* data, std::size_t size)
{
    TableCore& table = ReusedTable(0);
    if (!table.LoadFromBytes(Bytes(data, size))) return QString();
    ExportOptions options;
    options.caption = QStringLiteral("A | caption\n[with] *marks* & <tags>");
    options.headerRow = options.headerColumn = true;
    for (const ExportFormatInfo& info : ExportFormats()) {
        if (info.format == ExportFormat::ClassicPage) continue;  // the html target's
        const ExportResult result = ExportTable(table, info.format, options);
        QStringDecoder check(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        (void)check(result.data);
        if (check.hasError()) return QStringLiteral("%1 is not valid UTF-8").arg(QLatin1String(info.key));
        const QString problem = CheckTextLines(info.format, result.data, table);
        if (!problem.isEmpty()) return problem;
    }
    return QString();
}

QString CsvTable(const std::uint8_t* data, std::size_t size)
{
    const HtmlImportResult result = Csv::Import(Bytes(data, size));
    if (!result.imported) return result.error.isEmpty() ? QStringLiteral("a refusal without a reason") : QString();
    TableCore& table = ReusedTable(0);
    QString reason;
    if (!table.LoadFromBytes(result.document, &reason)) return QStringLiteral("the imported document was refused: ") + reason;
    if (const std::string broken = invariants::Check(table); !broken.empty())
        return QStringLiteral("the imported table breaks a rule: ") + QString::fromStdString(broken);
    // What File > Export > CSV writes must come back at the size it was written from.
    const HtmlImportResult again = Csv::Import(Csv::Export(table));
    if (!again.imported || again.cols != result.cols || again.rows != result.rows)
        return QStringLiteral("the table's CSV reads back at another size");
    // Pasted into a table with a merged cell, at a place the input chooses.
    TableCore& target = ReusedTable(1);
    target.ResetTable();
    target.SetColCount(5);
    target.SetRowCount(5);
    target.MergeCells(1, 1, 2, 2);
    const int place = size > 0 ? data[0] : 0;
    const PasteResult pasted = PasteTable(target, result.document, place % 6, place / 6 % 6);
    if (!pasted.pasted) return QStringLiteral("a table was refused by the paste: ") + pasted.error;
    if (const std::string broken = invariants::Check(target); !broken.empty())
        return QStringLiteral("the pasted table breaks a rule: ") + QString::fromStdString(broken);
    return QString();
}

const std::vector<Target>& Targets()
{
    static const std::vector<Target> targets = {
        {"document", &Document},
        {"language", &Language},
        {"script", &Script},
        {"html", &Html},
        {"edit", &Edit},
        {"import", &Import},
        {"export", &Export},
        {"csv", &CsvTable},
    };
    return targets;
}

const Target* FindTarget(const QString& name)
{
    for (const Target& target : Targets())
        if (name == QLatin1String(target.name)) return &target;
    return nullptr;
}

}  // namespace Fuzz
