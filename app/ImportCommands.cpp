// The commands that bring tables in: File > Import reads an HTML page (choosing among its
// tables) or a CSV file into a new untitled document, and Edit > Paste Table puts a table from
// the clipboard into the grid at the current cell. Each lists what it could not keep, after
// the table is shown.

#include "app/MainWindow.h"

#include "core/TableEdit.h"
#include "dialogs/ImportReportDialog.h"
#include "dialogs/TableChooserDialog.h"
#include "formats/import/Csv.h"
#include "formats/import/HtmlImport.h"
#include "formats/import/TablePaste.h"
#include "grid/Tables.h"
#include "ui/FileFilters.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// Reads at most one byte more than the importers take, so that a huge file is refused by
// them with its reason instead of filling the memory first.
std::optional<QByteArray> ReadImportFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(std::max(HtmlImport::kMaxPageSize, Csv::kMaxFileSize) + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

// Markup kept loses nothing, so the importer lists no cells for it; the report still says
// what was done, once for the table.
void NoteMarkupKept(HtmlImportResult& result, ImportMarkup markup)
{
    if (result.unshownMarkup && markup == ImportMarkup::AsWritten)
        result.report.AddToTable(QLatin1String(kUnshownMarkup), UnshownMarkupFate(markup));
}

QStringList ReportLines(const ImportReport& report)
{
    QStringList lines;
    for (const ImportNote& note : report.Notes()) lines << DescribeNote(note);
    return lines;
}

}  // namespace

void MainWindow::actImportExecute()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("ImportDialog"));
    dialog.setWindowTitle(actImport->text().remove(QStringLiteral("...")));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const auto chosen = RunFilteredFileDialog(dialog, texts_.filterImport, ExtractFilePath(fileName_));
    if (chosen) ImportDocument(*chosen);
}

bool MainWindow::ImportDocument(const QString& path)
{
    QString error;
    HtmlImportResult result;
    if (const std::optional<QByteArray> bytes = ReadImportFile(path, &error)) {
        if (Csv::IsCsvFileName(path)) {
            result = Csv::Import(*bytes);
        } else {
            const HtmlImport page(*bytes);
            const std::optional<ImportChoice> choice = ChooseTable(page);
            if (!choice) return false;  // the chooser was cancelled
            result = page.Import(choice->table, choice->markup);
            NoteMarkupKept(result, choice->markup);
        }
        error = result.error;
    }
    if (!result.imported) {
        prompts().error(this, texts_.error, ShellTexts::withName(texts_.cantopen, path, error));
        return false;
    }
    if (!MayDiscardChanges()) return false;
    if (!table_->LoadFromBytes(result.document, &error)) {  // the importers write sound documents
        prompts().error(this, texts_.error, ShellTexts::withName(texts_.cantopen, path, error));
        return false;
    }
    // A new document named after the page, in the page's folder, not yet saved.
    table_->Changed = true;
    setDocumentName(ExtractFilePath(path) + FileTitle(path) + QStringLiteral(".qgd"), true);
    showImportReport(ExtractFileName(path), result.report);
    return true;
}

std::optional<MainWindow::ImportChoice> MainWindow::ChooseTable(const HtmlImport& page)
{
    // No table (the import then says why), or one whose cells show all their markup: nothing
    // to choose.
    const std::size_t tables = page.Tables().size();
    if (!tableChooser_ || tables == 0 || (tables == 1 && !page.Import(0).unshownMarkup))
        return ImportChoice{0, importMarkup_};
    tableChooser_->setPage(page, importMarkup_);
    if (prompts().exec(*tableChooser_) != QDialog::Accepted) return std::nullopt;
    importMarkup_ = tableChooser_->chosenMarkup();
    return ImportChoice{tableChooser_->chosenTable(), importMarkup_};
}

void MainWindow::showImportReport(const QString& source, const ImportReport& report)
{
    if (report.IsEmpty() || !importReport_) return;
    importReport_->setReport(source, ReportLines(report));
    prompts().exec(*importReport_);
}

// ---- Paste Table --------------------------------------------------------------------------

void MainWindow::ClipboardChange()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    clipboardHoldsTable_ = data && (data->hasFormat(QLatin1String(kCellsMimeType)) ||
                                    ClipboardHoldsTable(data->hasHtml() ? data->html() : QString(),
                                                        data->hasText() ? data->text() : QString()));
}

bool MainWindow::CanPasteTable() const
{
    return clipboardHoldsTable_ && table_->InTable(table_->SelCol, table_->SelRow);
}

void MainWindow::actPasteTableExecute()
{
    if (!CanPasteTable()) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return;
    HtmlImportResult source;
    std::optional<ImportChoice> choice;
    const std::unique_ptr<HtmlImport> page = data->hasHtml() ? ClipboardPage(data->html()) : nullptr;
    if (data->hasFormat(QLatin1String(kCellsMimeType))) {
        // The program's own cells, exactly as copied.
        source.document = data->data(QLatin1String(kCellsMimeType));
        source.imported = true;
    } else if (page && !page->Tables().empty()) {
        choice = ChooseTable(*page);
        if (!choice) return;  // the chooser was cancelled
        source = page->Import(choice->table, choice->markup);
    } else {
        source = ClipboardTable(QString(), data->hasText() ? data->text() : QString());
    }
    if (!source.imported) return;
    PasteResult pasted;
    {
        TableEdit edit(*table_);
        pasted = PasteTable(*table_, source.document, table_->SelCol, table_->SelRow);
        if (!pasted.pasted) edit.discard();
    }
    // Only what did not fit is reported, and what became of the markup: what browsers and
    // spreadsheets copy always carries classes and style sheets, and a list of them after
    // every paste would say nothing new. The markup is one line for the whole table, whose
    // cells are no longer where the clipboard's table had them.
    if (choice && source.unshownMarkup) pasted.report.AddToTable(QLatin1String(kUnshownMarkup), UnshownMarkupFate(choice->markup));
    showImportReport(texts_.clipboard, pasted.report);
}
