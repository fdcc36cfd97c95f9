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
    if (!link.name.contains(u'.'))
        link.href = target.left(sep + 1);
    return link;
}

} // namespace editor
