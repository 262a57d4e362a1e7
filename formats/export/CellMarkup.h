#pragma once
// A cell's text is HTML source. The text formats (Markdown, LaTeX, MediaWiki) need it as what
// a reader sees: lines of plain text runs, each bold, italic or inside a link, with the
// character references decoded and the white space collapsed as a browser does.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

struct TextRun {
    QString text;
    bool bold = false;
    bool italic = false;
    QString link;  // the address of the link the run is in; empty outside links
    int linkNumber = 0;  // which link of the cell, from 1; two links to one address stay two
    bool sameStyle(const TextRun& other) const
    {
        return bold == other.bold && italic == other.italic && linkNumber == other.linkNumber;
    }
};

struct CellMarkup {
    std::vector<std::vector<TextRun>> lines;  // broken at <br> and at CR LF
    QStringList leftOutTags;                  // tags with no plain-text meaning, each name once
    bool empty() const;
};

// Reads the cell text; the cell's own bold and italic apply to every run.
CellMarkup ReadCellMarkup(QStringView html, bool bold, bool italic);

