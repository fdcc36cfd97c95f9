#pragma once
// "Open" and "explore" with the desktop's associated programs. Both go
// through the dialog seam's openUrl, so tests observe them.

#include <QString>

namespace platform {

// Opens a file (or web address) with its associated program.
bool openPath(const QString& pathOrUrl);
// openPath, and when no program takes the file a message names it, so a
// click never ends in silence.
bool openPathOrSay(const QString& path);
// Shows a folder in the file manager; false for anything but an existing folder.
bool exploreFolder(const QString& folder);
// The paint program: the first of the known ones on PATH; "" when none.
QString paintProgram();
// The spreadsheet program: the desktop's default for .xls files, else the
// first of the known spreadsheet programs on PATH; "" when there is none.
// Nothing is asked of the desktop in test mode.
QString spreadsheetProgram();

// The spreadsheet program as the edit hand-off reads it. Asking the desktop
// may take seconds, so it is asked the first time the path is read, not when
// the program starts; a path assigned before that stands instead.
class SpreadsheetPath {
public:
    operator const QString&() const;
    SpreadsheetPath& operator=(const QString& path);
    void clear() { *this = QString(); }
    // False until the path has been read or assigned.
    bool known() const { return known_; }

private:
    mutable QString path_;
    mutable bool known_ = false;
};

} // namespace platform
