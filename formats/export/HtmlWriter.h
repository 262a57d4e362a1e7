#pragma once
// The pieces the HTML page is built from: colours as RRGGBB digits, tags that may be lowered,
// free text encoded as UTF-8, and the classic table element. The page is HTMLPage
// (HtmlPage.h).

#include "core/Cell.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The six hex digits RRGGBB of a colour, upper case; system colours resolved first
// (ResolveColor).
QByteArray HTMLColor(TColor color);
void AppendHTMLColor(QByteArray& out, TColor color);
// A number in decimal digits.
void AppendNumber(QByteArray& out, qint64 value);

// & " < > as entities, for a name written inside an attribute value.
QByteArray EscapeAttribute(const QByteArray& value);

class HtmlWriter {
public:
    explicit HtmlWriter(bool tagsLowerCase) : lowerCase_(tagsLowerCase) {}

    // A piece of fixed markup; lowered (A-Z only) in lower-case mode.
    void WriteTag(QByteArrayView piece);
    // As WriteTag, then CR LF.
    void WriteTagLine(QByteArrayView piece);
    // Free text as UTF-8, never lowered.
    void WriteText(QStringView text);
    // A cell's text (see AppendCellText).
    void WriteCellText(QStringView text);

    void Reserve(qsizetype size) { out_.reserve(size); }
    const QByteArray& Bytes() const { return out_; }

private:
    bool lowerCase_;
    QByteArray out_;
};

class TableParts;

// A cell's text as the page writes it: HTML source, unchanged but for CR LF, which becomes <br>.
void AppendCellText(QByteArray& out, QStringView text);
void WriteCellText(HtmlWriter& w, QStringView text);

// The classic page's table element (two nested tables), as the page and a fragment write it.
void WriteClassicTable(HtmlWriter& w, const TableParts& parts);
