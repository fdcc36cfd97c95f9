#pragma once
// Printing from the main window: the shown page through a print preview,
// the page's worksheet with blanks or with the answers in red, and the
// merged thumbnail document. The generated pages ("test.html",
// "resumeE.html") are written into the work folder and previewed through
// the never-shown print view WebBrowser3.

// MergeCheckedPages ("サムネイルRESUMEを印刷") is declared with the merge.
#include "tools/merge_pages.h"

#include <QString>

class TForm1;

namespace platform {
class Browser;
}

namespace tools {

// The print preview of a browser view's document.
void PrintBrowserPreview(platform::Browser* browser, const QString& title);

// "ページの印刷": the page as the main view shows it.
void N6Click(TForm1& w);

// Writes the worksheet of the selected page (mode of store::RenderQuizAnswers)
// and copies its pictures; false when there is no page or nothing was written.
bool BuildWorksheetHtml(TForm1& w, int mode);
QString WorksheetFile(const TForm1& w);
QString ResumeFile(const TForm1& w);

// "名前欄をつけて(　)印刷" and "名前欄をつけて(赤解)印刷".
void PrintPageWorksheet(TForm1& w);
void PrintPageAnswerSheet(TForm1& w);
// Loads a generated page into WebBrowser3; its completion opens the preview.
void PreviewInPrintView(TForm1& w, const QString& path);
// WebBrowser3's document-complete.
void WebBrowser3DocumentComplete(TForm1& w, const QString& url);

} // namespace tools
