#pragma once
// The classic HTML page of a table, as the preview shows it and File > Save HTML writes it:
// an outer table that draws the border around an inner one that holds the cells.

#include <QByteArray>
#include <QString>

class TableCore;
class TableParts;

QByteArray HTMLPage(const TableCore& table, const QByteArray& title);
// The page with quillgrid-cli's header and caption options over the document's.
QByteArray HTMLPage(const TableParts& parts, const QByteArray& title);
// Writes the page safely (a failed write leaves any earlier file as it was).
bool ExportHTML(const TableCore& table, const QString& fileName, const QByteArray& title,
                QString* error = nullptr);
