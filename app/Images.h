#pragma once
// The command pictures, by their fixed index in the image list.

#include <QIcon>

QIcon CommandImage(int index);
QIcon ApplicationIcon();
