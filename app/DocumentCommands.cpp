// The document commands: New (with its template), Open, Recent Files, Save and Save As, and
// the question about unsaved changes.

#include "app/MainWindow.h"

#include "app/Reasons.h"
#include "dialogs/TemplateDialog.h"
#include "grid/Tables.h"
#include "ui/FileFilters.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

bool MainWindow::MayDiscardChanges()
{
    if (!table_->Changed) return true;
    const auto answer = prompts().question(this, texts_.warning, ShellTexts::withName(texts_.changed, fileName_),
                                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel || answer == QMessageBox::NoButton) return false;
    if (answer == QMessageBox::Yes) return SaveCurrent();
    return true;
}

bool MainWindow::CloseDocument()
{
    const bool result = MayDiscardChanges();
    if (result) {
        table_->ResetTable();
        table_->StartHistory();
        table_->Changed = false;
    }
    return result;
}

bool MainWindow::NewDocument()
{
    if (!CloseDocument()) return false;
    fileName_ = UniqueFileName(ExtractFilePath(fileName_) + QStringLiteral("Table.qgd"));
    isNewFile_ = true;
    hideExportReport();
    UpdateCaption();
    if (isVisible()) table_->EnsureCurrentCell();
    return true;
}

void MainWindow::OpenWithDialog()
{
    OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    const auto name = RunFilteredFileDialog(*OpenDialog, texts_.filter, fileName_);
    if (name) OpenDocument(*name);
}

bool MainWindow::OpenDocument(const QString& fileName)
{
    // The table is not reset before the load: a file that fails to load leaves the previous
    // document on screen under its own name, instead of an empty table under that name that
    // a later Save would write over the good file. A successful load replaces everything.
    if (!MayDiscardChanges()) return false;
    // A load lays the table out before it returns, so that it shows behind any message.
    QString reason;
    const bool ok = table_->LoadFromFile(fileName, &reason);
    if (ok) {
        fileName_ = fileName;
        UpdateCaption();
        isNewFile_ = false;
        AddRecentFile(fileName);
    } else {
        prompts().error(this, texts_.error,
                        ShellTexts::withName(texts_.cantopen, fileName,
                                             TranslateReason(reason, texts_.reasons)));
    }
    return ok;
}

bool MainWindow::SaveCurrent()
{
    return isNewFile_ ? SaveDocumentAs() : SaveDocument(fileName_);
}

bool MainWindow::SaveDocumentAs()
{
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setFileMode(QFileDialog::AnyFile);
    SaveDialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    const auto name = RunFilteredFileDialog(*SaveDialog, texts_.filter, fileName_);
    if (!name) return false;
    return SaveDocument(*name);
}

bool MainWindow::SaveDocument(const QString& fileName)
{
    QString error;  // the system's own words: disk full, permission denied, ...
    if (!table_->SaveToFile(fileName, &error)) {
        prompts().error(this, texts_.error, ShellTexts::withName(texts_.cantsave, fileName, error));
        return false;
    }
    table_->Changed = false;
    fileName_ = fileName;
    UpdateCaption();
    isNewFile_ = false;
    AddRecentFile(fileName);
    return true;
}

void MainWindow::AddRecentFile(const QString& fileName)
{
    recentFiles_ = WithRecentFile(recentFiles_, QFileInfo(fileName).absoluteFilePath());
    FillRecentMenu();
}

void MainWindow::FillRecentMenu()
{
    // The entry chosen may be the one whose click refills the menu: it goes once that is over.
    for (QAction* old : MenuRecent->actions()) {
        MenuRecent->removeAction(old);
        old->deleteLater();
    }
    for (int n = 0; n < recentFiles_.size(); ++n) {
        const QString file = recentFiles_.at(n);
        // "&1" to "&8" choose an entry from the keyboard; a "&" of the name shows as itself.
        QString caption = QStringLiteral("&%1 %2").arg(n + 1).arg(QString(file).replace(
                                                                  QLatin1Char('&'), QStringLiteral("&&")));
        if (!QFileInfo::exists(file)) caption += QLatin1Char(' ') + texts_.recentMissing;
        QAction* entry = MenuRecent->addAction(caption);
        entry->setData(file);
        connect(entry, &QAction::triggered, this, [this, file] { OpenRecent(file); });
    }
    MenuRecent->menuAction()->setEnabled(!recentFiles_.isEmpty());
}

void MainWindow::OpenRecent(const QString& fileName)
{
    if (!QFileInfo::exists(fileName)) {
        recentFiles_.removeAll(fileName);
        FillRecentMenu();
        prompts().information(this, texts_.warning, ShellTexts::withName(texts_.recentGone, fileName));
        return;
    }
    OpenDocument(fileName);
}

void MainWindow::actNewExecute()
{
    // The template is chosen before the question about unsaved changes.
    if (templateDialog_ && prompts().exec(*templateDialog_) != QDialog::Accepted) return;
    const QString chosen = templateDialog_ ? templateDialog_->chosenFile() : QString();
    if (!NewDocument()) return;
    if (!chosen.isEmpty()) table_->LoadFromFile(chosen);
}
