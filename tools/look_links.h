#pragma once
// LOOK keyword links: every place in a page's body where the name or a
// keyword of another page of the folder occurs becomes a link that runs the
// page command "LOOK" with that word. The text of the link stays as the user
// wrote it, so removing the links gives the page back byte for byte.

#include <QString>
#include <QStringList>

namespace tools {

// The start of a keyword link as written (ends in one blank).
inline const QString kLookLinkStart = QStringLiteral("<A href=\"/$LOOK ");

// Drops every keyword link (a start tag beginning <A HREF="/$LOOK in any
// letter case, through its ">", and the "</A>" after its text); the link
// texts stay. A tag or link left open at the end keeps the rest as it is.
QString removeLookLinks(const QString& text);

// The words a page title offers for links: its name, then its keywords, the
// icon and the "?" hint left out; "<" and ">" escaped as the page text holds
// them. Words holding '"' or ',' are left out (they would break the link).
QStringList lookWordsOfTitle(const QString& title);

// One page of the folder offered for links.
struct LookPage {
    QString path;  // full path of the page
    QString title; // raw title
};

// Removes the old links, then links the body of text (the part after
// "</HEAD>", or after "</TITLE>" without it; all of it without either) with
// the words of pages, walked from the last to the first (the caller sorts
// them shortest keyword part first). The page at currentPath (compared
// without case) gives no words. Nothing is linked inside a tag, a link,
// a script, style, textarea or title element, a comment, or a character
// reference. The page
// is searched once for all the words, however many there are.
QString addLookLinks(const QString& text, const QList<LookPage>& pages, const QString& currentPath);

} // namespace tools
