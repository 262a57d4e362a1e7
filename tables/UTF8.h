#pragma once
// UTF-16 to UTF-8 for every piece of free text in the HTML page.

#include <QByteArray>
#include <QString>
#include <QStringView>

// Always valid UTF-8: a surrogate pair becomes one four-byte sequence and a surrogate without
// its partner becomes U+FFFD, so that browsers never see an ill-formed byte sequence.
QByteArray WideToUTF8(const QString& text);
// The same, appended to out.
void AppendUTF8(QByteArray& out, QStringView text);
