#pragma once
// Geometry of a window as the settings keep it.

#include <QRect>

struct WindowPlacement {
    QRect bounds;
    bool maximized = true;
};
