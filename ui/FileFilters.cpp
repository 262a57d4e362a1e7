#include "ui/FileFilters.h"

#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QDir>
#include <QFileDialog>

#include <QStringList>

#include <algorithm>

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
        // The dialog reads its patterns from the parentheses, separated by blanks, so a
        // description's own "(*.htm;*.html)" is replaced by the entry's patterns written its way.
        // "*.*" would hide files without an extension and turn a proposed "Table.qgd" into
        // "Table.*": "*" is what means every file here.
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern.trimmed() == QLatin1String("*.*")) pattern = QStringLiteral("*");
        QString description = parts[i];
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.trimmed().endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        entries << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> RunFilteredFileDialog(QFileDialog& dialog, const QString& filter,
                                             const QString& current)
{
    // A dialog used again keeps the type chosen in it last. A new dialog's own default, Qt's
    // "All Files (*)" in the user's language, is no choice, even where it reads like an entry.
    static const char* const kChosenFilter = "quillgridChosenFilter";
    const QStringList entries = QtFilter(filter).split(QStringLiteral(";;"));
    const QString chosenBefore = dialog.property(kChosenFilter).toString();
    dialog.setNameFilters(entries);
    if (!chosenBefore.isEmpty() && entries.contains(chosenBefore))
        dialog.selectNameFilter(chosenBefore);
    const QString folder = ExtractFilePath(current);
    dialog.setDirectory(folder.isEmpty() ? QDir::currentPath() : folder);
    dialog.selectFile(ExtractFileName(current));
    const auto chosen = prompts().fileDialog(dialog);
    dialog.setProperty(kChosenFilter, dialog.selectedNameFilter());
    if (!chosen) return std::nullopt;
    const int index = std::max(0, int(entries.indexOf(dialog.selectedNameFilter()))) + 1;
    return AddFilterExtension(*chosen, FilterPattern(filter, index));
}
