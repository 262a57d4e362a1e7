#pragma once
// What a page may hold before it is parsed. The parser's time grows with the square of an
// element's attributes (each new one is compared with those before it) and of the depth of
// open elements (scope checks walk them), so one element with 100,000 attributes or 100,000
// nested elements would take minutes of 1 MB of input. A quick scan of the bytes finds them
// first, approximating the tree builder: void and raw-text elements, end tags that close the
// nearest open element of their name, and the elements whose end tag may be left out (a new
// td closes the open td, as far as the nearest table).

#include <QByteArrayView>
#include <QString>

namespace PageLimits {

// Browsers stop nesting at about this depth too; no real page comes near either limit.
inline constexpr int kMaxAttributes = 256;
inline constexpr int kMaxDepth = 512;

// Why the page is not parsed, or an empty string when it may be.
QString Refusal(QByteArrayView utf8);

}  // namespace PageLimits
