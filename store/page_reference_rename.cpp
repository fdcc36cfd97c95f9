// Putting a new name into a reference the way the old one was written.
#include "store/page_references.h"

#include <QRegularExpression>

#include <algorithm>

namespace store {

namespace {

bool hasPercentEscape(const QString& s)
{
    static const QRegularExpression escape(QStringLiteral("%[0-9A-Fa-f]{2}"));
    return escape.match(s).hasMatch();
}

// Characters a new name cannot hold as they are where it stands.
bool mustEscape(char c, const PageReference& ref)
{
    if (c == '%' || c == '?' || c == '#' || c == '"' || c == '\'' || c == '<' || c == '>' || c == '`')
        return true;
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f')
        return ref.context == ReferenceContext::Unquoted || ref.context == ReferenceContext::Css || ref.inSrcset;
    if (c == '(' || c == ')' || c == '\\')
        return ref.context == ReferenceContext::Css;
    return c == ',' && ref.inSrcset;
}

bool isUnreserved(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_' || c == '~';
}

} // namespace

QString writtenName(const QString& newName, const QString& written, const PageReference& ref)
{
    if (ref.kind == ReferenceKind::TitleIcon)
        return newName;
    const bool escaped = hasPercentEscape(written);
    QByteArray out;
    for (const char c : newName.toUtf8()) {
        const bool ascii = static_cast<unsigned char>(c) < 0x80;
        if ((escaped && !isUnreserved(c)) || (!escaped && ascii && mustEscape(c, ref)))
            out += '%' + QByteArray(1, c).toHex().toUpper();
        else if (c == '&' && ref.inAttribute)
            out += "&amp;";
        else
            out += c;
    }
    return QString::fromUtf8(out);
}

QString renameReferences(const QString& text, const ReferenceRenamer& renamer, int* changed)
{
    QString result = text;
    const QList<PageReference> refs = findPageReferences(text);
    int count = 0;
    // From the end, so that the places of the earlier ones stay.
    for (auto r = refs.crbegin(); r != refs.crend(); ++r) {
        const std::optional<QString> newName = renamer(*r);
        if (!newName)
            continue;
        const qsizetype cut = std::max(r->path.lastIndexOf(u'/'), r->path.lastIndexOf(u'\\')) + 1;
        const QString old = r->path.mid(cut);
        const QString replacement = writtenName(*newName, old, *r);
        if (replacement == old)
            continue;
        result.replace(r->pathStart + cut, old.size(), replacement);
        ++count;
    }
    if (changed)
        *changed = count;
    return result;
}

} // namespace store
