#pragma once
// What a cell's text, HTML source, says to a reader: its character references decoded, its
// tags and comments left out, white space collapsed as a browser does. Sorting, searching
// and the text formats read cells through these.

#include <QString>
#include <QStringView>

#include <vector>

// The character a named reference stands for (case counts), or 0 for an unknown name.
char32_t NamedEntityCode(QStringView name);
// The reference at text[at] == '&': the character it stands for, with `length` set to the
// characters it takes; 0 when there is none there (the '&' is then plain text).
char32_t DecodeReference(QStringView text, qsizetype at, qsizetype& length);
QString DecodeReferences(QStringView text);
// Markup that shows `text` as written: & < > as character references.
QString EscapeText(QStringView text);
// Where the tag, comment or declaration that begins at html[at] == '<' ends (one past its
// '>', or the end of the text); `at` itself when that '<' is text.
qsizetype MarkupEnd(QStringView html, qsizetype at);
// The text a browser shows of the markup, on one line: tags, comments and declarations
// left out, references decoded, line breaks and blocks as one blank, blanks collapsed and
// trimmed.
QString VisibleText(QStringView html);

// The same, with where each character of the result came from in the markup: the source
// range [from[i], to[i]) of character i (an inserted blank takes the blanks it stands for).
QString VisibleText(QStringView html, std::vector<qsizetype>* from, std::vector<qsizetype>* to);
// Whether the text shows as it is written: no markup, no references, no blanks a browser
// would collapse or drop. Its shown text is then itself, position for position.
bool ShowsAsWritten(QStringView html);
