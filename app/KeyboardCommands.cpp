// The keyboard's way round the window: F10 to the menu bar, F6 and Shift+F6 from the grid to
// each tool bar and back, and inside a tool bar the arrows, Tab, Return and Escape; Select
// Table. Clicking a tool-bar control still leaves the keys with the grid.

#include "app/MainWindow.h"

#include "grid/Tables.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

namespace {

// The controls of a bar that the keys can reach, in their order on the bar.
QList<QWidget*> BarControls(QToolBar* bar)
{
    QList<QWidget*> controls;
    for (QAction* action : bar->actions()) {
        QWidget* control = bar->widgetForAction(action);
        if (control && control->isVisible() && control->isEnabled() && control->focusPolicy() != Qt::NoFocus)
            controls << control;
    }
    return controls;
}

}  // namespace

void MainWindow::actMenuBarExecute()
{
    if (menuBar()->isHidden() || menuBar()->actions().isEmpty()) return;
    // The first menu opens; the arrows go on from there, and closing it leaves the focus
    // where it was.
    menuBar()->setActiveAction(menuBar()->actions().first());
}

void MainWindow::actSelectTableExecute()
{
    if (!table_->EnsureCurrentCell()) return;
    table_->SelectAllCells();
}

// The panes in their order: the grid, the file tool bar, the cell tool bar (those shown).
void MainWindow::FocusNextPane(bool backward)
{
    std::vector<QToolBar*> bars;
    for (QToolBar* bar : {ToolBar1, ToolBar2})
        if (!bar->isHidden() && !BarControls(bar).isEmpty()) bars.push_back(bar);
    int pane = 0;  // the grid
    for (std::size_t i = 0; i < bars.size(); ++i)
        if (bars[i]->isAncestorOf(focusWidget())) pane = int(i) + 1;
    const int panes = int(bars.size()) + 1;
    const int next = (pane + (backward ? panes - 1 : 1)) % panes;
    if (next == 0) {
        ScrollBoxEnter();
        return;
    }
    BarControls(bars[std::size_t(next - 1)]).first()->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::ToolBarKey(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    auto* control = qobject_cast<QWidget*>(watched);
    auto* bar = control ? qobject_cast<QToolBar*>(control->parentWidget()) : nullptr;
    if (!bar || (bar != ToolBar1 && bar != ToolBar2)) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const QList<QWidget*> controls = BarControls(bar);
    const int at = int(controls.indexOf(control));
    auto step = [&](int delta) {
        if (at < 0 || controls.isEmpty()) return;
        controls[(at + delta + int(controls.size())) % int(controls.size())]->setFocus(Qt::TabFocusReason);
    };
    switch (key->key()) {
    case Qt::Key_Right:
    case Qt::Key_Left:
        // A list open for choosing keeps its arrows; a closed one passes Left and Right on.
        if (modifiers != Qt::NoModifier) return false;
        step(key->key() == Qt::Key_Right ? 1 : -1);
        return true;
    case Qt::Key_Tab:
        step(1);
        return true;
    case Qt::Key_Backtab:
        step(-1);
        return true;
    case Qt::Key_Escape:
        ScrollBoxEnter();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->click();
            return true;
        }
        return false;
    default:
        return false;
    }
}
