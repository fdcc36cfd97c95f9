#pragma once
// The folder list "_folder.txt", without a window: one folder a line,
// relative to the program's folder, "\" or "/" between levels, "//" marks a
// comment line. Lines that would leave the program's folder are refused;
// folders are made parents first and never through a symbolic link; the
// existing tree is collected without following links.

#include <QString>
#include <QStringList>

namespace tools::folderlist {

struct ParsedList {
    QStringList folders; // relative, "/" between levels, in list order
    QStringList refused; // the lines (trimmed) that would leave the base folder
};

// Splits the list text into folder lines; empty and "//" lines are skipped.
ParsedList parse(const QString& text);

// Makes every level of every folder under base, outer levels first.
// Returns the folders that could not be made (a level that exists is no failure).
QStringList create(const QString& base, const QStringList& folders);

// Every folder below base, depth first, each parent before its children,
// with "\" between levels so the list travels between machines; base itself
// is not listed. Links and hidden folders are left out.
QStringList collect(const QString& base);

} // namespace tools::folderlist
