#include "ui/CommandImages.h"

#include <QDir>
#include <QHash>

QIcon CommandImage(Picture picture)
{
    static QHash<int, QIcon> cache;
    const int index = int(picture);
    if (auto found = cache.constFind(index); found != cache.constEnd()) return *found;
    const QString pattern = QStringLiteral("%1-*.svg").arg(index, 2, 10, QLatin1Char('0'));
    const QStringList files = QDir(QStringLiteral(":/icons")).entryList({pattern}, QDir::Files);
    QIcon icon;
    if (index >= 0 && !files.isEmpty()) icon = QIcon(QStringLiteral(":/icons/") + files.constFirst());
    cache.insert(index, icon);
    return icon;
}

Picture AlignmentPicture(int alignment)
{
    return Picture(int(Picture::AlignTopLeft) + alignment);
}

QIcon AlignmentImage(int alignment)
{
    return CommandImage(AlignmentPicture(alignment));
}

QIcon ApplicationIcon()
{
    return QIcon(QStringLiteral(":/icons/app.svg"));
}
