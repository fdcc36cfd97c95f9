#pragma once
// The page file: one HTML document in the editor's fixed layout (doctype,
// author META with the page size, title, style block, BODY tag, and the
// header, note and footer blocks marked by comments), stored as UTF-8 with a
// byte-order mark and CR LF line ends.
//
// The reader takes a page source apart into a PageModel; the writer builds
// the page back from it. Text between the sections is kept as found, so a
// page read and written again comes out the same.

#include "store/clock.h"
#include "store/page_markers.h"
#include "store/page_model.h"
#include "store/page_tags.h"
#include "store/quiz.h"
#include "store/quiz_render.h"
#include "store/style_blocks.h"

#include <QDateTime>
#include <QString>

namespace store {

// Reads m.Memo82 (the page source) into the fields and section values. The
// path is the page's full path; its folder is where the page's picture is
// looked up (exact name first, then ignoring letter case).
void LoadPageIntoEditor(PageModel& m, const QString& path);

// Builds the page from the fields into m.Memo82. The path only decides the
// daily-report title (a file name holding "日報" in an ".html" path); the
// source view passes "". `now` dates a daily report.
void BuildPageHtml(PageModel& m, const QString& path, const QDateTime& now = store::clock::now());

// Builds the page and stores it at path (UTF-8 with BOM, CR LF) through a
// temporary file, only inside within: on failure the old page stays whole
// and false comes back.
[[nodiscard]] bool SavePage(PageModel& m, const QString& path, const QStringList& within);

} // namespace store
