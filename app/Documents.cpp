// The document life cycle: New, Open, Save and Save As, the question about unsaved changes,
// and the file-dialog filters.

#include "app/Documents.h"

#include "app/KRVFileNames.h"
#include "app/Prompts.h"
#include "app/main.h"
#include "tables/Tables.h"

#include <QFileDialog>

QString FilterPattern(const QString& filter, int index)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    const int line = 2 * index - 1;
    return (line >= 0 && line < parts.size()) ? parts[line] : QString();
}

QString AddFilterExtension(const QString& fileName, const QString& pattern)
{
    if (!ExtractFileExt(fileName).isEmpty()) return fileName;
    const QString ext = ExtractFileExt(pattern);
    if (ext.contains(QLatin1Char('*'))) return fileName;
    return fileName + ext;
}

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already shows its patterns is taken as it is.
        entries << (parts[i].contains(QLatin1Char('('))
                        ? parts[i]
                        : parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {

// Runs a file dialog on the document's folder and name; the chosen name gets the extension
// of the chosen filter entry when it has none.
std::optional<QString> RunDocumentDialog(QFileDialog& dialog, const QString& filter,
                                         const QString& current)
{
    const QStringList entries = QtFilter(filter).split(QStringLiteral(";;"));
    const QString chosenBefore = dialog.selectedNameFilter();
    dialog.setNameFilters(entries);
    if (!chosenBefore.isEmpty() && entries.contains(chosenBefore))
        dialog.selectNameFilter(chosenBefore);
    const QString folder = ExtractFilePath(current);
    dialog.setDirectory(folder.isEmpty() ? QDir::currentPath() : folder);
    dialog.selectFile(ExtractFileName(current));
    const auto chosen = prompts().fileDialog(dialog);
    if (!chosen) return std::nullopt;
    const int index = std::max(0, int(entries.indexOf(dialog.selectedNameFilter()))) + 1;
    return AddFilterExtension(*chosen, FilterPattern(filter, index));
}

}  // namespace

namespace {

// The "changed" question: false when the user cancelled it or the save it asked for failed.
bool MayDiscardChanges(TForm1& form)
{
    if (!form.Table->Changed) return true;
    const auto answer = prompts().question(
        &form, form.Texts.warning, ShellTexts::withName(form.Texts.changed, form.CurFileName),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel || answer == QMessageBox::NoButton) return false;
    if (answer == QMessageBox::Yes) return form.SaveCurrent();
    return true;
}

}  // namespace

bool TForm1::CloseDocument()
{
    const bool result = MayDiscardChanges(*this);
    if (result) {
        Table->ResetTable();
        Table->ClearHistory();
        Table->AddUndoStep(TUndoStep::Command);
        Table->Changed = false;
    }
    return result;
}

bool TForm1::NewDocument()
{
    if (!CloseDocument()) return false;
    CurFileName = UniqueFileName(ExtractFilePath(CurFileName) + QStringLiteral("Table.qgd"));
    IsNewFile = true;
    UpdateCaption();
    if (isVisible()) Table->EnsureCurrentCell();
    return true;
}

void TForm1::OpenWithDialog()
{
    OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    OpenDialog->setDefaultSuffix(QStringLiteral("qgd"));
    const auto name = RunDocumentDialog(*OpenDialog, Texts.filter, CurFileName);
    if (name) OpenDocument(*name);
}

bool TForm1::OpenDocument(const QString& fileName)
{
    // The table is not reset before the load: a file that fails to load leaves the previous
    // document on screen under its own name, instead of an empty table under that name that
    // a later Save would write over the good file. A successful load replaces everything.
    if (!MayDiscardChanges(*this)) return false;
    Table->BeginUpdate();
    const bool ok = Table->LoadFromFile(fileName);
    // The table is laid out again before any message, so that it shows behind the box.
    Table->EndUpdate();
    if (ok) {
        CurFileName = fileName;
        UpdateCaption();
        IsNewFile = false;
    } else {
        prompts().error(this, Texts.error, ShellTexts::withName(Texts.cantopen, fileName));
    }
    return ok;
}

bool TForm1::SaveCurrent()
{
    return IsNewFile ? SaveDocumentAs() : SaveDocument(CurFileName);
}

bool TForm1::SaveDocumentAs()
{
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setFileMode(QFileDialog::AnyFile);
    SaveDialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    const auto name = RunDocumentDialog(*SaveDialog, Texts.filter, CurFileName);
    if (!name) return false;
    return SaveDocument(*name);
}

bool TForm1::SaveDocument(const QString& fileName)
{
    if (!Table->SaveToFile(fileName)) {
        prompts().error(this, Texts.error, ShellTexts::withName(Texts.cantsave, fileName));
        return false;
    }
    Table->Changed = false;
    CurFileName = fileName;
    UpdateCaption();
    IsNewFile = false;
    return true;
}
