#pragma once
// Texts of the shell that are not captions of a window component: the message texts, the
// shared button captions and the file-dialog filters. Language files replace them.

#include <QHash>
#include <QString>

struct ShellTexts {
    QString warning = QStringLiteral("Warning");
    QString error = QStringLiteral("Error!");
    QString changed = QStringLiteral("File \"%s\" was changed. Do you want to save changes?");
    QString cantopen = QStringLiteral("Error opening file \"%s\"!");
    QString cantsave = QStringLiteral("Error saving file \"%s\"!");
    QString ok = QStringLiteral("OK");
    QString cancel = QStringLiteral("Cancel");
    QString recover = QStringLiteral(
        "The editor was closed unexpectedly on %s. Do you want to restore the unsaved table?");
    QString filter = QStringLiteral(
        "HTML Quillgrid file (*.qgd)|*.qgd|HTML Quillgrid template (*.qgt)|*.qgt|"
        "All files (*.*)|*.*");
    QString filterHtml;
    QString filterImport = QStringLiteral(
        "HTML page or CSV file (*.htm;*.html;*.csv;*.tsv;*.txt)|*.htm;*.html;*.csv;*.tsv;*.txt|"
        "HTML page (*.htm;*.html)|*.htm;*.html|CSV file (*.csv;*.tsv;*.txt)|*.csv;*.tsv;*.txt|"
        "All files (*.*)|*.*");
    QString clipboard = QStringLiteral("the Clipboard");  // where Paste Table's report says it came from
    QString headerCell = QStringLiteral("Header cell");   // the status bar, on a header cell
    QString selectionSize = QStringLiteral("%1 x %2 cells selected");  // columns, rows
    QString replaced = QStringLiteral("%1 replaced");
    QString notFound = QStringLiteral("Not found");
    QString wrapped = QStringLiteral("Found again from the other end of the table");
    QString badPattern = QStringLiteral("Not a regular expression: %1");
    QString allFiles = QStringLiteral("All files (*.*)");  // the export dialogs' second entry
    // Merge, when more than one of the cells to merge holds a text.
    QString mergeTexts = QStringLiteral(
        "%1 of the cells to merge hold a text. The merged cell can take them all, each on a "
        "line of its own, or keep only the first.");
    QString mergeMoveAll = QStringLiteral("&Move all texts into the merged cell");
    QString mergeKeepFirst = QStringLiteral("Keep only the &first");
    QString exportReport = QStringLiteral(
        "The file was written, but the %s format cannot hold everything in this table:");
    // The status bar after an export or Copy As that lost something; %1 counts the notes.
    QString exportNote = QStringLiteral("%s cannot hold everything in this table (%1 notes)");
    QString cantLaunch = QStringLiteral("No program on this system opens \"%s\".");
    QString recentMissing = QStringLiteral("(missing)");  // after a recent file that is gone
    QString recentGone = QStringLiteral(
        "The file \"%s\" no longer exists. It was taken off the list of recent files.");
    QString pdfWritten = QStringLiteral("PDF written: %s");
    QString printed = QStringLiteral("The page was sent to the printer");
    QString cantPrint = QStringLiteral("The page could not be printed.");
    // Why a document could not be opened: language key -> sentence (see Reasons.h).
    QHash<QString, QString> reasons;

    // A message text with its "%s" replaced by the file name, and a reason below it when given.
    static QString withName(const QString& text, const QString& fileName, const QString& reason)
    {
        const QString message = withName(text, fileName);
        return reason.isEmpty() ? message : message + QStringLiteral("\n\n") + reason;
    }
    // A message text with its "%s" replaced by the file name.
    static QString withName(const QString& text, const QString& fileName)
    {
        QString result = text;
        return result.replace(QLatin1String("%s"), fileName);
    }
};
