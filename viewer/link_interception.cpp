// Every navigation of the page view and the lower pane passes here first.
// The handler switches between the normal and the title-page layout, and
// decides with string tests alone whether the browser proceeds or the
// program takes over: links to listed entries, folders, sounds, videos and
// command links. What the program then does runs after the browser's
// callback has returned.

#include "viewer/main_window.h"

#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/shell.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"
#include "store/text.h"
#include "store/page_encoding.h"
#include "viewer/command_text.h"
#include "viewer/command_trust.h"
#include "viewer/later_windows.h"

#include <QCursor>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {

// Runs what the program takes over once the browser's callback has returned;
// nothing it raises reaches the event loop.
void later(QObject* context, std::function<void()> action)
{
    QTimer::singleShot(0, context, [action = std::move(action)] {
        try {
            action();
        } catch (...) {
            qCWarning(lcPagora) << "a taken-over navigation failed:" << store::log::currentException();
        }
    });
}

// Title of the page a navigation leads to, for the layout choice.
QString targetTitle(const TForm1& w, const QString& url)
{
    const QString path = store::CutNN(url);
    const QFileInfo info(path);
    if (!path.isEmpty() && info.isFile() && text::lower(info.fileName()).contains(QStringLiteral(".ht"))) {
        const QString page = store::readPageText(path).value_or(QString());
        const QString upper = text::upper(page);
        const int tag = text::pos(QStringLiteral("<TITLE"), upper);
        if (tag == 0 || !page.contains(QStringLiteral("<!DOCTYPE HTML PUBLIC")))
            return QString();
        const int gt = text::pos(QStringLiteral(">"), page, tag);
        if (gt == 0)
            return QString();
        const int end = text::pos(QStringLiteral("</TITLE"), upper, gt + 1);
        const QString title = end == 0 ? text::copyFrom(page, gt + 1) : text::copy(page, gt + 1, end - gt - 1);
        return title.isEmpty() ? info.completeBaseName() : title;
    }
    const QStringList titles = w.levels.topTitles();
    if (w.PBan() > 0 && w.PBan() < titles.size())
        return store::UnescapeAngleBrackets(titles[w.PBan()]);
    return QString();
}

void useTitlePageLayout(TForm1& w)
{
    w.hyoushi->setWidth(0);
    w.SpeedButton9->setVisible(false);
    w.SpeedButton2->setVisible(true);
    w.kabeRight->setAlign(platform::Align::None);
    w.kabeRight->setLeft(w.kabeBASE->width());
    w.kabeRight->setWidth(1);
    w.SpeedButton7->setVisible(true);
    w.SpeedButton7->setTag(1);
    w.SpeedButton6->setVisible(false);
    w.SpeedButton10->setVisible(true);
}

void useNormalLayout(TForm1& w)
{
    w.kabeRight->setAlign(platform::Align::Right);
    w.kabeRight->setWidth(220);
    w.SpeedButton7->setVisible(true);
    w.SpeedButton7->setTag(0);
    w.SpeedButton6->setVisible(true);
    w.SpeedButton10->setVisible(false);
}

void chooseLayout(TForm1& w, const QString& url)
{
    const QString title = targetTitle(w, url);
    if (title.contains(QStringLiteral("TITLE")) || title.contains(QStringLiteral("題目")))
        useTitlePageLayout(w);
    else if (w.kabeRight->tag() <= 0)
        useNormalLayout(w);
    w.placeBitBtn1();
    w.SpeedButton6->setLeft(w.kabedown->width() - 90);
    w.SpeedButton10->setLeft(w.SpeedButton6->left());
    w.SpeedButton7->setLeft(w.SpeedButton6->left() + w.SpeedButton6->width() + 4);
}

// Index of the first listed entry other than the current one that holds
// url; -1 when none.
int listedEntryFor(const TForm1& w, const QString& url)
{
    const QStringList entries = w.levels.topEntries();
    for (int i = 0; i < entries.size(); ++i) {
        if (i != w.PBan() && text::pos(url, entries[i]) > 0)
            return i;
    }
    return -1;
}

bool isVideoLink(const QString& url)
{
    for (const char* ext : {".avi", ".mpg", ".wmv"}) {
        if (text::pos(QLatin1String(ext), url) > 1)
            return true;
    }
    return false;
}

// Runs action, once the browser's callback has returned, with the trust of
// the document that raised the navigation. The address tells it: the engine
// lets no web document ask for a file: address, so a file: address comes
// from a local document (a page of the data root has a local page's trust);
// any other address, and any request that no link or form of the top
// frame's document raised (a redirect, a refresh, a frame's navigation),
// comes from the web, whatever page is shown and whatever was clicked.
// The trust is decided after the callback: it looks at the file system.
void withRequesterTrust(TForm1& w, const QString& url, const QString& requester, bool requesterUnknown,
                        std::function<void(TForm1::CommandSource)> action)
{
    using Source = TForm1::CommandSource;
    QPointer<TForm1> self(&w);
    later(&w, [self, url, requester, requesterUnknown, action] {
        if (!self)
            return;
        const bool local = !requesterUnknown && commands::isLocalRequest(url, requester, self->RootFolder);
        action(local ? Source::LocalPage : Source::WebPage);
    });
}

QString localOrAsIs(const QString& url)
{
    const QString path = store::CutNN(url);
    return path.isEmpty() ? url : path;
}

} // namespace

bool TForm1::WebBrowser1BeforeNavigate2(platform::Browser* sender, const QString& url,
                                        const QString& sourceUrl, bool programInitiated,
                                        bool requesterUnknown)
{
    if (PBan() < 0)
        return false;
    try {
        chooseLayout(*this, url);
    } catch (...) {
        // The layout is a nicety; the navigation is decided below regardless.
        qCWarning(lcPagora) << "choosing the layout for" << url << "failed:" << store::log::currentException();
    }
    // The program showing a page (start-up, page buttons, back and forward,
    // the patrol, list and search results) follows no link: whatever the
    // file's name holds ("$" included) is a name, and the view shows it.
    if (programInitiated)
        return false;
    const QString requester = sourceUrl.isEmpty() && sender ? sender->locationUrl() : sourceUrl;
    const bool hasDollar = url.contains(QLatin1Char('$'));

    const int entry = listedEntryFor(*this, url);
    if (entry >= 0) {
        later(this, [this, entry] {
            PBanSave(entry);
            PageClick(0, true);
        });
        return false;
    }
    const QUrl parsed(url);
    if (!hasDollar && parsed.isLocalFile() && QFileInfo(parsed.toLocalFile()).isDir()) {
        const QString folder = parsed.toLocalFile();
        withRequesterTrust(*this, url, requester, requesterUnknown, [folder](CommandSource trust) {
            if (trust != CommandSource::WebPage)
                platform::exploreFolder(folder);
        });
        return true;
    }
    if (!hasDollar && text::pos(QStringLiteral(".wav"), url) > 1) {
        const QString sound = localOrAsIs(url);
        later(this, [this, sound] { PlayWaveFile(sound); });
        return true;
    }
    if (isVideoLink(url)) {
        if (url.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
            const QPoint cursor = mapFromGlobal(QCursor::pos());
            later(this, [url, cursor] {
                if (auto& play = laterwindows::hooks().playVideo)
                    play(url, cursor);
            });
            return true;
        }
        // A web video opens outside, but the desktop opener is a program: only
        // a page of the data root that links to the video itself opens it (a
        // web address says nothing of who asked for it). Only when it is not
        // opened does a command list run.
        const QString list = commands::isCommandLink(url) ? commands::commandListFromUrl(url) : QString();
        QPointer<TForm1> self(this);
        later(this, [self, url, requester, requesterUnknown, list] {
            if (!self)
                return;
            const bool own = !requesterUnknown && store::isWebAddress(url)
                && commands::isDataRootPage(requester, self->RootFolder)
                && commands::pageLinksTo(store::readPageText(QUrl(requester).toLocalFile()).value_or(QString()), url);
            if (own && platform::openPath(url))
                return;
            if (!list.isEmpty())
                self->RunCommandList(list, own ? CommandSource::LocalPage : CommandSource::WebPage);
        });
        return true;
    }
    if (commands::isCommandLink(url)) {
        const QString list = commands::commandListFromUrl(url);
        withRequesterTrust(*this, url, requester, requesterUnknown, [this, list](CommandSource trust) {
            RunCommandList(list, trust);
        });
        return true;
    }
    return false;
}

void TForm1::RunCommandList(const QString& list, CommandSource source)
{
    QString rest = list;
    while (const std::optional<QString> next = commands::takePiece(rest)) {
        QString piece = *next;
        if (piece.isEmpty()) {
            FindInLowerBrowser(QString(), false);
            ReMake();
            PageClick(0, false);
            return;
        }
        if (commands::isConditionalPiece(piece)) {
            piece = SelectConditionalCommand(piece);
            if (piece.isEmpty())
                continue;
        }
        if (commands::isCounterPiece(piece)) {
            if (!ApplyCounterOp(piece))
                return; // a counter that is no number ends the list
        } else {
            runCommand(piece, source);
        }
    }
}

QString TForm1::SelectConditionalCommand(const QString& piece) const
{
    return commands::selectConditional(piece, PageCounter);
}

bool TForm1::ApplyCounterOp(const QString& piece)
{
    const std::optional<int> counter = commands::applyCounterOp(piece, PageCounter);
    if (!counter)
        return false;
    PageCounter = *counter;
    return true;
}
