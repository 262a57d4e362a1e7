#pragma once
// The alignment picker: a small borderless pop-up under the tool bar's alignment button with
// the nine alignment commands in a 3 x 3 grid. A choice, a click elsewhere or any key closes it.

#include <QFrame>

#include <array>

class QAction;

class QToolButton;
class QWidget;

class AlignmentPicker : public QFrame {
    Q_OBJECT
public:
    // The nine alignment commands, top-left to bottom-right; the picker hides when any of them
    // runs.
    AlignmentPicker(QWidget* parent, const std::array<QAction*, 9>& alignCommands);
    ~AlignmentPicker() override;

    QWidget* ToolBar;
    // Rows top, middle, bottom; columns left, centre, right: ToolButton(n + 1) runs act n.
    QToolButton *ToolButton1, *ToolButton2, *ToolButton3, *ToolButton4, *ToolButton5,
        *ToolButton6, *ToolButton7, *ToolButton8, *ToolButton9;

    // Shows the picker with its top-left corner at the bottom-left corner of `anchor`.
    void popUpBelow(QWidget* anchor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FormDeactivate();
};
