#pragma once
// Text operations with the semantics the page rules are written in:
// 1-based positions, 0 for "absent", length-keeping case mapping, clamped
// copy and delete, right-trim that keeps the full-width blank, checked
// integer conversion, half-to-even rounding and locale-free Japanese dates.
// Every rule that cuts a text at a position found in a cased copy relies on
// upper()/lower() never changing the length.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace text {

// Per UTF-16 unit; the result has exactly the length of s ("ß" stays "ß").
QString upper(const QString& s);
QString lower(const QString& s);

// 1-based position of the first needle in hay at or after `from` (1-based);
// 0 when absent. An empty needle is never found.
int pos(const QString& needle, const QString& hay, int from = 1);
// 1-based position of the last needle in hay; 0 when absent or empty.
int lastPos(const QString& needle, const QString& hay);
bool contains(const QString& hay, const QString& needle);

// count units from the 1-based start; a start below 1 acts as 1, a count
// past the end stops at the end, a count below 1 gives "".
QString copy(const QString& s, int start, int count);
// everything from the 1-based start to the end
QString copyFrom(const QString& s, int start);
// s without count units from the 1-based start (clamped like copy)
QString del(const QString& s, int start, int count);
// s with ins placed before the 1-based position (clamped to 1 .. len+1)
QString insert(const QString& ins, const QString& s, int position);

// Trimming strips units up to U+0020 only; U+3000 stays.
QString trimRight(const QString& s);
QString trimLeft(const QString& s);
QString trim(const QString& s);

// Every occurrence (replaceFirst: the first), case-sensitive, left to right.
QString replaceAll(const QString& s, const QString& from, const QString& to);
QString replaceFirst(const QString& s, const QString& from, const QString& to);

// Decimal integer with an optional sign and leading blanks; "$" or "0x"
// hexadecimal too. Anything else (empty, trailing junk, overflow) fails.
std::optional<int> toInt(const QString& s);
int toIntDef(const QString& s, int fallback);
// Leading decimal digits of s (after blanks); fails when there are none.
std::optional<int> leadingInt(const QString& s);

// Halves go to even: 2.5 -> 2, 3.5 -> 4. Out of the int range: held at its
// ends; not a number: 0.
int roundHalfEven(double v);
// Truncates toward zero; a zero divisor gives 0; a quotient past the int
// range is held at its end.
int divTrunc(int a, int b);
// Decimal text with "." whatever the locale.
QString fromDouble(double v);

// 2026年12月9日
QString dateJa(const QDate& d);
// 水 (one character, Monday 月 .. Sunday 日)
QString weekdayJa(const QDate& d);
// yyyyMMdd + "-" + ddmmss, where the second dd/mm are day and month again
// and ss the seconds: a stamp the program has always written this way.
QString stampDdmmss(const QDateTime& t);
// zero-padded decimal
QString pad(int v, int width);

} // namespace text
