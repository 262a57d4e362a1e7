#include "formats/import/HtmlCellFormat.h"

#include "formats/import/HtmlValues.h"

#include <QStringBuilder>

#include <cstring>

using namespace HtmlValues;

CellFormat CellFormat::Over(const CellFormat& outer) const
{
    CellFormat out = *this;
    if (!out.background) out.background = outer.background;
    if (!out.color) out.color = outer.color;
    if (!out.face) out.face = outer.face;
    if (!out.size) out.size = outer.size;
    if (!out.bold) out.bold = outer.bold;
    if (!out.italic) out.italic = outer.italic;
    if (!out.hAlign) out.hAlign = outer.hAlign;
    if (!out.vAlign) out.vAlign = outer.vAlign;
    return out;
}

bool CellFormat::IsEmpty() const
{
    return !background && !color && !face && !size && !bold && !italic && !hAlign && !vAlign;
}

CellFormat CellFormat::Inherited() const
{
    CellFormat out = *this;
    out.background.reset();
    return out;
}

void CellFormat::ApplyTo(TCell& cell) const
{
    if (background) cell.BgColor = *background;
    if (color) cell.FontColor = *color;
    if (face) cell.FontName = ClampFontName(*face);
    if (size) cell.FontSize = *size;
    if (bold) cell.Bold = *bold;
    if (italic) cell.Italic = *italic;
    if (hAlign) cell.HAlign = *hAlign;
    if (vAlign) cell.VAlign = *vAlign;
}

bool IsWrapperTag(GumboTag tag)
{
    switch (tag) {
    case GUMBO_TAG_FONT:
    case GUMBO_TAG_B:
    case GUMBO_TAG_STRONG:
    case GUMBO_TAG_I:
    case GUMBO_TAG_EM:
    case GUMBO_TAG_SPAN:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_P:
    case GUMBO_TAG_CENTER:
        return true;
    default:
        return false;
    }
}

namespace {

bool IsBlock(GumboTag tag)
{
    return tag == GUMBO_TAG_DIV || tag == GUMBO_TAG_P || tag == GUMBO_TAG_CENTER;
}

QString Text(QByteArrayView bytes)
{
    return QString::fromUtf8(bytes);
}

// Reads the element's attributes and style declarations into a format.
class FormatReader {
public:
    FormatReader(const GumboNode* element, FormatRole role, int inheritedSize,
                 std::initializer_list<const char*> handled)
        : element_(element), tag_(Html::Tag(element)), role_(role), inheritedSize_(inheritedSize),
          handled_(handled)
    {
    }

    ElementFormat Read()
    {
        ImpliedByTag();
        const GumboVector& attributes = element_->v.element.attributes;
        const char* style = nullptr;
        for (unsigned i = 0; i < attributes.length; ++i) {
            const auto* a = static_cast<const GumboAttribute*>(attributes.data[i]);
            if (std::strcmp(a->name, "style") == 0) style = a->value;
            else if (!IsHandled(a->name)) Attribute(a->name, QByteArrayView(a->value, qsizetype(std::strlen(a->value))));
        }
        // Inline style wins over the attributes.
        if (style)
            for (const Declaration& d : ParseDeclarations(QByteArrayView(style, qsizetype(std::strlen(style)))))
                if (!IsHandled(d.name.constData())) Property(d.name, d.value);
        return std::move(out_);
    }

private:
    const GumboNode* element_;
    GumboTag tag_;
    FormatRole role_;
    int inheritedSize_;
    std::initializer_list<const char*> handled_;
    ElementFormat out_;

    CellFormat& F() { return out_.format; }

    bool IsHandled(const char* name) const
    {
        for (const char* h : handled_)
            if (std::strcmp(h, name) == 0) return true;
        return false;
    }

    void Unread(const QString& what, const QString& why) { out_.unread.push_back({what, why}); }
    void UnreadValue(QByteArrayView name, QByteArrayView value, const QString& why)
    {
        Unread(Text(name) % u"=\"" % Text(value) % u'"', why);
    }

    void ImpliedByTag()
    {
        if (tag_ == GUMBO_TAG_B || tag_ == GUMBO_TAG_STRONG) F().bold = true;
        if (tag_ == GUMBO_TAG_I || tag_ == GUMBO_TAG_EM) F().italic = true;
        if (tag_ == GUMBO_TAG_CENTER) F().hAlign = 1;
    }

    bool TakesAlignAttributes() const
    {
        return role_ == FormatRole::Group || role_ == FormatRole::Row || role_ == FormatRole::Cell;
    }

    template <typename T>
    void SetFromAttribute(std::optional<T>& field, std::optional<T> value, QByteArrayView name,
                          QByteArrayView text, const QString& why)
    {
        // A later style declaration may still replace it; attributes never replace the style.
        if (value) {
            if (!field) field = value;
        } else if (!text.trimmed().isEmpty()) {
            UnreadValue(name, text, why);
        }
    }

    void Attribute(QByteArrayView name, QByteArrayView value)
    {
        if (name == "class") return Unread(u"class=\"" % Text(value) % u'"', QStringLiteral("CSS classes are not read"));
        const bool wrapper = role_ == FormatRole::Wrapper;
        if (name == "bgcolor" && !wrapper)
            return SetFromAttribute(F().background, ParseLegacyColor(value), name, value, QStringLiteral("not a colour"));
        if (name == "align" && (TakesAlignAttributes() || tag_ == GUMBO_TAG_DIV || tag_ == GUMBO_TAG_P))
            return SetFromAttribute(F().hAlign, ParseHAlign(value), name, value, QStringLiteral("a cell aligns left, centre or right"));
        if (name == "valign" && TakesAlignAttributes())
            return SetFromAttribute(F().vAlign, ParseVAlign(value), name, value, QStringLiteral("a cell aligns top, middle or bottom"));
        if (tag_ == GUMBO_TAG_FONT && name == "face") {
            if (!F().face) F().face = value.toByteArray();
            return;
        }
        if (tag_ == GUMBO_TAG_FONT && name == "size")
            return SetFromAttribute(F().size, ParseFontSizeAttribute(value), name, value, QStringLiteral("not a font size"));
        if (tag_ == GUMBO_TAG_FONT && name == "color")
            return SetFromAttribute(F().color, ParseLegacyColor(value), name, value, QStringLiteral("not a colour"));
        if (role_ == FormatRole::Cell && (name == "width" || name == "height"))
            return Unread(Text(name) % u"=\"" % Text(value) % u'"', QStringLiteral("cells take the size of the table"));
        if (role_ == FormatRole::Table && name == "align")
            return Unread(u"align=\"" % Text(value) % u'"', QStringLiteral("the table's place on the page is not kept"));
        Unread(u"attribute \"" % Text(name) % u'"', QStringLiteral("not kept"));
    }

    static bool IsDefaulting(QByteArrayView value)
    {
        const QByteArray v = value.trimmed().toByteArray().toLower();
        return v == "inherit" || v == "initial" || v == "unset" || v == "revert";
    }

    template <typename T>
    void SetFromStyle(std::optional<T>& field, std::optional<T> value, QByteArrayView name, QByteArrayView text)
    {
        if (value) field = value;
        else Unread(Text(name) % u": " % Text(text), QStringLiteral("value not understood"));
    }

    void Background(QByteArrayView name, QByteArrayView value)
    {
        const QByteArray lower = value.trimmed().toByteArray().toLower();
        if (IsTransparent(value) || lower == "none") return;
        if (const std::optional<TColor> c = ParseCssColor(value)) {
            F().background = c;
            return;
        }
        Unread(Text(name) % u": " % Text(value),
               name == "background" ? QStringLiteral("only a plain colour is kept") : QStringLiteral("not a colour"));
    }

    void Property(QByteArrayView name, QByteArrayView value)
    {
        if (IsDefaulting(value)) return;
        const bool wrapper = role_ == FormatRole::Wrapper;
        if ((name == "background-color" || name == "background") && !wrapper) return Background(name, value);
        if (name == "color") return SetFromStyle(F().color, ParseCssColor(value), name, value);
        if (name == "font-weight") return SetFromStyle(F().bold, FontWeight(value), name, value);
        if (name == "font-style") return SetFromStyle(F().italic, FontStyle(value), name, value);
        if (name == "font-family") {
            const QByteArray family = FirstFontFamily(value);
            return SetFromStyle(F().face, family.isEmpty() ? std::nullopt : std::optional(family), name, value);
        }
        if (name == "font-size")
            return SetFromStyle(F().size, ParseCssFontSize(value, inheritedSize_), name, value);
        if (name == "text-align" && (!wrapper || IsBlock(tag_)))
            return SetFromStyle(F().hAlign, ParseHAlign(value), name, value);
        if (name == "vertical-align" && TakesAlignAttributes())
            return SetFromStyle(F().vAlign, ParseVAlign(value), name, value);
        // The table's text margin, when every cell says the same (the HTML5 page writes it so).
        if (name == "padding" && role_ == FormatRole::Cell) {
            const std::optional<int> px = SplitValue(value).size() == 1 ? ParseCssPixels(value.trimmed()) : std::nullopt;
            if (px && *px >= 0) {
                out_.padding = px;
                return;
            }
        }
        Unread(u"CSS " % Text(name) % u": " % Text(value), QStringLiteral("not kept"));
    }

    static std::optional<bool> FontWeight(QByteArrayView value)
    {
        const QByteArray v = value.trimmed().toByteArray().toLower();
        if (v == "bold" || v == "bolder") return true;
        if (v == "normal" || v == "lighter") return false;
        const std::optional<qint64> n = ParseInteger(v);
        if (n && QByteArray::number(*n) == v) return *n >= 600;
        return std::nullopt;
    }

    static std::optional<bool> FontStyle(QByteArrayView value)
    {
        const QByteArray v = value.trimmed().toByteArray().toLower();
        if (v == "italic" || v.startsWith("oblique")) return true;
        if (v == "normal") return false;
        return std::nullopt;
    }
};

}  // namespace

ElementFormat ReadElementFormat(const GumboNode* element, FormatRole role, int inheritedSize,
                                std::initializer_list<const char*> handled)
{
    return FormatReader(element, role, inheritedSize, handled).Read();
}
