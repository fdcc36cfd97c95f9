#include "tools/look_command.h"

#include "tools/search_run.h"
#include "viewer/main_window.h"

#include <QUrl>

namespace tools {

bool lookUp(TForm1& w, const QString& currentEntryPathUpper, const QString& word,
            laterwindows::LookResult& result)
{
    SearchSession& s = searchSession();
    s.Tag = 1;
    s.SearchRoot = w.CurrentFolder();
    s.Edit1 = word;
    s.Label2 = currentEntryPathUpper;
    s.progress = {};
    s.countChanged = {};
    s.activate(w.SearchCacheKey);
    s.close();
    result.entries = s.ListBox.entries;
    result.titles = s.ListBox.titles;
    // The preview ends on the first entry of what is handed over: the first
    // match, or the first of the whole list when nothing matched.
    result.previewedIndex = s.ListBox.isEmpty() ? -1 : 0;
    result.lastCaption = s.ListBox.isEmpty() ? QString()
                                             : QUrl::fromLocalFile(s.fullPath(s.ListBox.entries[0])).toString();
    return true;
}

} // namespace tools
