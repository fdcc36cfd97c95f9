// The merge run: page after page shown, waited for with Timer4, captured,
// then the document written and previewed.
#include "tools/merge_pages.h"

#include "platform/copy_progress.h"
#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"
#include "store/page_encoding.h"
#include "tools/capture.h"
#include "tools/printing.h"
#include "viewer/main_window.h"

#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace tools {

namespace {

class MergeRun : public QObject {
public:
    explicit MergeRun(TForm1& w) : w_(&w) {}
    ~MergeRun() override;

    void start();
    void waitIsOver();

private:
    void showNext();
    void captureShown();
    void finish(bool stopped);
    merge::ResumeRow rowFor(const QString& entry);

    QPointer<TForm1> w_;
    int index_ = 0;
    int total_ = 0;
    int remembered_ = 0;
    bool waiting_ = false;
    merge::ResumeRow pending_;
    QList<merge::ResumeRow> rows_;
    QSet<QString> used_;
    std::unique_ptr<platform::CopyProgress> progress_;
};

MergeRun* running = nullptr;

MergeRun::~MergeRun()
{
    if (running == this)
        running = nullptr;
}

void MergeRun::start()
{
    TForm1& w = *w_;
    w.Panel12MouseEnter();
    w.Timer4->setInterval(2000);
    w.PrintPending = 1;
    remembered_ = w.PBan();
    total_ = w.PBanSu();
    progress_ = std::make_unique<platform::CopyProgress>(QStringLiteral("ページを合体しています"), total_);
    showNext();
}

merge::ResumeRow MergeRun::rowFor(const QString& entry)
{
    TForm1& w = *w_;
    merge::ResumeRow row;
    const QString fileName = store::isWebAddress(entry) ? QUrl(entry).fileName()
                                                        : QFileInfo(files::slashes(entry)).fileName();
    row.picture = merge::pictureName(fileName.isEmpty() ? QStringLiteral("web.html") : fileName, used_);
    QString pageText;
    QString memo;
    if (!store::isWebAddress(entry)) {
        const QString page = files::findPath(w.levels.entryPath(entry));
        if (!page.isEmpty()) {
            pageText = store::readPageText(page).value_or(QString());
            const QFileInfo info(page);
            const QString memoPath = files::findPath(
                files::joinPath(info.path(), info.completeBaseName() + QStringLiteral(".%xt")));
            if (!memoPath.isEmpty())
                memo = files::readUtf8(memoPath).value_or(QString());
        }
    }
    row.title = merge::resumeTitle(pageText, fileName);
    row.memo = merge::memoHtml(memo);
    return row;
}

void MergeRun::showNext()
{
    if (!w_)
        return finish(true);
    TForm1& w = *w_;
    if (index_ >= total_)
        return finish(false);
    // Another list was opened while waiting: its pages are not this merge's.
    if (w.PBanSu() != total_)
        return finish(true);
    w.PBanSave(index_);
    w.PageClick(0, true);
    w.Timer4->setTag(total_ - 1);
    w.Timer4->setEnabled(false);
    pending_ = rowFor(w.levels.topEntries().value(index_));
    w.Timer4->setEnabled(true);
    waiting_ = true;
    // A list of one page is captured at once.
    if (w.Timer4->tag() <= 0)
        QTimer::singleShot(0, this, [this] { waitIsOver(); });
}

void MergeRun::waitIsOver()
{
    if (!waiting_)
        return;
    waiting_ = false;
    captureShown();
}

void MergeRun::captureShown()
{
    if (!w_)
        return finish(true);
    TForm1& w = *w_;
    w.Timer4->setEnabled(false);
    if (!CaptureScreenToImage(w, files::joinPath(w.WorkFolder, pending_.picture), {w.RootFolder}))
        qCWarning(lcPagora) << "page picture not written:" << pending_.picture;
    rows_ << pending_;
    ++index_;
    if (!progress_->step())
        return finish(true);
    showNext();
}

void MergeRun::finish(bool stopped)
{
    running = nullptr;
    deleteLater();
    progress_.reset();
    if (!w_)
        return;
    TForm1& w = *w_;
    w.Timer4->setEnabled(false);
    w.Timer4->setTag(0);
    if (stopped || rows_.isEmpty()) {
        w.PrintPending = 0;
        w.PBanSave(remembered_);
        w.PageClick(0, true);
        if (!stopped)
            platform::showMessage(QStringLiteral("合体するページがありません。\rチェックボタンでチェック入りタグを作ってください。"),
                                  platform::MsgType::Information);
        return;
    }
    w.PBanSave(remembered_);
    w.PageClick(0, true);
    if (files::writeLinesBom(ResumeFile(w), merge::resumeLines(rows_, w.MergePageWidth), {w.RootFolder})) {
        const QRect r = w.browserBounds(w.WebBrowser3);
        w.setBrowserBounds(w.WebBrowser3, QRect(r.x(), r.y(), r.width(), 0));
        PreviewInPrintView(w, ResumeFile(w));
    } else {
        w.PrintPending = 0;
        platform::showMessage(QStringLiteral("RESUMEを書き込めませんでした。\r") + ResumeFile(w),
                              platform::MsgType::Warning);
    }
    w.OpenFolder(w.CurrentFolder(), w.PBan(), false);
    w.ReMake();
    w.PageClick(0, true);
}

} // namespace

void MergeCheckedPages(TForm1& w)
{
    if (w.PBan() < 0 || running)
        return;
    // The work folder may be a link planted to lead out of the data root:
    // no picture and no document is written through it then.
    if (!files::makeFolder(w.WorkFolder, {w.RootFolder})) {
        platform::showMessage(QStringLiteral("作業フォルダを使えません。\r") + w.WorkFolder, platform::MsgType::Warning);
        return;
    }
    running = new MergeRun(w);
    running->setParent(&w);
    running->start();
}

void Timer4Timer(TForm1& w)
{
    w.Timer4->setTag(0);
    if (running)
        running->waitIsOver();
}

bool MergeRunning()
{
    return running != nullptr;
}

} // namespace tools
