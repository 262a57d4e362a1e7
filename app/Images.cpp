#include "app/Images.h"

#include <QDir>
#include <QHash>

QIcon CommandImage(int index)
{
    static QHash<int, QIcon> cache;
    if (auto found = cache.constFind(index); found != cache.constEnd()) return *found;
    // Pictures are stored as "NN-name.svg"; the number is what the commands refer to.
    const QString pattern = QStringLiteral("%1-*.svg").arg(index, 2, 10, QLatin1Char('0'));
    const QStringList files = QDir(QStringLiteral(":/icons")).entryList({pattern}, QDir::Files);
    QIcon icon;
    if (!files.isEmpty()) icon = QIcon(QStringLiteral(":/icons/") + files.constFirst());
    cache.insert(index, icon);
    return icon;
}

QIcon ApplicationIcon()
{
    return QIcon(QStringLiteral(":/icons/app.svg"));
}
