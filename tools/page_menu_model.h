#pragma once
// What the page context menu offers for one entry, worked out without a
// window: the items by page type, the shortcut (".desktop") files of the
// folder, and the program line a shortcut runs for the shown page.

#include <QList>
#include <QString>
#include <QStringList>

namespace tools {

enum class PageMenuAction {
    None, // separator
    Edit,
    Copy,
    Post,
    ChangeOrder,
    RenameNumbered,
    Delete,
    DeleteUnlinked,
    AddLookLinks,
    RemoveLookLinks,
    PrintWorksheet,
    PrintAnswerSheet,
    MergeChecked,
    Print,
    Shortcut, // tag: index into the shortcut list
    Help,
};

struct PageMenuItem {
    QString caption; // "-" for a separator
    int picture = -1; // index into the menu's pictures, -1 none
    PageMenuAction action = PageMenuAction::None;
    int tag = 0;
    bool isSeparator() const { return caption == QLatin1String("-"); }
};

// The application named in the captions of pages that are not ".html".
QString applicationName(const QString& lowerExtension);

// entry: entry PBan of the top list level; shortcuts: the file names of the
// folder's shortcut files; hasHelp: the folder holds its help page.
QList<PageMenuItem> pageMenuItems(const QString& entry, const QStringList& shortcuts, bool hasHelp);

// Shortcut files among names (their extension ".desktop", any letter case),
// in the given order.
QStringList shortcutFiles(const QStringList& names);

// Program and arguments of a shortcut's "Exec" line (desktop entry rules:
// quoting, "%f %F %u %U" take the page, "%%" is "%", other field codes
// vanish). Without a field code for a file the page is appended. Empty when
// the entry has no Exec line or it cannot be split.
QStringList shortcutCommand(const QString& desktopFileText, const QString& pagePath);

} // namespace tools
