#pragma once
// The text formats, each from the table and the options, adding to the report what it could
// not hold. ExportTable is the one entry point that calls them.

#include "formats/export/Export.h"

class TableCore;

QByteArray MarkdownTable(const TableCore& table, const ExportOptions& options, ExportReport& report);
QByteArray LatexDocument(const TableCore& table, const ExportOptions& options, ExportReport& report);
QByteArray MediaWikiTable(const TableCore& table, const ExportOptions& options, ExportReport& report);
