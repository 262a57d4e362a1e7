#include "dialogs/Aligns.h"

#include "app/main.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QToolButton>
#include <QVBoxLayout>

TAlignForm* AlignForm = nullptr;

// A pop-up window closes by itself when the user clicks outside it or the application loses
// the focus, and the click still reaches the widget under the mouse: that is the "hide on
// losing activation" the picker needs.
TAlignForm::TAlignForm(TForm1* form) : QFrame(form, Qt::Popup)
{
    AlignForm = this;
    setObjectName(QStringLiteral("AlignForm"));
    setWindowTitle(QStringLiteral("Align"));
    // No border of its own: a thin raised frame instead.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);

    ToolBar = new QWidget(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    auto* grid = new QGridLayout(ToolBar);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    QToolButton** named[9] = {&ToolButton1, &ToolButton2, &ToolButton3, &ToolButton4, &ToolButton5,
                              &ToolButton6, &ToolButton7, &ToolButton8, &ToolButton9};
    for (int n = 0; n < 9; ++n) {
        auto* button = new QToolButton(ToolBar);
        button->setObjectName(QStringLiteral("ToolButton%1").arg(n + 1));
        button->setAutoRaise(true);
        button->setIconSize(QSize(20, 20));
        button->setFocusPolicy(Qt::NoFocus);
        if (form) button->setDefaultAction(form->actAlign[std::size_t(n)]);
        button->installEventFilter(this);
        grid->addWidget(button, n / 3, n % 3);
        *named[n] = button;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(ToolBar);
    installEventFilter(this);

    if (form) connect(form, &TForm1::alignmentChosen, this, &QWidget::hide);
}

TAlignForm::~TAlignForm()
{
    if (AlignForm == this) AlignForm = nullptr;
}

void TAlignForm::popUpBelow(QWidget* anchor)
{
    // The client rectangle, not the frame position: the picker has no frame of its own.
    setGeometry(QRect(anchor->mapToGlobal(QPoint(0, anchor->height())), sizeHint()));
    show();
    activateWindow();
}

void TAlignForm::FormDeactivate()
{
    hide();
}

bool TAlignForm::eventFilter(QObject* watched, QEvent* event)
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
