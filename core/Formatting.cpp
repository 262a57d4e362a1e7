// Formatting of whole cells on the selection, and the markup of an inserted link.

#include "core/TableCore.h"

void TableCore::ApplyFormat(const TCell& cell, TCellFields fields)
{
    BeginUpdate();
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            TCell& target = Cells(c, r);
            if (target.Visible && target.Selected) CopyFormat(target, cell, fields);
        }
    // Re-loading the current cell gives the editor the new format; the position is the same,
    // so the caret and the editor's selection stay where they were.
    SelectCell(SelCol, SelRow);
    EndUpdate();
}

QString TableCore::LinkMarkup(const QString& text, const QString& url, bool newWindow,
                              bool lowerCase)
{
    auto tag = [lowerCase](const char* piece) {
        const QString s = QString::fromLatin1(piece);
        return lowerCase ? s.toLower() : s;
    };
    QString markup = tag("<A HREF=\"");
    markup += url;
    markup += QLatin1Char('"');
    if (newWindow) markup += tag(" TARGET=\"_BLANK\"");
    markup += QLatin1Char('>');
    markup += text;
    markup += tag("</A>");
    return markup;
}
