#include "ui/ColorSwatch.h"

#include "grid/TableLayout.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

QColor ColorToQColor(TColor color)
{
    return layout::ToQColor(color);
}

TColor QColorToColor(const QColor& color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}

ColorSwatch::ColorSwatch(QWidget* parent, QSize size) : QWidget(parent), size_(size)
{
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void ColorSwatch::setColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(2, 2, -3, -3);
    painter.fillRect(box, color_ == kMixedColor ? palette().window().color() : ColorToQColor(color_));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(box);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ColorSwatch::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->accept();
        emit pressed();
        emit released();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit pressed();
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (rect().contains(event->position().toPoint())) emit released();
}
