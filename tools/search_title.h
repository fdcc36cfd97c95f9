#pragma once
// Titles as the search window lists them, and the title syntax the heading
// search and the keyword links read: an icon name in double quotes, the page
// name, "#" keywords separated by "/", a "?" hint.

#include <QByteArray>
#include <QString>

namespace tools {

struct PageTitle {
    QString title;
    bool listable = true;   // false: the page asks never to be found ("NOTFIND")
    bool readFailed = false;
};

// Taken by the scan: ".pdf", ".xl", ".doc", ".jt", ".jxw" anywhere in the
// lower-cased name, or ".htm"/".html" (the name plus "l" holds ".html").
bool isSearchedName(const QString& fileName);

// Title of one file: other than ".html" its file name; a ".html" page its
// <TITLE> (or <title>), else the name without extension less everything
// through its first "_". A file that cannot be read keeps the name rule.
PageTitle ReadPageTitle(const QString& path);
// The same for bytes already read (nullptr: the file could not be read).
PageTitle titleFromBytes(const QString& fileName, const QByteArray* bytes);

// The name rule: name without extension, everything through the first "_" dropped.
QString titleFromName(const QString& fileName);

// The title without its icon (through the second '"') and without its hint
// (from "?" on), its first "#" turned into separator: "name/kw1/kw2".
QString normaliseTitle(const QString& title, const QString& separator = QStringLiteral("/"));

// The keyword part's length, the key of the keyword-length sort: the text
// after the first "#", cut before its first "?"; without "#" the whole title.
int keywordPartLength(const QString& title);

} // namespace tools
