#pragma once
// Which view shows an entry, decided from its address alone, so the rule can
// be checked without a window. TForm1::PageClick (page_display.cpp) acts on it.

#include <QString>

namespace viewer {

enum class PageView {
    Browser,   // WebBrowser1: pages, text, PDF and other documents it can show
    Picture,   // the picture viewer Panel10
    External,  // the open-externally panel Panel1
};

// Lower-cased extension with its dot: the text from the last "." that no "/"
// follows; "" when there is none.
QString lowerExtension(const QString& path);
// The view for an entry: web addresses (http:// or https://, any case) always
// go to the browser; files by their lower-cased extension.
PageView chooseView(const QString& address, const QString& lowerExt);
// The posting button is offered for HTML pages only.
bool offersPosting(const QString& lowerExt);

} // namespace viewer
