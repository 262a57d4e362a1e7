// The table commands: Table Properties, inserting, deleting, merging and splitting, header
// rows and columns, and column widths.
// Each runs as one edit, which lays the table out once and records one undo step.

#include "app/MainWindow.h"

#include "core/TableEdit.h"
#include "core/TableProperties.h"
#include "dialogs/ColumnWidthDialog.h"
#include "dialogs/TablePropertiesDialog.h"
#include "grid/Tables.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QLabel>

void MainWindow::actTablePropExecute()
{
    if (!tablePropertiesDialog_) return;
    tablePropertiesDialog_->setProperties(PropertiesOf(*table_));
    if (prompts().exec(*tablePropertiesDialog_) != QDialog::Accepted) return;
    TableEdit edit(*table_);
    ApplyProperties(*table_, tablePropertiesDialog_->properties());
}

void MainWindow::actColInsBeforeExecute()
{
    TableEdit edit(*table_);
    table_->InsertColumn(table_->SelCol);
}

void MainWindow::actColInsAfterExecute()
{
    TableEdit edit(*table_);
    table_->InsertColumn(table_->SelCol + 1);
}

void MainWindow::actColDelExecute()
{
    TableEdit edit(*table_);
    table_->DeleteColumn(table_->SelCol);
}

void MainWindow::actRowInsBeforeExecute()
{
    TableEdit edit(*table_);
    table_->InsertRow(table_->SelRow);
}

void MainWindow::actRowInsAfterExecute()
{
    TableEdit edit(*table_);
    table_->InsertRow(table_->SelRow + 1);
}

void MainWindow::actRowDelExecute()
{
    TableEdit edit(*table_);
    table_->DeleteRow(table_->SelRow);
}

// A merged cell holds one text: when more than one of the cells holds one, the user chooses
// between all of them, one a line, and the first; a single text is kept wherever it was.
void MainWindow::actMergeExecute()
{
    const TableCore::MergeTexts merge = table_->SelectionMergeTexts();
    QString text = merge.texts.value(0);
    if (merge.texts.size() > 1) {
        const int answer = prompts().choice(this, QString(actMerge->text()).remove(QLatin1Char('&')),
                                            texts_.mergeTexts.arg(merge.texts.size()),
                                            {texts_.mergeMoveAll, texts_.mergeKeepFirst}, texts_.cancel);
        if (answer < 0) return;
        if (answer == 0) text = TableCore::JoinCellTexts(merge.texts);
    }
    TableEdit edit(*table_);
    table_->MergeSelection();
    if (!merge.texts.isEmpty()) table_->SetCellText(merge.col, merge.row, text);
}

void MainWindow::actUnmergeExecute()
{
    TableEdit edit(*table_);
    table_->UnmergeSelection();
}

// Header Row (Column) turns the selected rows (columns) into lines of header cells, or, when
// every one of them is such a line already, back into plain cells.
void MainWindow::actHeaderRowExecute()
{
    ToggleHeaderLines(false);
}

void MainWindow::actHeaderColExecute()
{
    ToggleHeaderLines(true);
}

void MainWindow::ToggleHeaderLines(bool columns)
{
    int c1, r1, c2, r2;
    table_->SelectedLines(c1, r1, c2, r2);
    const int first = columns ? c1 : r1, last = columns ? c2 : r2;
    if (last < 0) return;
    bool all = true;
    for (int n = first; n <= last; ++n) all = all && (columns ? table_->IsHeaderColumn(n) : table_->IsHeaderRow(n));
    TableEdit edit(*table_);
    if (columns) table_->SetHeaderColumns(first, last, !all);
    else table_->SetHeaderRows(first, last, !all);
}

// The dialog starts from the first selected column's width; OK gives every selected column
// the width chosen.
void MainWindow::actColWidthExecute()
{
    if (!columnWidthDialog_) return;
    int c1, r1, c2, r2;
    table_->SelectedLines(c1, r1, c2, r2);
    if (c2 < 0) return;
    columnWidthDialog_->setWidth(table_->ColWidths[std::size_t(c1)]);
    if (prompts().exec(*columnWidthDialog_) != QDialog::Accepted) return;
    const TSizeSpec width = columnWidthDialog_->width();
    TableEdit edit(*table_);
    for (int c = c1; c <= c2; ++c) table_->SetColWidth(c, width);
    table_->UpdateWidth();
}

void MainWindow::UpdateHeaderChecks()
{
    int c1, r1, c2, r2;
    table_->SelectedLines(c1, r1, c2, r2);
    bool rows = r2 >= 0, cols = c2 >= 0;
    for (int r = r1; rows && r <= r2; ++r) rows = table_->IsHeaderRow(r);
    for (int c = c1; cols && c <= c2; ++c) cols = table_->IsHeaderColumn(c);
    actHeaderRow->setChecked(rows);
    actHeaderCol->setChecked(cols);
    const bool header = table_->IsVisibleCell(table_->SelCol, table_->SelRow) &&
                        table_->Cell(table_->SelCol, table_->SelRow).Header;
    QStringList status;
    int b1, s1, b2, s2;
    if (table_->SelectedCount() > 1 && table_->SelectionBounds(b1, s1, b2, s2))
        status << texts_.selectionSize.arg(b2 - b1 + 1).arg(s2 - s1 + 1);
    if (header) status << texts_.headerCell;
    StatusPanel2->setText(status.join(QStringLiteral("   ")));
}
