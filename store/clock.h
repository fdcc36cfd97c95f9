#pragma once
// The one clock of the program: every date and time it writes or compares
// (the daily report, dated pages, posts, archives, memos, recordings) comes
// from here, so tests can fix the moment and a run across midnight cannot
// change a result.

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace store::clock {

QDateTime now();   // local time
QDate today();
QTime timeOfDay();

// Tests: every reading returns moment until clearFixed().
void setFixed(const QDateTime& moment);
void clearFixed();

} // namespace store::clock
