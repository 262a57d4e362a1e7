// The view commands: the preview, the bars that can be hidden, help and About.

#include "app/MainWindow.h"

#include "dialogs/AboutBox.h"
#include "dialogs/FileNames.h"
#include "dialogs/PreviewWindow.h"
#include "dialogs/Prompts.h"
#include "tables/Tables.h"

#include <QDesktopServices>
#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

void MainWindow::actHTMLExecute()
{
    if (!previewWindow_) return;
    const QString path = PreviewPagePath();
    const QString title = FileTitle(fileName_);
    QString error;
    if (!table_->ExportHTML(path, title.toUtf8(), &error)) {
        // Nothing to show: say which file could not be written, and why.
        prompts().error(this, texts_.error,
                        error.isEmpty() ? ShellTexts::withName(texts_.cantsave, path) : error);
        return;
    }
    if (!previewWindow_->ShowPreview(path, title + QStringLiteral(".htm"), &error))
        prompts().error(this, texts_.error, error);
    QFile::remove(path);
}

void MainWindow::actAboutExecute()
{
    if (aboutBox_) prompts().exec(*aboutBox_);
}

void MainWindow::actMainMenuExecute()
{
    menuBar()->setVisible(menuBar()->isHidden());
}

void MainWindow::actToolbar1Execute()
{
    ToolBar1->setVisible(ToolBar1->isHidden());
}

void MainWindow::actToolbar2Execute()
{
    // The file tool bar stays above the cell tool bar: the two keep their rows in the dock.
    ToolBar2->setVisible(ToolBar2->isHidden());
}

void MainWindow::actStatusBarExecute()
{
    statusBar()->setVisible(statusBar()->isHidden());
}

void MainWindow::actHelpExecute()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(ExePath + QStringLiteral("help/index.htm")));
}
