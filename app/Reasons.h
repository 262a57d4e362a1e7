#pragma once
// Why a document could not be opened, in the active language. The loader says why in English
// sentences with numbers in them; each known sentence has a language key whose text may put
// the numbers (%1, %2, ...) in another order. A sentence without a key stays as it is.

#include <QHash>
#include <QString>

#include <vector>

struct ReasonText {
    const char* key;
    const char* english;  // the loader's sentence with %1, %2, ... for its numbers and names
};

const std::vector<ReasonText>& KnownReasons();

// `reason` in the language of `translated` (key -> text); unknown reasons come back unchanged.
QString TranslateReason(const QString& reason, const QHash<QString, QString>& translated);
