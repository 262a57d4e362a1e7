// The edit commands: Undo, Redo and Insert Link. Cut, Copy and Paste go straight to the table's
// in-place editor (see CommandSet).

#include "app/MainWindow.h"

#include "dialogs/LinkDialog.h"
#include "grid/Tables.h"
#include "ui/Prompts.h"

void MainWindow::actUndoExecute()
{
    table_->Undo();
}

void MainWindow::actRedoExecute()
{
    table_->Redo();
}

void MainWindow::actLinkExecute()
{
    if (!linkDialog_ || table_->Edit()->isHidden()) return;
    linkDialog_->setLinkText(table_->Edit()->SelectionForLink());
    if (prompts().exec(*linkDialog_) != QDialog::Accepted) return;
    const LinkChoice link = linkDialog_->link();
    table_->InsertLink(link.text, link.url, link.newWindow);
}
