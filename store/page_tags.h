#pragma once
// Small helpers for the start tags the editor keeps in its fields: reading an
// attribute value and setting, adding or removing one attribute. Attribute
// names match only where an attribute can start (after a blank inside a tag,
// outside quoted values), so a src named "bandwidth.jpg" never counts as a
// width attribute.

#include <QString>
#include <optional>

namespace store {

struct AttributeSpan {
    int nameStart = -1;  // 0-based index of the attribute name
    int valueStart = 0;  // first unit of the value (inside the quotes)
    int valueEnd = 0;    // one past the value's last unit
    int end = 0;         // one past the attribute (after a closing quote)
};

// First attribute `name` (case-insensitive) inside a tag of text. With
// startsInTag the text is taken to start inside a tag (a lone start tag
// without its "<" still works); otherwise tags are found by their "<".
std::optional<AttributeSpan> findAttribute(const QString& text, const QString& name, bool startsInTag);
std::optional<QString> attributeValue(const QString& text, const QString& name, bool startsInTag = false);

// 0-based index of the ">" that ends the tag whose "<" (or first unit) is at
// `from`, skipping quoted values; falls back to the first ">"; -1 when none.
int tagCloseIndex(const QString& text, int from);

// Sets (name="value"), removes (name="") or, with an empty attribute, drops
// an align attribute and everything after it. A tag without ">" gives "".
QString SetTagAttribute(const QString& tag, const QString& attribute);

// "<" -> "&lt;", then ">" -> "&gt;"; nothing else ("&" stays).
QString EscapeTitleText(const QString& s);
QString UnescapeTitleText(const QString& s);

} // namespace store
