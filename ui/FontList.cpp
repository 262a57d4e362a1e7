#include "ui/FontList.h"

#include <QFontDatabase>

#include <algorithm>

QStringList FontBoxEntries()
{
    QStringList families = QFontDatabase::families();
    families << QStringLiteral("Default");
    families.removeDuplicates();
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return families;
}
