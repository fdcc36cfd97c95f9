#pragma once
// A new page named by the moment it was asked for: its file name, its title
// and the text the editor starts from. The file itself is only written when
// the user saves it in the editor.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace editor {

// 2020年04月14日 (two-digit month and day)
QString datedPageTitle(const QDate& day);

// The new page's source: fourteen lines separated by a lone CR, the title
// and the main window's style block 1 in its head, empty header and footer
// blocks, and no line end after "</HTML>".
QString datedPageTemplate(const QString& title);

// Full path of the new page in folder: the stamp yyyyMMdd-ddMMss + n +
// ".html", where n starts at 1 + the number of entries holding the day as
// yyyyMMdd and grows until no file of that name (in any letter case) is
// there. "" when no free name is found.
QString datedPageName(const QString& folder, const QDateTime& now, const QStringList& topEntries);

} // namespace editor
