#include "ui/FileNames.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ExePath;

QString GetExePath()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

QString ExtractFilePath(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString ExtractFileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString ExtractFileExt(const QString& path)
{
    const QString name = ExtractFileName(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString RemoveExt(const QString& fileName)
{
    const QString ext = ExtractFileExt(fileName);
    return ext.isEmpty() ? fileName : fileName.left(fileName.size() - ext.size());
}

QString FileTitle(const QString& path)
{
    return RemoveExt(ExtractFileName(path));
}

QString UniqueFileName(const QString& path)
{
    const QString ext = ExtractFileExt(path);
    const QString base = RemoveExt(path);
    QString suffix;
    for (int n = 1;; ++n) {
        const QString candidate = base + suffix + ext;
        const QFileInfo info(candidate);
        if (!info.exists() || info.isDir()) return candidate;
        suffix = QString::number(n);
        if (suffix.size() < 2) suffix.prepend(QLatin1Char('0'));
    }
}
