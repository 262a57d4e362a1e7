#pragma once
// Attribute and style values as pages write them, read the way browsers read them: integers,
// colours, font sizes, alignments, lengths and the declarations of a style attribute.
// Pure functions over bytes; nullopt means "not a value of this kind".

#include "core/Cell.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

namespace HtmlValues {

// Leading blanks, an optional sign, then digits up to the first other character ("12px" is
// 12). Saturates instead of overflowing.
std::optional<qint64> ParseInteger(QByteArrayView text);

// A colour attribute (bgcolor, color): a name, #rgb, or anything else by the legacy rules
// that turn every remaining string into some colour. Nothing for "" and "transparent".
std::optional<TColor> ParseLegacyColor(QByteArrayView text);
// A CSS colour: a name, #rgb(a), #rrggbb(aa), rgb(a)(), hsl(a)(). A partly transparent colour
// is taken as it shows over a white page; nothing for a fully transparent one.
std::optional<TColor> ParseCssColor(QByteArrayView text);
bool IsTransparent(QByteArrayView text);

// SIZE of <font>: 0..7 (and -1, the editor's "no size") as written, +n and -n relative to 3,
// larger values as 7.
std::optional<int> ParseFontSizeAttribute(QByteArrayView text);
// CSS font-size to the nearest of the seven HTML sizes; em, % and larger/smaller relative to
// the inherited size.
std::optional<int> ParseCssFontSize(QByteArrayView text, int inheritedSize);

// Cell alignment codes: 0 left, 1 centre, 2 right; 0 top, 1 middle, 2 bottom. Values with no
// code (justify, baseline) give nothing.
std::optional<int> ParseHAlign(QByteArrayView text);
std::optional<int> ParseVAlign(QByteArrayView text);

// width and height attributes: "80%" per cent, "600" pixels; zero counts as not given.
std::optional<TSizeSpec> ParseDimension(QByteArrayView text);
// CSS width and height: per cent or px.
std::optional<TSizeSpec> ParseCssSize(QByteArrayView text);
// A CSS length in whole pixels (px, pt, em at 16 px, thin/medium/thick).
std::optional<int> ParseCssPixels(QByteArrayView text);

// The words of a CSS value, split at blanks outside parentheses ("1px solid rgb(0, 0, 0)").
std::vector<QByteArray> SplitValue(QByteArrayView text);

// The first family of a font-family list, without quotes.
QByteArray FirstFontFamily(QByteArrayView text);

// One declaration of a style attribute; the name in lower case, the value trimmed and without
// "!important".
struct Declaration {
    QByteArray name;
    QByteArray value;
};
std::vector<Declaration> ParseDeclarations(QByteArrayView style);

}  // namespace HtmlValues
