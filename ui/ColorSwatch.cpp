#include "ui/ColorSwatch.h"

#include "grid/TableLayout.h"

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
