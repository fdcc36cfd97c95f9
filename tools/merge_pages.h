#pragma once
// The merged thumbnail document of a page list: every page is shown in
// turn, given a moment to draw, captured as a JPEG in the work folder, and
// listed with its title and memo in "resumeE.html", five rows to a table.
// The run is driven by Timer4, so the window stays usable; a progress
// dialog counts the pages and can stop it; one run at a time.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class TForm1;

namespace merge {

struct ResumeRow {
    QString picture; // file name of the page's picture beside the document
    QString title;
    QString memo;    // as HTML: escaped, line breaks as <BR>
};

// The page's title for its row: the text of its TITLE tag in a page that
// declares an HTML 4 doctype, else the entry's name without extension;
// in both cases everything through the first "_" is dropped.
QString resumeTitle(const QString& pageText, const QString& entryFileName);

// The memo text as HTML: "&", "<", ">" escaped, then line breaks as "<BR>".
QString memoHtml(const QString& memo);

// "_" + the page's name with extension ".jpg"; a name already in used gets
// the page's extension and, when still taken, a number, so no two pages of
// one document share a picture. The name is added to used.
QString pictureName(const QString& entryFileName, QSet<QString>& used);

// A picture name as a relative URL inside the document (characters that
// would end or bend the address are escaped).
QString pictureUrl(const QString& name);

// The lines of the document for rows, tables width wide (at least one row).
QStringList resumeLines(const QList<ResumeRow>& rows, int width);

} // namespace merge

namespace tools {

// Starts the merge of the pages of the shown list (nothing without a list,
// nothing while a merge runs).
void MergeCheckedPages(TForm1& w);
// Timer4's tick: the wait for the shown page is over.
void Timer4Timer(TForm1& w);
// Whether a merge is running.
bool MergeRunning();

} // namespace tools
