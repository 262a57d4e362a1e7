#include "dialogs/AlignmentPicker.h"

#include "dialogs/DialogParts.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QToolButton>
#include <QVBoxLayout>

// A pop-up window closes by itself when the user clicks outside it or the application loses
// the focus, and the click still reaches the widget under the mouse: that is the "hide on
// losing activation" the picker needs.
AlignmentPicker::AlignmentPicker(QWidget* parent, const std::array<QAction*, 9>& alignCommands)
    : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("AlignForm"));
    setWindowTitle(QStringLiteral("Align"));
    // No border of its own: a thin raised frame instead.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);

    const AlignmentGrid grid = BuildAlignmentGrid(this, "ToolBar");
    ToolBar = grid.widget;
    QToolButton** named[9] = {&ToolButton1, &ToolButton2, &ToolButton3, &ToolButton4, &ToolButton5,
                              &ToolButton6, &ToolButton7, &ToolButton8, &ToolButton9};
    for (int n = 0; n < 9; ++n) {
        QToolButton* button = grid.buttons[std::size_t(n)];
        button->setFocusPolicy(Qt::NoFocus);
        if (QAction* command = alignCommands[std::size_t(n)]) {
            button->setDefaultAction(command);
            connect(command, &QAction::triggered, this, &QWidget::hide);
        }
        button->installEventFilter(this);
        *named[n] = button;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(ToolBar);
    installEventFilter(this);

}

AlignmentPicker::~AlignmentPicker() = default;

void AlignmentPicker::popUpBelow(QWidget* anchor)
{
    // The client rectangle, not the frame position: the picker has no frame of its own.
    setGeometry(QRect(anchor->mapToGlobal(QPoint(0, anchor->height())), sizeHint()));
    show();
    activateWindow();
}

void AlignmentPicker::FormDeactivate()
{
    hide();
}

bool AlignmentPicker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        // Any key closes the picker and goes no further; no key applies an alignment.
        event->accept();
        if (event->type() == QEvent::KeyPress) hide();
        return true;
    case QEvent::WindowDeactivate:
        if (watched == this) FormDeactivate();
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}
