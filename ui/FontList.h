#pragma once
// The font names the program offers: the installed families plus "Default", sorted without
// regard to case. The tool bar's font box and the Cell Properties font list show the same list.

#include <QStringList>

QStringList FontBoxEntries();
