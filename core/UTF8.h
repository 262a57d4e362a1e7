#pragma once
// UTF-16 to UTF-8 for every piece of free text in the HTML page, and Windows-1252 in.

#include <QByteArray>
#include <QString>
#include <QStringView>

// Always valid UTF-8: a surrogate pair becomes one four-byte sequence and a surrogate without
// its partner becomes U+FFFD, so that browsers never see an ill-formed byte sequence.
QByteArray WideToUTF8(const QString& text);
// The same, appended to out.
void AppendUTF8(QByteArray& out, QStringView text);
// Bytes of Windows-1252 (what pages that say "iso-8859-1" mean too), every byte one character.
QString Windows1252ToString(QByteArrayView bytes);
