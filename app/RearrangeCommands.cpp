// The commands that rearrange the table: Sort, Find and Replace, Move Row and Column,
// Transpose, and Copy and Cut of several cells with the clipboard's three forms. Each change is
// one edit, one undo step; a refusal says why and changes nothing.

#include "app/MainWindow.h"

#include "app/Reasons.h"
#include "core/CellText.h"
#include "core/FindReplace.h"
#include "core/Sorting.h"
#include "core/TableEdit.h"
#include "dialogs/FindDialog.h"
#include "dialogs/SortDialog.h"
#include "formats/export/CsvWriter.h"
#include "formats/export/Export.h"
#include "formats/import/TablePaste.h"
#include "grid/Tables.h"
#include "ui/Prompts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QStatusBar>

namespace {

// The language the collation follows: the active language file's, else the desktop's.
QString SortLanguage(const QString& languageFile)
{
    if (languageFile.contains(QLatin1String("German"), Qt::CaseInsensitive)) return QStringLiteral("de");
    if (languageFile.contains(QLatin1String("French"), Qt::CaseInsensitive)) return QStringLiteral("fr");
    if (languageFile.contains(QLatin1String("English"), Qt::CaseInsensitive)) return QStringLiteral("en");
    return QLocale().name();
}

}  // namespace

void MainWindow::actSortExecute()
{
    if (!sortDialog_ || table_->ColCount < 1) return;
    int c1, r1, c2, r2;
    table_->SelectedLines(c1, r1, c2, r2);
    // The selected rows when they are several, else the whole table.
    const bool range = r2 > r1;
    QStringList names;
    for (int c = 0; c < table_->ColCount; ++c) {
        const QString first = VisibleText(table_->Cell(c, 0).Visible ? table_->Cell(c, 0).Text : QString()).left(30);
        names << (first.isEmpty() ? QString::number(c + 1) : QStringLiteral("%1: %2").arg(c + 1).arg(first));
    }
    sortDialog_->setColumns(names, std::max(0, table_->SelCol));
    if (prompts().exec(*sortDialog_) != QDialog::Accepted) return;
    QString refusal;
    {
        TableEdit edit(*table_);
        refusal = SortRows(*table_, range ? r1 : 0, range ? r2 : -1, sortDialog_->keys(),
                           SortCollator(SortLanguage(languageFile_)));
        if (!refusal.isEmpty()) edit.discard();
    }
    if (!refusal.isEmpty()) prompts().error(this, texts_.error, TranslateReason(refusal, texts_.reasons));
}

void MainWindow::actTransposeExecute()
{
    TableEdit edit(*table_);
    table_->Transpose();
}

void MainWindow::MoveLine(bool column, int delta)
{
    if (!table_->InTable(table_->SelCol, table_->SelRow)) return;
    QString refusal;
    {
        TableEdit edit(*table_);
        refusal = column ? table_->MoveColumn(table_->SelCol, delta) : table_->MoveRow(table_->SelRow, delta);
        if (!refusal.isEmpty()) edit.discard();
    }
    if (!refusal.isEmpty()) prompts().error(this, texts_.error, TranslateReason(refusal, texts_.reasons));
}

// ---- Find and Replace ---------------------------------------------------------------------

void MainWindow::actFindExecute(bool replacing)
{
    if (!findDialog_) return;
    findDialog_->setReplacing(replacing);
    // A word selected in the editor is what to look for.
    const QString selected = table_->Edit()->SelectionForLink();
    if (!selected.isEmpty() && !selected.contains(QLatin1String("\r\n"))) findDialog_->FindEdit->setText(selected);
    findDialog_->setMessage(QString());
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
    findDialog_->FindEdit->setFocus();
    findDialog_->FindEdit->selectAll();
}

void MainWindow::FindAgain(bool backward)
{
    if (!findDialog_) return;
    const FindOptions options = findDialog_->options();
    if (options.pattern.isEmpty()) {
        actFindExecute(false);
        return;
    }
    const QRegularExpression expression = FindExpression(options);
    if (!expression.isValid()) {
        findDialog_->setMessage(texts_.badPattern.arg(expression.errorString()));
        return;
    }
    // From the caret (after it forward, before the selection backward).
    const int position = backward ? table_->Edit()->selectionStart()
                                  : table_->Edit()->selectionStart() + table_->Edit()->selectionLength();
    const std::optional<FindMatch> match =
        FindNext(*table_, options, table_->SelCol, table_->SelRow, position, backward);
    if (!match) {
        findDialog_->setMessage(texts_.notFound);
        statusBar()->showMessage(texts_.notFound, 4000);
        return;
    }
    table_->SelectCell(match->col, match->row);
    table_->ResetSelection();
    table_->Edit()->setSelection(match->start, match->length);
    ScrollToCaret();
    const QString note = match->wrapped ? texts_.wrapped : QString();
    findDialog_->setMessage(note);
    if (!note.isEmpty()) statusBar()->showMessage(note, 4000);
}

void MainWindow::ReplaceAllExecute()
{
    if (!findDialog_) return;
    const FindOptions options = findDialog_->options();
    const QRegularExpression expression = FindExpression(options);
    if (options.pattern.isEmpty() || !expression.isValid()) {
        findDialog_->setMessage(options.pattern.isEmpty() ? QString() : texts_.badPattern.arg(expression.errorString()));
        return;
    }
    int count = 0;
    {
        TableEdit edit(*table_);
        count = ReplaceAll(*table_, options, findDialog_->replacement());
        if (count == 0) edit.discard();
    }
    const QString said = count == 0 ? texts_.notFound : texts_.replaced.arg(count);
    findDialog_->setMessage(said);
    statusBar()->showMessage(said, 4000);
}

// ---- Copy and Cut of cells ------------------------------------------------------------------

bool MainWindow::CopyCells(bool cut)
{
    if (table_->SelectedCount() < 2) return false;
    int c1, r1, c2, r2;
    if (!table_->SelectionBounds(c1, r1, c2, r2)) return false;
    const QByteArray document = table_->RangeDocument(c1, r1, c2, r2, true);
    TableCore part;
    if (!part.LoadFromBytes(document)) return false;
    auto* data = new QMimeData;
    data->setData(QLatin1String(kCellsMimeType), document);
    // Both as the UTF-8 bytes the clipboard hands out, not converted to text and back.
    data->setData(QStringLiteral("text/html"), ExportTable(part, ExportFormat::Html5Page, {}).data);
    data->setData(QStringLiteral("text/plain"), Csv::TabSeparated(part));
    QGuiApplication::clipboard()->setMimeData(data);
    if (cut) table_->ClearSelectedCells();
    return true;
}
