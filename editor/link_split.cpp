// Splitting the link dialog's target into the address and the link text.
#include "editor/markup.h"

#include <algorithm>

namespace editor {

LinkTarget splitLinkTarget(const QString& target)
{
    // "/" separates on Linux; "\" still comes from targets typed the
    // Windows way. ":" is an ordinary character of a Linux file name.
    const int sep = std::max(target.lastIndexOf(u'/'), target.lastIndexOf(u'\\'));
    LinkTarget link{target, target.mid(sep + 1)};
    // A bare name without a folder part keeps itself as the address: an
    // empty href would point the link back at the page.
    if (!link.name.contains(u'.') && sep >= 0)
        link.href = target.left(sep + 1);
    return link;
}

} // namespace editor
