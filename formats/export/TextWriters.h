#pragma once
// The text formats, each from the table's parts (the document with the options over it), adding to the report what it could
// not hold. ExportTable is the one entry point that calls them.

#include "formats/export/Export.h"

class TableParts;

QByteArray MarkdownTable(const TableParts& parts, ExportReport& report);
QByteArray LatexDocument(const TableParts& parts, ExportReport& report);
QByteArray MediaWikiTable(const TableParts& parts, ExportReport& report);
