#pragma once
// The document as one JSON object, for quillgrid-cli dump.

#include <QByteArray>

class TableCore;

// Keys in a fixed order; "cells" holds every position inside the table, column by column and
// each column from the top. Ends with a line feed.
QByteArray DocumentJson(const TableCore& table);
