// quillgrid-cli: the editor's document and page services without a window. Every command
// goes through the same table core, loader, writer and safe save as the editor.

#include "core/SafeFile.h"
#include "core/Script.h"
#include "core/TableCore.h"
#include "formats/export/CsvWriter.h"
#include "formats/export/Export.h"
#include "formats/import/Csv.h"
#include "formats/import/HtmlImport.h"
#include "tools/DocumentJson.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cstdio>
#include <map>
#include <optional>

namespace {

constexpr int kExitOk = 0, kExitFailed = 1, kExitNoFile = 2, kExitUsage = 64;

const char kUsage[] =
    "Usage: quillgrid-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "  export DOC [OUT] [--format FORMAT] [--title TEXT] [--lowercase] [--header-row]\n"
    "         [--header-col] [--caption TEXT] [--style classic|html5]\n"
    "      Write DOC (a .qgd or .qgt file) in FORMAT to OUT, or to standard output when OUT\n"
    "      is missing or \"-\". FORMAT is one of:\n"
    "        classic    the HTML page (the default)\n"
    "        html5      a valid HTML5 page that looks the same, formatting as CSS\n"
    "        fragment   the <table> element alone; --style classic gives the classic\n"
    "                   page's table, html5 (the default) the HTML5 page's\n"
    "        markdown   a GitHub-flavoured Markdown table; merged cells are flattened\n"
    "        latex      a LaTeX document for pdflatex (packages multirow, hhline, xcolor)\n"
    "        mediawiki  a MediaWiki table\n"
    "        csv        the cells' text as comma-separated values (UTF-8, CR LF)\n"
    "      The title defaults to DOC's name without folder and extension; --lowercase writes\n"
    "      the classic markup in lower case. The document's header cells, caption and column\n"
    "      widths go into every format that holds them; --header-row and --header-col make\n"
    "      the first row and column header cells too, --caption TEXT gives the table that\n"
    "      caption instead. What the format cannot hold is listed on standard error, one line\n"
    "      each.\n"
    "  check DOC...\n"
    "      Load each document and say whether it is sound. Exit status 1 if any is not.\n"
    "  dump DOC\n"
    "      Print the document as one JSON object.\n"
    "  new OUT [--cols N] [--rows M]\n"
    "      Write the document of a new table (2 x 3 unless told otherwise).\n"
    "  apply DOC SCRIPT [-o OUT]\n"
    "      Run the operations of SCRIPT on DOC and save the result to OUT (default: DOC).\n"
    "      Nothing is written when a line of the script fails. The lines are below.\n"
    "  import PAGE OUT [--table N] [--report FILE] [--shown-markup] [--csv] [--plain-text]\n"
    "      Import table N (default 0; see tables) of the HTML page PAGE into the document\n"
    "      OUT, keeping merged cells and formatting; with --shown-markup the cells keep only\n"
    "      text, line breaks, links, bold, italic, sub and sup of the page's markup, as the\n"
    "      window's import can, instead of all of it. A PAGE named *.csv, *.tsv or *.txt,\n"
    "      or any PAGE with --csv, is read as comma-, semicolon- or tab-separated values,\n"
    "      each field a cell's HTML source as quillgrid-cli export --format csv writes it;\n"
    "      with --plain-text the fields are plain text (<, > and & become entities). What\n"
    "      could not be kept is printed, and written as JSON to FILE with --report. Exit\n"
    "      status 1 if the page holds no such table, 2 if it cannot be read.\n"
    "  tables PAGE\n"
    "      List the tables of PAGE: number, size, and the text of the first cells.\n"
    "  copy-range DOC C1 R1 C2 R2 OUT [--form html|text|cells]\n"
    "      Write the rectangle of cells from (C1, R1) to (C2, R2), widened over the merged\n"
    "      cells it cuts, as Copy puts it on the clipboard: an HTML page (the default),\n"
    "      tab-separated text, or the program's own cells (a document of the rectangle).\n"
    "  --help\n"
    "      Show this text.\n"
    "\n"
    "Exit status: 0 success, 1 a document, page or script was refused, 2 a file could not be\n"
    "read or written, 64 bad usage.\n";

int Help()
{
    std::fputs(kUsage, stdout);
    std::fputs("\n", stdout);
    std::fputs(kScriptHelp, stdout);
    return kExitOk;
}

void Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

int UsageError(const QString& what)
{
    Print(stderr, QStringLiteral("quillgrid-cli: %1\n\n").arg(what));
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

int FileError(const QString& message)
{
    Print(stderr, QStringLiteral("quillgrid-cli: %1\n").arg(message));
    return kExitNoFile;
}

// The name part of a path without its extension: everything after the last "/", and of that
// everything before the last ".", if there is one.
QString FileTitle(const QString& path)
{
    QString name = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) name.truncate(dot);
    return name;
}

// Positional arguments and options of one command.
struct Arguments {
    QStringList positional;
    std::map<QString, QString> options;  // a flag maps to an empty value
    bool has(const QString& name) const { return options.count(name) > 0; }
};

// valueOptions take the next argument as their value; flags take none.
std::optional<Arguments> ParseArguments(const QStringList& args, const QStringList& valueOptions,
                                        const QStringList& flags, QString* error)
{
    Arguments out;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.size() < 2 || !arg.startsWith('-')) {
            out.positional << arg;
        } else if (valueOptions.contains(arg)) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(arg);
                return std::nullopt;
            }
            out.options[arg] = args[++i];
        } else if (flags.contains(arg)) {
            out.options[arg] = QString();
        } else {
            *error = QStringLiteral("unknown option %1").arg(arg);
            return std::nullopt;
        }
    }
    return out;
}

// Loads the document; when it cannot, says why on standard error and gives the exit status:
// 2 for a file that cannot be read, 1 for one whose content is refused.
std::optional<int> LoadDocument(TableCore& table, const QString& fileName)
{
    QString reason;
    if (table.LoadFromFile(fileName, &reason)) return std::nullopt;
    Print(stderr, QStringLiteral("quillgrid-cli: %1: %2\n").arg(fileName, reason));
    QFile file(fileName);
    const bool readable = !QFileInfo(fileName).isDir() && file.open(QIODevice::ReadOnly);
    return readable ? kExitFailed : kExitNoFile;
}

// The export settings the options give, or nothing (with the reason) when one is wrong.
std::optional<std::pair<ExportFormat, ExportOptions>> ExportSettings(const Arguments& a, const QString& doc,
                                                                   QString* error)
{
    const QString key = a.has("--format") ? a.options.at("--format") : QStringLiteral("classic");
    const std::optional<ExportFormat> format = ExportFormatFromKey(key);
    const QString style = a.has("--style") ? a.options.at("--style") : QStringLiteral("html5");
    if (!format || (style != "classic" && style != "html5")) {
        *error = !format ? QStringLiteral("unknown format \"%1\"").arg(key)
                         : QStringLiteral("--style needs classic or html5");
        return std::nullopt;
    }
    ExportOptions options;
    options.title = a.has("--title") ? a.options.at("--title").toUtf8() : FileTitle(doc).toUtf8();
    options.caption = a.has("--caption") ? a.options.at("--caption") : QString();
    options.headerRow = a.has("--header-row");
    options.headerColumn = a.has("--header-col");
    options.classicFragment = style == "classic";
    return std::make_pair(*format, options);
}

int Export(const Arguments& a)
{
    if (a.positional.isEmpty() || a.positional.size() > 2)
        return UsageError(QStringLiteral("export needs DOC and at most one OUT"));
    const QString doc = a.positional[0];
    const QString out = a.positional.value(1, QStringLiteral("-"));
    QString message;
    const auto settings = ExportSettings(a, doc, &message);
    if (!settings) return UsageError(message);
    TableCore table;
    if (const std::optional<int> failed = LoadDocument(table, doc)) return *failed;
    table.TagsLowerCase = a.has("--lowercase");
    const ExportResult result = ExportTable(table, settings->first, settings->second);
    for (const ExportReportItem& item : result.report.items)
        Print(stderr, QStringLiteral("%1: %2\n").arg(doc, DescribeReportItem(item)));
    if (out == "-") {
        if (std::fwrite(result.data.constData(), 1, std::size_t(result.data.size()), stdout) !=
                std::size_t(result.data.size()) ||
            std::fflush(stdout) != 0)
            return FileError(QStringLiteral("cannot write to standard output"));
        return kExitOk;
    }
    if (!SafeFile::WriteFile(out, result.data, &message)) return FileError(message);
    return kExitOk;
}

// What a version 2 document holds beyond version 1, for check: ", version 2: 3 header
// cells, a caption, 2 column widths"; empty for version 1.
QString StructureSummary(const TableCore& table)
{
    if (!table.UsesExtension()) return {};
    QStringList parts;
    int headers = 0, widths = 0;
    for (int c = 0; c < table.ColCount; ++c) {
        widths += table.ColWidths[std::size_t(c)].Units != TSizeSpec::Default;
        for (int r = 0; r < table.RowCount; ++r) headers += table.Cell(c, r).Visible && table.Cell(c, r).Header;
    }
    if (headers > 0) parts << QStringLiteral("%1 header cell%2").arg(headers).arg(headers == 1 ? "" : "s");
    if (!table.Caption.isEmpty()) parts << QStringLiteral("a caption");
    if (widths > 0) parts << QStringLiteral("%1 column width%2").arg(widths).arg(widths == 1 ? "" : "s");
    return QStringLiteral(", version 2: ") + parts.join(QStringLiteral(", "));
}

int Check(const Arguments& a)
{
    if (a.positional.isEmpty()) return UsageError(QStringLiteral("check needs at least one DOC"));
    int status = kExitOk;
    for (const QString& doc : a.positional) {
        TableCore table;
        QString reason;
        if (table.LoadFromFile(doc, &reason)) {
            Print(stdout, QStringLiteral("%1: ok, %2 columns x %3 rows%4\n")
                             .arg(doc, QString::number(table.ColCount), QString::number(table.RowCount),
                                  StructureSummary(table)));
        } else {
            Print(stdout, QStringLiteral("%1: %2\n").arg(doc, reason));
            status = kExitFailed;
        }
    }
    return status;
}

int Dump(const Arguments& a)
{
    if (a.positional.size() != 1) return UsageError(QStringLiteral("dump needs exactly one DOC"));
    TableCore table;
    if (const std::optional<int> failed = LoadDocument(table, a.positional[0])) return *failed;
    const QByteArray json = DocumentJson(table);
    std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : FileError(QStringLiteral("cannot write to standard output"));
}

// A count given with --cols or --rows: 0 to 127.
std::optional<int> CountOption(const Arguments& a, const QString& name, int fallback, QString* error)
{
    if (!a.has(name)) return fallback;
    bool ok = false;
    const int value = a.options.at(name).toInt(&ok);
    if (!ok || value < 0 || value > kMaxCount) {
        *error = QStringLiteral("%1 needs a number from 0 to %2").arg(name).arg(kMaxCount);
        return std::nullopt;
    }
    return value;
}

int New(const Arguments& a)
{
    if (a.positional.size() != 1) return UsageError(QStringLiteral("new needs exactly one OUT"));
    QString error;
    const std::optional<int> cols = CountOption(a, "--cols", 2, &error);
    const std::optional<int> rows = cols ? CountOption(a, "--rows", 3, &error) : std::nullopt;
    if (!cols || !rows) return UsageError(error);
    // What the editor holds after New: a reset table, then the counts asked for.
    TableCore table;
    table.ResetTable();
    table.SetColCount(*cols);
    table.SetRowCount(*rows);
    if (!table.SaveToFile(a.positional[0], &error)) return FileError(error);
    return kExitOk;
}

int Apply(const Arguments& a)
{
    if (a.positional.size() != 2) return UsageError(QStringLiteral("apply needs DOC and SCRIPT"));
    const QString doc = a.positional[0], scriptName = a.positional[1];
    const QString out = a.has("-o") ? a.options.at("-o") : doc;
    TableCore table;
    QString message;
    if (const std::optional<int> failed = LoadDocument(table, doc)) return *failed;
    QFile scriptFile(scriptName);
    if (!scriptFile.open(QIODevice::ReadOnly))
        return FileError(QStringLiteral("cannot read %1: %2").arg(scriptName, scriptFile.errorString()));
    const QByteArray script = scriptFile.readAll();
    if (!RunScript(table, script, scriptName, &message)) {
        Print(stderr, message + '\n');
        return kExitFailed;
    }
    if (!table.SaveToFile(out, &message)) return FileError(message);
    return kExitOk;
}

// ---- Import from a page --------------------------------------------------------------------

bool ReadPage(const QString& path, QByteArray* page, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    *page = file.read(HtmlImport::kMaxPageSize + 1);
    return true;
}

int PageError(const QString& message)
{
    Print(stderr, QStringLiteral("quillgrid-cli: %1\n").arg(message));
    return kExitFailed;
}

QString Size(int cols, int rows)
{
    return QStringLiteral("%1 column%2 x %3 row%4")
        .arg(cols).arg(cols == 1 ? "" : "s").arg(rows).arg(rows == 1 ? "" : "s");
}

QJsonObject PlaceJson(const ImportPlace& place)
{
    if (place.isTable()) return {{"table", true}};
    return {{"col", place.col}, {"row", place.row}};
}

QByteArray ReportJson(const QString& page, int index, const HtmlImportResult& result)
{
    QJsonArray notes;
    for (const ImportNote& note : result.report.Notes()) {
        QJsonArray where;
        for (const ImportPlace& place : note.where) where.append(PlaceJson(place));
        notes.append(QJsonObject{{"what", note.what}, {"why", note.why}, {"where", where}});
    }
    const QJsonObject report{{"page", page}, {"table", index}, {"columns", result.cols},
                             {"rows", result.rows}, {"notes", notes}};
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}

int Import(const Arguments& a)
{
    if (a.positional.size() != 2) return UsageError(QStringLiteral("import needs PAGE and OUT"));
    const QString pagePath = a.positional[0], out = a.positional[1];
    bool numberOk = true;
    const int index = a.has("--table") ? a.options.at("--table").toInt(&numberOk) : 0;
    if (!numberOk || index < 0) return UsageError(QStringLiteral("--table needs a table number from 0 on"));
    QByteArray page;
    QString error;
    if (!ReadPage(pagePath, &page, &error)) return FileError(error);
    const bool csv = a.has("--csv") || Csv::IsCsvFileName(pagePath);
    const Csv::Fields fields = a.has("--plain-text") ? Csv::Fields::PlainText : Csv::Fields::Source;
    const HtmlImportResult result = csv ? Csv::Import(page, QChar(), fields) : HtmlImport(page).Import(index, a.has("--shown-markup") ? ImportMarkup::ShownOnly : ImportMarkup::AsWritten);
    if (!result.imported) return PageError(QStringLiteral("%1: %2").arg(pagePath, result.error));
    if (!SafeFile::WriteFile(out, result.document, &error)) return FileError(error);
    Print(stdout, QStringLiteral("%1: table %2 imported into %3, %4\n")
                      .arg(pagePath, QString::number(index), out, Size(result.cols, result.rows)));
    for (const ImportNote& note : result.report.Notes()) Print(stdout, QStringLiteral("  %1\n").arg(DescribeNote(note)));
    if (a.has("--report") && !SafeFile::WriteFile(a.options.at("--report"), ReportJson(pagePath, index, result), &error))
        return FileError(error);
    return kExitOk;
}

int Tables(const Arguments& a)
{
    if (a.positional.size() != 1) return UsageError(QStringLiteral("tables needs exactly one PAGE"));
    QByteArray page;
    QString error;
    if (!ReadPage(a.positional[0], &page, &error)) return FileError(error);
    const HtmlImport import(page);
    if (import.Tables().empty())
        return PageError(QStringLiteral("%1: %2").arg(a.positional[0], import.Import(0).error));
    for (const HtmlTableInfo& t : import.Tables()) {
        QString line = QStringLiteral("%1  %2").arg(t.index).arg(Size(t.cols, t.rows));
        if (t.depth > 0) line += QStringLiteral(", inside another table");
        if (t.isFrame) line += QStringLiteral(", a frame around table %1").arg(t.index + 1);
        QStringList cells;
        for (const QString& text : t.firstCells) cells << QLatin1Char('"') + text + QLatin1Char('"');
        Print(stdout, line + QStringLiteral("  ") + cells.join(QStringLiteral(", ")) + QLatin1Char('\n'));
    }
    return kExitOk;
}

int CopyRange(const Arguments& a)
{
    if (a.positional.size() != 6) return UsageError(QStringLiteral("copy-range needs DOC, C1 R1 C2 R2 and OUT"));
    int corners[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        corners[i] = a.positional[i + 1].toInt(&ok);
        if (!ok) return UsageError(QStringLiteral("\"%1\" is not a column or row number").arg(a.positional[i + 1]));
    }
    const QString form = a.has("--form") ? a.options.at("--form") : QStringLiteral("html");
    if (form != "html" && form != "text" && form != "cells")
        return UsageError(QStringLiteral("unknown form \"%1\" (html, text or cells)").arg(form));
    TableCore table;
    if (const std::optional<int> failed = LoadDocument(table, a.positional[0])) return *failed;
    int c1 = std::min(corners[0], corners[2]), r1 = std::min(corners[1], corners[3]);
    int c2 = std::max(corners[0], corners[2]), r2 = std::max(corners[1], corners[3]);
    if (!table.InTable(c1, r1) || !table.InTable(c2, r2)) {
        Print(stderr, QStringLiteral("quillgrid-cli: the rectangle is not inside the table\n"));
        return kExitFailed;
    }
    table.ExpandToMerged(c1, r1, c2, r2);
    const QByteArray document = table.RangeDocument(c1, r1, c2, r2);
    TableCore part;
    part.LoadFromBytes(document);
    const QByteArray bytes = form == "cells" ? document
                             : form == "text" ? Csv::TabSeparated(part)
                                              : ExportTable(part, ExportFormat::Html5Page, {}).data;
    QString error;
    if (!SafeFile::WriteFile(a.positional[5], bytes, &error)) return FileError(error);
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty()) return UsageError(QStringLiteral("no command given"));
    const QString command = args.takeFirst();
    if (command == "--help" || command == "-h" || command == "help") return Help();

    struct Command {
        int (*run)(const Arguments&);
        QStringList valueOptions, flags;
    };
    const std::map<QString, Command> commands = {
        {"export", {Export, {"--title", "--format", "--caption", "--style"}, {"--lowercase", "--header-row", "--header-col"}}},
        {"check", {Check, {}, {}}},
        {"dump", {Dump, {}, {}}},
        {"new", {New, {"--cols", "--rows"}, {}}},
        {"apply", {Apply, {"-o"}, {}}},
        {"import", {Import, {"--table", "--report"}, {"--shown-markup", "--csv", "--plain-text"}}},
        {"tables", {Tables, {}, {}}},
        {"copy-range", {CopyRange, {"--form"}, {}}},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) return UsageError(QStringLiteral("unknown command \"%1\"").arg(command));
    if (args.contains("--help")) return Help();
    QString error;
    const std::optional<Arguments> parsed =
        ParseArguments(args, it->second.valueOptions, it->second.flags, &error);
    if (!parsed) return UsageError(error);
    return it->second.run(*parsed);
}
