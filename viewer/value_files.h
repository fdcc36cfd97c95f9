#pragma once
// Value files: small "key=value" text files that pages write through the
// commands "JS" and "HISJS" and read back as scripts (quiz scores, history).
// Numeric values can be summed, so a link can count answers.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace valuefiles {

using ValueTable = QList<QPair<QString, QString>>;

// The pairs of the lines that hold "=" at position 2 or later; bare values,
// lines beginning with "=" and empty lines are not taken.
ValueTable parseValueLines(const QStringList& lines);
// key=value, or the value alone when key and value are equal.
QStringList formatValueLines(const ValueTable& table);

// Splits an entry at its first "=" after turning "'" into double quotes;
// an entry without "=" is both key and value.
QPair<QString, QString> splitEntry(const QString& entry);
// True when the value asks for the file to go: exactly "DEL" once blanks
// and quotes around it are trimmed.
bool isDeleteValue(const QString& value);
// Sets every pair of key to value, or sums when value holds "+" or "-" and
// no double quote and both read as numbers; appends when no pair matched.
void applyEntry(ValueTable& table, const QString& key, const QString& value);

enum class ValueFileResult {
    Written,     // the file holds the new table
    Deleted,     // the value asked for deletion and the file is gone
    Unreadable,  // an existing file could not be read: left alone
    WriteFailed, // the write failed; the old file (if any) is whole
    DeleteFailed // the trash refused the file; it is kept
};

// Applies entry to the value file at path: read as UTF-8 when valid, else
// Shift_JIS; written as UTF-8 without BOM with CR LF through a save file,
// only inside within (files::writeBytes).
ValueFileResult setTextFileValue(const QString& path, const QString& entry, const QStringList& within);

// The history page text with its SCRIPT SRC="..." value (found ignoring
// case) replaced by src; nullopt when the page has no such attribute.
std::optional<QString> rewriteHistoryScriptSrc(const QString& page, const QString& src);
// The script address of a history file relative to its pages' folder: the
// name is escaped so a page reads exactly that file ("history/a%23b.txt").
QString historyScriptSrc(const QString& historyName);

} // namespace valuefiles
