#pragma once
// Finding text in the cells and replacing it: literal or as a regular expression, with or
// without case, whole words only, in the cells' HTML source or in the text a browser shows
// of it. A match in the shown text maps back to the source it came from, so that the editor
// can select it and a replacement goes where it was.

#include <QRegularExpression>
#include <QString>

#include <optional>

class TableCore;

struct FindOptions {
    QString pattern;
    bool matchCase = false;
    bool wholeWords = false;
    bool regularExpression = false;
    bool visibleText = true;  // false: the HTML source
};

// The expression the options stand for; invalid (with errorString()) for a bad pattern.
QRegularExpression FindExpression(const FindOptions& options);

struct FindMatch {
    int col = -1, row = -1;
    int start = 0, length = 0;  // in the cell's source text
    bool wrapped = false;        // the search went past the last cell back to the first
};

// The next match after (col, row, position) in reading order (or before it, backward),
// wrapping around the table; nothing when the table holds none.
std::optional<FindMatch> FindNext(const TableCore& table, const FindOptions& options, int col, int row,
                                  int position, bool backward);

// Replaces every match in every visible cell. In the shown text the replacement is text
// (its <, > and & written as references) and a match that runs across a tag is left alone.
// Returns how many were replaced; the caller makes it one undo step.
int ReplaceAll(TableCore& table, const FindOptions& options, const QString& replacement);
