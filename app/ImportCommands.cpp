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
            const std::optional<int> index = ChooseTable(page);
            if (!index) return false;  // the chooser was cancelled
            result = page.Import(*index);
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

std::optional<int> MainWindow::ChooseTable(const HtmlImport& page)
{
    // One table or none (the import then says why): nothing to choose.
    if (page.Tables().size() < 2 || !tableChooser_) return 0;
    tableChooser_->setPage(page);
    if (prompts().exec(*tableChooser_) != QDialog::Accepted) return std::nullopt;
    return tableChooser_->chosenTable();
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
    if (data->hasFormat(QLatin1String(kCellsMimeType))) {
        // The program's own cells, exactly as copied.
        source.document = data->data(QLatin1String(kCellsMimeType));
        source.imported = true;
    } else {
        source = ClipboardTable(data->hasHtml() ? data->html() : QString(), data->hasText() ? data->text() : QString());
    }
    if (!source.imported) return;
    PasteResult pasted;
    {
        TableEdit edit(*table_);
        pasted = PasteTable(*table_, source.document, table_->SelCol, table_->SelRow);
        if (!pasted.pasted) edit.discard();
    }
    // Only what did not fit is reported: what browsers and spreadsheets copy always carries
    // classes and style sheets, and a list of them after every paste would say nothing new.
    showImportReport(texts_.clipboard, pasted.report);
}
