#pragma once
// Small path and name helpers that the page list, the page display and the
// page commands share. The main window forwards its methods of the same
// names here. Paths use "/"; callers turn page-supplied "\" into "/" first
// (files::slashes) where a rule says so.

#include <QString>

namespace store {

// Local path of a shown URL: "" for web addresses (isWebAddress), the local
// file of a file: URL, else S itself.
QString CutNN(const QString& S);
// S made safe as a file name: ' * ? " | / < > become "_"; surrogate pairs
// are kept whole; ":" and "\" stay.
QString seitou(const QString& S);
// Every "%20" becomes a blank: the only URL decoding page commands get.
QString DecodeSpaces(const QString& S);
// The text after the last "/"; S itself when it holds none.
QString AfterLastSlash(const QString& S);
// Absolute path for a src=, background= or href= value of a page shown from
// CurrentFolder. "../" and "./" count only at the start; file: URLs become
// paths; other relative values and absolute paths come back as they are,
// normalised. Web and other scheme addresses come back unchanged.
QString ResolveRelativeLink(const QString& S, const QString& CurrentFolder);
// The file a picture reference of a page in folder names, "" when it is gone:
// the reference as written, then with its %-escapes decoded ("a%20b.jpg"); a
// relative one against folder, an absolute path or file: URL as it stands;
// each by its exact name first, then in any letter case. "\" counts as "/".
QString FindReferencedFile(const QString& folder, const QString& reference);
// S up to and including its last "/"; "" without one.
QString DirectoryPart(const QString& S);
QString ParentFolderPath(const QString& S);
// Name of the folder that holds the last element of S ("/a/b/c.html" -> "b");
// the text before the only "/" when S holds one; "" when none.
QString ParentFolderName(const QString& S);
// The user's desktop folder, created when missing.
QString DesktopFolder();
// S repeated N times; "" for N <= 0.
QString RepeatString(const QString& S, int N);
// "<" -> "&lt;", then ">" -> "&gt;".
QString EscapeAngleBrackets(const QString& S);
// "&lt;" -> "<", then "&gt;" -> ">"; no other entity is decoded.
QString UnescapeAngleBrackets(const QString& S);

// True for http:// and https:// addresses, any letter case: S begins with
// one of the two schemes. Text that merely holds "http://" further on (a
// fragment, a query, a file name) is no web address.
bool isWebAddress(const QString& S);

} // namespace store
