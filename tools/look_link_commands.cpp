#include "tools/look_link_commands.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/page_encoding.h"
#include "store/paths.h"
#include "tools/look_links.h"
#include "tools/search_run.h"
#include "viewer/command_values.h"
#include "viewer/main_window.h"

#include <QCoreApplication>

namespace tools {

namespace {

QString currentEntry(const TForm1& w)
{
    const QStringList entries = w.levels.topEntries();
    const int i = w.PBan();
    return i >= 0 && i < entries.size() ? entries[i] : QString();
}

// An entry of a search or link level may be a path of its own.
QString currentPagePath(const TForm1& w)
{
    return w.levels.entryPath(w.PBan());
}

// The pages of the current folder, shortest keyword part first (the search
// window's whole list in mode 2).
QList<LookPage> folderPages(TForm1& w)
{
    SearchSession& s = searchSession();
    s.Tag = 2;
    s.SearchRoot = w.CurrentFolder();
    s.Edit1.clear();
    s.progress = {};
    s.countChanged = {};
    w.setEnabled(false);
    s.activate(w.SearchCacheKey);
    s.close();
    QCoreApplication::processEvents();
    w.setEnabled(true);
    QList<LookPage> pages;
    for (int i = 0; i < s.ListBox.size(); ++i)
        pages.append({s.fullPath(s.ListBox.entries[i]), s.ListBox.titles[i]});
    return pages;
}

const QByteArray kBom("\xEF\xBB\xBF");

void applyToCurrentPage(TForm1& w, int mode)
{
    if (w.PBanSu() <= 0 || w.PBan() < 0)
        return;
    const QString entry = currentEntry(w);
    if (entry.isEmpty() || entry.contains(QStringLiteral("http:"), Qt::CaseInsensitive)
        || store::isWebAddress(entry))
        return;
    const QString path = currentPagePath(w);
    QString refusal;
    const std::optional<store::PageText> read = store::readPageToRewrite(path, refusal);
    if (!read) {
        if (!refusal.isEmpty())
            platform::showMessage(refusal, platform::MsgType::Warning);
        return;
    }
    // A Shift_JIS page becomes UTF-8, marked so that it is read as such.
    const bool bom = read->hasBom || read->encoding != store::PageEncoding::Utf8;
    const QString& text = read->text;
    if (!text.contains(QStringLiteral("<!DOCTYPE HTML PUBLIC")))
        return;
    const QString changed = ApplyLookLinks(w, mode, text);
    // Line ends and the byte-order mark stay as they were: only the links change.
    if (changed != text && !files::writeBytes(path, (bom ? kBom : QByteArray()) + changed.toUtf8(), commands::writeRoots(w).folders))
        platform::showMessage(QStringLiteral("ページを書き込めませんでした。"), platform::MsgType::Warning);
    w.PageClick(0, true);
}

} // namespace

QString ApplyLookLinks(TForm1& w, int mode, const QString& text)
{
    if (w.PBan() < 0)
        return text;
    if (mode != 0)
        return removeLookLinks(text);
    const QList<LookPage> pages = folderPages(w);
    const QString linked = addLookLinks(text, pages, currentPagePath(w));
    QCoreApplication::processEvents();
    return linked;
}

void AddLookLinks(TForm1& w)
{
    applyToCurrentPage(w, 0);
}

void RemoveLookLinks(TForm1& w)
{
    applyToCurrentPage(w, 1);
}

} // namespace tools
