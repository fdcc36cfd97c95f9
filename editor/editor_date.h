#pragma once
// Today's date in the heading, and the reset "初期化" that empties the text
// fields for a fresh page (with the fixed headings of a daily report).

#include "store/page_model.h"

#include <QDate>
#include <QString>

namespace editor {

// " 2024年3月5日": a blank, then the date without leading zeros.
QString headingDateText(const QDate& d);
// ":2024/3/5"
QString dailyReportSuffix(const QDate& d);
// The heading with the date between its first "[" and the "]" after it, or
// the bracketed date alone.
QString headingWithDate(const QString& heading, const QDate& d);

// SpeedButton41: today's date (store::clock) into the heading.
void dateButtonClick(store::PageModel& m);
// SpeedButton39 "初期化". pagePath is the window caption.
void resetButtonClick(store::PageModel& m, const QString& pagePath);

} // namespace editor
