#pragma once
// The files a page uses, found where the browser engine finds them: the
// src, href, background, data, poster and srcset attributes of its tags in
// any quoting, CSS url() (and @import) in style attributes and STYLE
// elements, and the quoted icon right after "<TITLE>" that the program
// itself shows. Script text is not read; markup inside comments is, since a
// picture commented out for now still belongs to the page.
//
// A reference keeps the form it was written in: its quoting, a query
// ("?v=2"), a fragment ("#top") and %-escapes belong to the written form,
// not to the file name. Renaming a file rewrites only the name in it and
// leaves the rest as it stood. Every question of which files a page uses
// (renaming, the delete plan, the clean-up, the linked files, the page copy)
// asks this finder, so they all agree with what the page shows.

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace store {

enum class ReferenceKind {
    Src,        // src, and data of OBJECT: a frame or an object may embed a page
    Srcset,     // one picture of a srcset list
    Poster,
    TitleIcon,  // <TITLE>"icon.gif"…: the program's own, taken as written
    Background, // the background attribute
    CssUrl,     // url() or @import in a style attribute or a STYLE element
    Href,
};

// Where a reference is written matters when a new name is put in its place:
// the characters that would end it are escaped.
enum class ReferenceContext {
    DoubleQuoted, // attribute value in "…"
    SingleQuoted, // attribute value in '…'
    Unquoted,     // attribute value without quotes
    Css,          // url(…) without quotes, in a style attribute or element
    CssQuoted,    // url("…") or url('…') (the quote is in quote)
    Title,        // the title icon
};

struct PageReference {
    ReferenceKind kind = ReferenceKind::Src;
    ReferenceContext context = ReferenceContext::DoubleQuoted;
    QChar quote;             // the quote around the value, null without one
    bool inAttribute = true; // character references (&amp;) apply
    bool inSrcset = false;   // a comma or a blank would end it
    // The written value (inside its quotes) in the text, 0-based.
    qsizetype start = 0;
    qsizetype length = 0;
    QString value;
    // The written path: blanks around it, the query and the fragment left
    // out. Empty for a value that is only "#top" or "?x".
    qsizetype pathStart = 0;
    qsizetype pathLength = 0;
    QString path;
    // The path as a file name: character references and %-escapes decoded
    // (a file: URL becomes its local path).
    QString name;
};

// Every reference of the page text, in text order.
QList<PageReference> findPageReferences(const QString& text);

// The references of a page's bytes, read through the one decoder of pages.
// A page that decodes no way is read as UTF-8 and as Shift_JIS both, so that
// a check of what it uses errs on the side of "used"; the places of such
// references are not places in any one text.
QList<PageReference> findPageReferences(const QByteArray& pageBytes);
// The same for a page file; nullopt when it cannot be read.
std::optional<QList<PageReference>> readPageReferences(const QString& path);

// The absolute, cleaned path a reference names for a page in folder: "\"
// counts as "/", "./" and "../" count from folder, absolute paths and
// file: URLs stand as they are. "" for references that name no local file
// (web and other schemes, drive letters, a bare fragment or query).
QString referencedPath(const PageReference& ref, const QString& folder);

// A new file name for a reference (its last path element, decoded), or
// nullopt to keep it as it is.
using ReferenceRenamer = std::function<std::optional<QString>(const PageReference&)>;

// The text with the last path element of every reference that renamer
// renames replaced by the new name, written the way the old one was: %-escaped
// when it was, its folder part, query, fragment and quoting kept. changed
// (when given) gets the number of references rewritten.
QString renameReferences(const QString& text, const ReferenceRenamer& renamer, int* changed = nullptr);

// The new name as it is to stand in place of written (the old last path
// element) in a reference of that context.
QString writtenName(const QString& newName, const QString& written, const PageReference& ref);

} // namespace store
