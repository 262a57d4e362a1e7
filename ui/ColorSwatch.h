#pragma once
// A plain filled rectangle that shows a colour and reports clicks; the tool bar and the
// property dialogs use it to pick colours. It takes the focus from the keyboard (not from a
// click), shows it with a dotted frame, and Space or Return act as a click.

#include "core/Cell.h"

#include <QWidget>

class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr, QSize size = QSize(22, 22));
    TColor color() const { return color_; }
    void setColor(TColor color);

signals:
    void pressed();   // any mouse button went down on it
    void released();  // any mouse button was released over it

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QSize sizeHint() const override { return size_; }

private:
    TColor color_ = 0;
    QSize size_;
};

// Platform colour numbers and QColor, both ways.
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor& color);
