// The table commands: Table Properties, and inserting, deleting, merging and splitting.
// Each runs as one edit, which lays the table out once and records one undo step.

#include "app/MainWindow.h"

#include "core/TableEdit.h"
#include "core/TableProperties.h"
#include "dialogs/TablePropertiesDialog.h"
#include "grid/Tables.h"
#include "ui/Prompts.h"

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

void MainWindow::actMergeExecute()
{
    TableEdit edit(*table_);
    table_->MergeSelection();
}

void MainWindow::actUnmergeExecute()
{
    TableEdit edit(*table_);
    table_->UnmergeSelection();
}
