#pragma once
// The pieces the HTML page is built from: colours as RRGGBB digits, tags that may be lowered,
// and free text encoded as UTF-8. The page itself is TableCore::HTMLPage.

#include "tables/Cell.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The six hex digits RRGGBB of a colour, upper case; system colours resolved first
// (ResolveColor).
QByteArray HTMLColor(TColor color);

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

    void Reserve(qsizetype size) { out_.reserve(size); }
    const QByteArray& Bytes() const { return out_; }

private:
    bool lowerCase_;
    QByteArray out_;
};
