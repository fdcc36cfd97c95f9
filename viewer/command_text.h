#pragma once
// The page-command language as text, without a window: how a link URL
// becomes a command list, how the list is cut into pieces, how conditional
// pieces choose a command and counter pieces change the counter, how a
// command line splits into words, and how "GO" finds its entry.

#include <QString>
#include <QStringList>
#include <optional>

namespace commands {

// True when "$" stands after the first character: the URL carries commands.
bool isCommandLink(const QString& url);
// The command list of a command link: "%20" turned into blanks, one ","
// appended, everything through the first "$" removed.
QString commandListFromUrl(const QString& url);

// Takes the next piece (the text before the first ",") off list, together
// with its "," and everything through the next "$". nullopt when the list
// holds no "," any more.
std::optional<QString> takePiece(QString& list);

bool isConditionalPiece(const QString& piece);  // begins with "<" or ">"
bool isCounterPiece(const QString& piece);      // begins with "=", "+" or "-"
// The command a "<N[then][else]" or ">N[then][else]" piece chooses for
// counter; may be empty. N that is not a number counts as 0.
QString selectConditional(const QString& piece, int counter);
// The counter after a "+N", "-N" or "=xN" piece; nullopt when N is not an
// integer (the list then stops).
std::optional<int> applyCounterOp(const QString& piece, int counter);

// The words of a command line: blank-separated, "double quoted" words may
// hold blanks. Always ends, whatever the quotes.
QStringList tokenize(const QString& line);
// The text after the first blank; "$" turned into "\" when it begins with "$".
QString commandArg(const QString& line);

// "_" + file name without extension + "/" of an entry.
QString goKey(const QString& entry);
// Index of the first entry whose key holds "_" + arg + "/"; -1 when none.
int findGoEntry(const QStringList& entries, const QString& arg);

// The path a name in a command stands for (page-supplied "\" read as "/"):
// "/" paths and file: URLs as they are; a drive-letter path names nothing
// here (""); anything else, one leading "." dropped, inside currentFolder.
QString resolveName(const QString& name, const QString& currentFolder);
// The same for programs and their arguments, where a leading "." means the
// data root.
QString resolveProgramName(const QString& name, const QString& rootFolder, const QString& currentFolder);
// The folder "DIR" opens: a "/" path as it is; a name beginning with "."
// relative to currentFolder; a drive-letter path nothing (""); anything else
// (also "\sub" from "$sub") inside the data root.
QString dirFolder(const QString& arg, const QString& rootFolder, const QString& currentFolder);

} // namespace commands
