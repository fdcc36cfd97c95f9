#pragma once
// Answer sheets: the last paragraph of a page as the learner's form, and the
// CSV row its bracketed slots become ("_" + page name + ".csv" beside the page).

#include <QString>
#include <QStringList>

namespace answersheet {

// The page's last paragraph as plain text: "<BR>" as CR LF, tags removed.
QString SheetText(const QString& pageText);

struct Row {
    QString labels;  // the first line of a new CSV
    QString answers; // one line per submission
};
// The labels and answers of the memo text (lines joined by CR LF; a line
// separator U+2028 or paragraph separator U+2029 counts as a line end).
Row BuildRow(const QString& memoText);

// "_" + base name + ".csv" in the page's own folder.
QString AnswerCsvPath(const QString& pagePath);

enum class AppendResult { Written, WriteFailed, EncodingRefused, Unreadable };
// A new or empty CSV gets the labels line and the answers line (UTF-8 with
// BOM, CR LF); an existing one gets the answers line appended in the
// encoding it is in (a spreadsheet may have saved it in Shift_JIS). A
// failed append takes back what it wrote, so earlier rows stay whole. A CSV
// that is there but cannot be read is left alone (Unreadable): it holds
// earlier answers that a new file would replace. With within, the CSV is
// written only where it lies inside one of those folders once every link on
// the way is followed, and the write does not follow a link swapped in later.
AppendResult AppendRow(const QString& csvPath, const Row& row, const QStringList& within);

} // namespace answersheet
