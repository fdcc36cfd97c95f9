#pragma once
// A daily-report page (a file name holding "日報" in an ".html" path) is
// archived after every edit into the daily-report store, under the name the
// page writer gives that day's report, with its memo, its recording and the
// pictures it shows.

#include <QDate>
#include <QString>
#include <QStringList>

namespace editor {

bool isDailyReportPage(const QString& path);

// " " + yyyy年MM月dd日 + the page's base name + ".html", computed for the
// day of the archive (never left over from an earlier save).
QString dailyReportArchiveName(const QString& page, const QDate& day);

// The names the page's src= and background= attributes give (double-quoted
// values, any letter case), in order, each once.
QStringList linkedFileNames(const QString& pageText);

// The file a linked name stands for when it lies inside the page's folder
// (exact name first, then any letter case; symbolic links resolved); ""
// for web addresses, absolute paths, names that climb out and missing files.
QString linkedFileInside(const QString& pageFolder, const QString& name);

// Copies the page, its ".%xt" and ".wav" companions and its linked files
// into store (sub-folders created as needed, nothing written outside it,
// nor outside root, the data root the store lies in, when one is given).
// Missing companions and linked files are skipped. Returns the names that
// could not be copied; empty when all went well.
QStringList archiveDailyReport(const QString& page, const QString& store, const QDate& day,
                               const QString& root = QString());

} // namespace editor
