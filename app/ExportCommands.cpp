// The export commands: File > Export writes the table in another format through a save dialog,
// Edit > Copy As puts the same text on the clipboard, and the preview's page style. What a
// format could not hold shows as a note in the status bar, whose button opens the report.
// Export as PDF and Print put the preview's page on paper through the browser engine.

#include "app/MainWindow.h"

#include "core/SafeFile.h"
#include "dialogs/PagePrinter.h"
#include "dialogs/PreviewWindow.h"
#include "formats/export/Export.h"
#include "formats/export/HtmlPage.h"
#include "grid/Tables.h"
#include "ui/FileFilters.h"
#include "ui/FileNames.h"
#include "ui/LanguageTexts.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>

namespace {

// A report names every cell it concerns; a message shows the first of them and a count.
constexpr int kReportLinesShown = 20;

QByteArray LanguageKey(ExportFormat format)
{
    return QByteArray("fmt") + ExportFormatOf(format).key;
}

}  // namespace

const std::vector<ExportFormat>& MainWindow::WindowExportFormats()
{
    static const std::vector<ExportFormat> formats = [] {
        std::vector<ExportFormat> list;
        for (const ExportFormatInfo& info : ExportFormats())
            if (info.format != ExportFormat::ClassicPage) list.push_back(info.format);
        return list;
    }();
    return formats;
}

void MainWindow::createExportMenus()
{
    MenuExport = new QMenu(QStringLiteral("Export"), this);
    MenuExport->setObjectName(QStringLiteral("MenuExport"));
    MenuCopyAs = new QMenu(QStringLiteral("Copy As"), this);
    MenuCopyAs->setObjectName(QStringLiteral("MenuCopyAs"));
    for (const ExportFormat format : WindowExportFormats()) {
        const ExportFormatInfo& info = ExportFormatOf(format);
        const QString key = QLatin1String(info.key);
        QAction* exportAction = MenuExport->addAction(QLatin1String(info.name) + QStringLiteral("..."));
        exportAction->setObjectName(QStringLiteral("actExport_") + key);
        connect(exportAction, &QAction::triggered, this, [this, format] { ExportToFile(format); });
        actExport.push_back(exportAction);
        QAction* copyAction = MenuCopyAs->addAction(QLatin1String(info.name));
        copyAction->setObjectName(QStringLiteral("actCopyAs_") + key);
        connect(copyAction, &QAction::triggered, this, [this, format] { CopyAs(format); });
        actCopyAs.push_back(copyAction);
    }
}

void MainWindow::applyExportLanguage(const LanguageTexts& texts)
{
    texts.Caption("export", MenuExport);
    texts.Caption("copyas", MenuCopyAs);
    const std::vector<ExportFormat>& formats = WindowExportFormats();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        const LanguageTexts::Entry* entry = texts.Find(LanguageKey(formats[i]).constData());
        if (!entry) continue;
        for (QAction* action : {actExport[i], actCopyAs[i]}) {
            action->setToolTip(entry->hint);
            action->setStatusTip(entry->hint);
        }
        actExport[i]->setText(entry->caption + QStringLiteral("..."));
        actCopyAs[i]->setText(entry->caption);
    }
}

QString MainWindow::exportFormatName(ExportFormat format) const
{
    const std::vector<ExportFormat>& formats = WindowExportFormats();
    for (std::size_t i = 0; i < formats.size(); ++i)
        if (formats[i] == format) return actCopyAs[i]->text();
    return QLatin1String(ExportFormatOf(format).name);
}

ExportResult MainWindow::exportResult(ExportFormat format) const
{
    ExportOptions options;
    options.title = FileTitle(fileName_).toUtf8();
    return ExportTable(*table_, format, options);
}

void MainWindow::showExportReport(ExportFormat format, const ExportReport& report)
{
    hideExportReport();
    if (report.empty()) return;
    QStringList lines;
    for (const ExportReportItem& item : report.items) {
        if (lines.size() == kReportLinesShown) break;
        lines << DescribeReportItem(item, reportWords_);
    }
    const qsizetype more = qsizetype(report.items.size()) - lines.size();
    if (more > 0) lines << QStringLiteral("... (+%1)").arg(more);
    const QString name = exportFormatName(format);
    const QString heading = ShellTexts::withName(texts_.exportReport, name);
    exportReportText_ = heading + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'));
    ExportNote->setText(ShellTexts::withName(texts_.exportNote, name).arg(report.items.size()));
    ExportNote->show();
    ReportButton->show();
}

void MainWindow::hideExportReport()
{
    exportReportText_.clear();
    ExportNote->hide();
    ReportButton->hide();
}

bool MainWindow::ExportToFile(ExportFormat format)
{
    const QString extension = QLatin1String(ExportFormatOf(format).extension);
    const QString filter = QStringLiteral("%1 (*.%2)|*.%2|%3|*.*")
                               .arg(exportFormatName(format), extension, texts_.allFiles);
    // The last export folder, or the document's own folder before the first export.
    const QString folder = exportDir_.isEmpty() ? ExtractFilePath(fileName_) : exportDir_;
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const auto chosen = RunFilteredFileDialog(
        dialog, filter, folder + FileTitle(fileName_) + QLatin1Char('.') + extension);
    if (!chosen) return false;

    const ExportResult result = exportResult(format);
    QString error;  // the system's own words: disk full, permission denied, ...
    if (!SafeFile::WriteFile(*chosen, result.data, &error)) {
        prompts().error(this, texts_.error, ShellTexts::withName(texts_.cantsave, *chosen, error));
        return false;
    }
    exportDir_ = ExtractFilePath(*chosen);
    showExportReport(format, result.report);
    return true;
}

void MainWindow::CopyAs(ExportFormat format)
{
    const ExportResult result = exportResult(format);
    QApplication::clipboard()->setText(QString::fromUtf8(result.data));
    showExportReport(format, result.report);
}

// ---- PDF and print ------------------------------------------------------------------------------

PagePrinter& MainWindow::pagePrinter()
{
    if (!pagePrinter_) pagePrinter_ = new PagePrinter(this);
    return *pagePrinter_;
}

void MainWindow::actExportPdfExecute()
{
    if (pagePrinter().busy()) return;
    const QString filter = QStringLiteral("PDF (*.pdf)|*.pdf|%1|*.*").arg(texts_.allFiles);
    const QString folder = exportDir_.isEmpty() ? ExtractFilePath(fileName_) : exportDir_;
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("PdfDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const auto chosen = RunFilteredFileDialog(dialog, filter, folder + FileTitle(fileName_) + QStringLiteral(".pdf"));
    if (!chosen) return;
    const QString file = *chosen;
    pagePrinter().writePdf(PreviewPage(), file, [this, file](bool ok) {
        if (!ok) {
            prompts().error(this, texts_.error, ShellTexts::withName(texts_.cantsave, file));
            return;
        }
        exportDir_ = ExtractFilePath(file);
        statusBar()->showMessage(ShellTexts::withName(texts_.pdfWritten, file), 10000);
    });
}

void MainWindow::actPrintExecute()
{
    if (pagePrinter().busy()) return;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName(FileTitle(fileName_));
    printer_->setPageLayout(PagePrinter::PdfLayout());
    QPrintDialog dialog(printer_.get(), this);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (prompts().exec(dialog) != QDialog::Accepted) return;
    pagePrinter().print(PreviewPage(), *printer_, [this](bool ok) {
        if (ok) statusBar()->showMessage(texts_.printed, 10000);
        else prompts().error(this, texts_.error, texts_.cantPrint);
    });
}

// ---- The preview's page style -------------------------------------------------------------------

QByteArray MainWindow::PreviewPage() const
{
    if (previewWindow_ && previewWindow_->html5Style()) return exportResult(ExportFormat::Html5Page).data;
    return HTMLPage(*table_, FileTitle(fileName_).toUtf8());
}

void MainWindow::PreviewStyleChange()
{
    // The page file exists while the window shows it; it is written anew in the other style.
    const QString path = PreviewPagePath();
    QString error;
    if (!SafeFile::WriteFile(path, PreviewPage(), &error) ||
        !previewWindow_->LoadPage(path, PreviewSaveName(), &error))
        prompts().error(this, texts_.error, error);
}
