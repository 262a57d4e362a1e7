// The view commands: the preview, the bars that can be hidden, the help window and About.

#include "app/MainWindow.h"

#include "core/SafeFile.h"
#include "dialogs/AboutBox.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/PreviewWindow.h"
#include "grid/Tables.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <iterator>

void MainWindow::actHTMLExecute()
{
    if (!previewWindow_) return;
    const QString path = PreviewPagePath();
    QString error;
    if (!SafeFile::WriteFile(path, PreviewPage(), &error)) {
        // Nothing to show: say which file could not be written, and why.
        prompts().error(this, texts_.error,
                        error.isEmpty() ? ShellTexts::withName(texts_.cantsave, path) : error);
        return;
    }
    if (!previewWindow_->ShowPreview(path, PreviewSaveName(), &error))
        prompts().error(this, texts_.error, error);
    QFile::remove(path);
}

QString MainWindow::PreviewSaveName() const
{
    const bool html5 = previewWindow_ && previewWindow_->html5Style();
    return FileTitle(fileName_) + (html5 ? QStringLiteral(".html") : QStringLiteral(".htm"));
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
    if (!helpWindow_) return;
    QString error;
    if (!helpWindow_->ShowHelp(ExePath + QStringLiteral("help/index.htm"), &error))
        prompts().error(this, texts_.error, error);
}

void MainWindow::ZoomBy(int steps)
{
    static constexpr int kSteps[] = {50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};
    const int now = table_->Zoom();
    int zoom = 100;
    if (steps > 0) {
        zoom = kSteps[std::size(kSteps) - 1];
        for (const int step : kSteps)
            if (step > now) {
                zoom = step;
                break;
            }
    } else if (steps < 0) {
        zoom = kSteps[0];
        for (const int step : kSteps)
            if (step < now) zoom = step;
    }
    table_->setZoom(zoom);
    actZoomReset->setEnabled(zoom != 100);
    ScrollToCurrentCell();
}
