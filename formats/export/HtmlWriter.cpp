#include "formats/export/HtmlWriter.h"

#include "core/UTF8.h"

#include <algorithm>
#include <charconv>

QByteArray HTMLColor(TColor color)
{
    QByteArray out;
    AppendHTMLColor(out, color);
    return out;
}

void AppendNumber(QByteArray& out, qint64 value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

void AppendHTMLColor(QByteArray& out, TColor color)
{
    // The value in upper-case hex, at least six digits (BBGGRR for a plain colour); its first
    // three digit pairs are then read back to front.
    static constexpr char hex[] = "0123456789ABCDEF";
    char digits[8];
    quint32 value = quint32(ResolveColor(color));
    int count = 0;
    char reversed[8];
    do {
        reversed[count++] = hex[value & 0xF];
        value >>= 4;
    } while (value != 0);
    while (count < 6) reversed[count++] = '0';
    for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
    const char rrggbb[6] = {digits[4], digits[5], digits[2], digits[3], digits[0], digits[1]};
    out.append(rrggbb, 6);
}

QByteArray EscapeAttribute(const QByteArray& value)
{
    if (std::none_of(value.begin(), value.end(), [](char ch) { return ch == '&' || ch == '"' || ch == '<' || ch == '>'; }))
        return value;
    QByteArray out;
    out.reserve(value.size());
    for (const char ch : value) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += ch;
        }
    }
    return out;
}

void HtmlWriter::WriteTag(QByteArrayView piece)
{
    if (!lowerCase_) {
        out_ += piece;
        return;
    }
    const qsizetype start = out_.size();
    out_ += piece;
    for (qsizetype i = start; i < out_.size(); ++i) {
        const char ch = out_[i];
        if (ch >= 'A' && ch <= 'Z') out_[i] = char(ch - 'A' + 'a');
    }
}

void HtmlWriter::WriteTagLine(QByteArrayView piece)
{
    WriteTag(piece);
    out_ += "\r\n";
}

void HtmlWriter::WriteText(QStringView text)
{
    AppendUTF8(out_, text);
}

// The cell text is HTML source and goes out unchanged; only CR LF becomes a line break.
void AppendCellText(QByteArray& out, QStringView text)
{
    qsizetype start = 0;
    for (qsizetype at; (at = text.indexOf(u"\r\n", start)) >= 0; start = at + 2) {
        AppendUTF8(out, text.mid(start, at - start));
        out += "<br>";  // part of the text, so never upper case
    }
    AppendUTF8(out, text.mid(start));
}

void HtmlWriter::WriteCellText(QStringView text)
{
    AppendCellText(out_, text);
}

void WriteCellText(HtmlWriter& w, QStringView text)
{
    w.WriteCellText(text);
}
