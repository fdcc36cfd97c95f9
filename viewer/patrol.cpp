#include "viewer/patrol.h"

#include "viewer/later_windows.h"
#include "viewer/folder_check.h"
#include "platform/browser.h"
#include "store/files.h"
#include "store/paths.h"
#include "store/text.h"
#include "viewer/main_window.h"
#include "viewer/page_display.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace viewer {

QString patrolTimeText(const QDateTime& t)
{
    const QDateTime local = t.toLocalTime();
    const QDate d = local.date();
    const QTime h = local.time();
    return text::pad(d.year(), 4) + QStringLiteral("年") + text::pad(d.month(), 2) + QStringLiteral("月")
        + text::pad(d.day(), 2) + QStringLiteral("日") + text::pad(h.hour(), 2) + QStringLiteral("時")
        + text::pad(h.minute(), 2) + QStringLiteral("分") + text::pad(h.second(), 2) + QStringLiteral("秒");
}

bool isVideoExtension(const QString& ext)
{
    return !ext.isEmpty() && kVideoList.contains(ext);
}

ClickHints openExternallyHints(const QString& ext, const QString& exeBaseName)
{
    const QString copyFolder = QStringLiteral("【") + exeBaseName + QStringLiteral("】");
    ClickHints h{QStringLiteral("---　左クリックで開く ---"),
                 QStringLiteral("右クリックでデスクトップの") + copyFolder + QStringLiteral("にコピーして開く")};
    if (isVideoExtension(ext)) {
        h.left = QStringLiteral("左クリックで動画を再生");
        h.right = QStringLiteral("右クリックでデスクトップの") + copyFolder + QStringLiteral("にコピーして再生");
    }
    if (!ext.isEmpty() && QStringLiteral(".zbx/.zba/").contains(ext)) {
        h.left = QStringLiteral("左クリックでプログラムを開く");
        h.right = QStringLiteral("右クリックで音wav・音楽midといっしょに") + copyFolder
            + QStringLiteral("にコピーしてプログラムを開く");
    }
    if (ext.contains(QStringLiteral(".doc")))
        h.left = QStringLiteral("左クリックでワードで開く");
    if (ext.contains(QStringLiteral(".xls")))
        h.left = QStringLiteral("左クリックでエクセルで開く");
    return h;
}

} // namespace viewer

// ---- TForm1: the patrol timer and the status of the shown file ----

using namespace viewer;

namespace {

void setPatrolButton(TForm1& w, const QString& caption, platform::Image* glyph)
{
    w.SpeedButton12->setGlyph(glyph->picture());
    w.SpeedButton12->setCaption(caption);
}

// Other handlers may run here (the patrol has always let them), but no input:
// a click must not start a display in the middle of a tick.
void letPendingEventsRun()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QDateTime creationTime(const QFileInfo& info)
{
    const QDateTime birth = info.birthTime();
    return birth.isValid() ? birth : info.metadataChangeTime();
}

// The memo beside a page is looked up with letter case ignored; that reads
// the page's whole folder, so it is made again only when the folder changed.
CaseIgnoringLookup& memoLookup()
{
    static CaseIgnoringLookup lookup;
    return lookup;
}

// The page memo follows the shown file: its caption carries the time of the
// file's memo, or "白紙" when the file has none. The main window keeps both;
// the memo window, where it has been made, shows them, and it closes then
// unless a blank memo is being written.
void followPageMemo(TForm1& w, const QString& path)
{
    w.MemoAvailable = 1;
    const QFileInfo shown(path);
    const QString wanted = path.isEmpty()
        ? QString()
        : files::joinPath(shown.path(), shown.completeBaseName() + QStringLiteral(".%xt"));
    const QString memo = memoLookup().findPath(wanted);
    QWidget* memoWindow = laterwindows::hooks().memoWindow; // never made here
    const QString before = memoWindow ? memoWindow->windowTitle() : w.MemoCaption;
    const auto& follow = laterwindows::hooks().followMemo;
    if (!memo.isEmpty() && QFileInfo(memo).isFile()) {
        const QString caption = QLatin1Char(' ') + patrolTimeText(QFileInfo(memo).lastModified());
        const bool changed = caption != before;
        w.MemoPath = memo;
        w.MemoCaption = caption;
        if (changed && memoWindow)
            memoWindow->setWindowTitle(caption);
        if (follow)
            follow(memo, changed);
        return;
    }
    w.MemoPath = wanted;
    w.MemoCaption = QStringLiteral("白紙");
    if (follow && !path.isEmpty())
        follow(wanted, false);
    if (!memoWindow)
        return;
    memoWindow->setWindowTitle(w.MemoCaption);
    if (w.Tag < 2)
        memoWindow->close();
}

// The tick's check of the current folder: a listing the worker finished
// since the last tick replaces the level when the number of page files
// changed, keeping the shown page selected by its entry (a name stem could
// match another page first). Then the folder is listed again only if its
// stamp says it may have changed.
void checkCurrentFolder(TForm1& w)
{
    PageFolderCheck& check = pageFolderCheck(w);
    std::optional<store::ListedFolder> listing = check.takeListing(w.CurrentFolder());
    if (listing) {
        if (w.FileListBox1->mask() == store::kPageFileMask)
            w.FileListBox1->setListing(listing->folder, listing->names);
        if (int(listing->names.size()) != w.levels.LastFileCount) {
            if (listing->entries.isEmpty() && !listing->names.isEmpty())
                store::readEntriesAndTitles(*listing, w.levels.ExeBaseName, w.levels.WriteBounds); // counted against an older list
            const int ban = w.PBan();
            QStringList oldEntries = w.levels.topEntries();
            QStringList oldTitles = w.levels.topTitles();
            const QString shownEntry = oldEntries.value(ban);
            w.OpenListedFolder(*listing, ban, false);
            // Freeing a level of 100,000 names is felt: the worker lets it go.
            QList<QStringList> old;
            old.append(std::move(oldEntries));
            old.append(std::move(oldTitles));
            check.release(std::move(old));
            w.ReMake();
            const int again = shownEntry.isEmpty() ? -1 : int(w.levels.topEntries().indexOf(shownEntry));
            if (again >= 0)
                w.PBanSave(again);
            w.PageClick(0, true);
        }
    }
    letPendingEventsRun();
    check.poll(w.CurrentFolder(), w.levels.LastFileCount, w.levels.ExeBaseName, w.levels.WriteBounds);
}

} // namespace

QString TForm1::ShowFileStatus(const QString& path, const QString& previous)
{
    letPendingEventsRun();
    SpeedButton12->setGlyph(Image15->picture());
    const QString ext = lowerExtension(path);
    if (isVideoExtension(ext) && ++VideoCount > 10)
        VideoCount = 10;
    const ClickHints hints = openExternallyHints(ext, ExeBaseName);
    Label6->setCaption(hints.left);
    Label8->setCaption(hints.right);

    const QFileInfo info(path);
    if (!info.isFile() || VideoCount >= 2) {
        setPatrolButton(*this, QStringLiteral("一時休止"), Image12);
        followPageMemo(*this, path);
        return previous;
    }
    QString created;
    QString updated;
    QString status = QStringLiteral("★ 閲覧中 ★");
    QColor statusColor = Qt::red;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        created = QStringLiteral("作成日 ") + patrolTimeText(creationTime(info));
        updated = QStringLiteral("更新日 ") + patrolTimeText(info.lastModified());
        status.clear();
        statusColor = Qt::blue;
        file.close();
        setPatrolButton(*this, QStringLiteral("巡回中"), Image16);
    } else {
        // Another program holds the file, or it may not be read.
        setPatrolButton(*this, QStringLiteral("編集中！"), Image15);
        updated = previous;
    }
    Label3->setCaption(info.fileName());
    Label4->setCaption(created == QLatin1String("0") ? QString() : created);
    Label7->setCaption(updated == QLatin1String("0") ? QString() : updated);
    Label5->setCaption(status);
    Label5->setFontColor(statusColor);
    followPageMemo(*this, path);
    return updated;
}

void TForm1::RememberShownFile(const QString& url, const QString& previous)
{
    PatrolFile = store::CutNN(url);
    PatrolDateText = ShowFileStatus(PatrolFile, previous);
}

void TForm1::Timer5Timer()
{
    letPendingEventsRun();
    Timer5->setEnabled(false);
    setPatrolButton(*this, QStringLiteral("巡回中止"), Image12);
    Timer5->setInterval(6000);

    const QString path = store::CutNN(caption());
    const QString ext = lowerExtension(path);
    const QString text = ShowFileStatus(path, PatrolDateText);
    if (!text.isEmpty() && path == PatrolFile && text != PatrolDateText) {
        if (ext == QLatin1String(".htm") || ext == QLatin1String(".html"))
            WebBrowser1->refresh(); // in place: the browser keeps the scroll position
        else
            PageClick(0, true);
    }
    PatrolDateText = text;

    checkCurrentFolder(*this);
    letPendingEventsRun();
    if (VideoCount >= 2)
        return; // a video stays paused until another entry is shown
    Timer5->setInterval(6000);
    Timer5->setEnabled(true);
    setPatrolButton(*this, QStringLiteral("巡回中"), Image16);
}

void TForm1::SpeedButton12Click()
{
    if (Timer5->enabled()) {
        setPatrolButton(*this, QStringLiteral("巡回停止"), Image12);
        Timer5->setEnabled(false);
    } else {
        setPatrolButton(*this, QStringLiteral("巡回開始"), Image14);
        Timer5->setEnabled(true);
    }
}

void TForm1::Timer6Timer()
{
    Timer6->setEnabled(false);
    MemoAvailable = 1;
    MemoRestore = 0;
    Tag = 1;
    MemoState = 1;
    SpeedButton7->setHint(QStringLiteral("メモの非表示"));
}
