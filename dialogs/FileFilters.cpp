#include "dialogs/FileFilters.h"

#include "dialogs/FileNames.h"

#include <QStringList>

QString FilterPattern(const QString& filter, int index)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    const int line = 2 * index - 1;
    return (line >= 0 && line < parts.size()) ? parts[line] : QString();
}

QString AddFilterExtension(const QString& fileName, const QString& pattern)
{
    if (!ExtractFileExt(fileName).isEmpty()) return fileName;
    const QString ext = ExtractFileExt(pattern);
    if (ext.contains(QLatin1Char('*'))) return fileName;
    return fileName + ext;
}

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already shows its patterns is taken as it is.
        entries << (parts[i].contains(QLatin1Char('('))
                        ? parts[i]
                        : parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}
