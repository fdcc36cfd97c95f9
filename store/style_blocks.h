#pragma once
// The CSS block a page carries in its head, between "<!--STYLE_INn-->" and
// "<!--STYLE_OUT-->". Two producers exist and their texts differ: the
// editor's block (written on every save) and the main window's block (put
// into a new dated page before its first edit). Both are kept byte for byte,
// trailing blanks included, because stored pages are compared as text.

#include "store/page_markers.h"

#include <QString>

namespace store {

// "<!--STYLE_IN" + style digit + "-->"
QString styleStartMarker(int style);

// The editor's block for style 1..4, lines joined by CR LF, no line break
// after the end marker. Style 0 (and anything else) gives "".
QString MakeStyleBlock(int style);

// The main window's block for style 1..4, every line followed by CR LF, the
// last too. Any other number gives "".
QString GetStyleBlock(int style);

} // namespace store
