// What happens when the page view has loaded a document: the shown URL goes
// into the caption, the recording's autoplay is armed, link pages act, quiz
// pages load their feedback pane, and the counter panel is written. Also the
// lower pane: its size and the text found in it.

#include "viewer/main_window.h"

#include "platform/browser.h"
#include "platform/controls.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"
#include "store/text.h"
#include "store/page_encoding.h"
#include "viewer/command_link_page.h"
#include "viewer/command_trust.h"
#include "viewer/page_button_text.h"
#include "viewer/page_display.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QPointer>
#include <QUrl>

namespace {

QString upperExtension(const QString& url)
{
    return text::upper(viewer::lowerExtension(url));
}

void fitViews(TForm1& w)
{
    const platform::Panel* b = w.kabeBrowser;
    w.setBrowserBounds(w.WebBrowser1, QRect(-2, b->top() - 2, b->width() + 4, b->height() + 4));
    for (platform::Browser* lower : {w.WebBrowser2, w.WebBrowser3}) {
        QRect r = w.browserBounds(lower);
        r.setWidth(b->width() + 24);
        w.setBrowserBounds(lower, r);
    }
}

// The address without its fragment, every escape decoded: the document
// and the view spell the same address with different escapes.
QString documentAddress(const QString& url)
{
    const QUrl parsed(url);
    if (url.isEmpty() || !parsed.isValid())
        return QString();
    return QUrl::fromPercentEncoding(parsed.adjusted(QUrl::RemoveFragment).toString(QUrl::FullyEncoded).toUtf8());
}

// True when the two addresses name the same document (a fragment apart).
bool sameDocument(const QString& a, const QString& b)
{
    const QString x = documentAddress(a);
    return !x.isEmpty() && x == documentAddress(b);
}

// The text of the document loaded at asked, as the link-page and quiz tests
// read it, and the address of the document it was read from; then `then`.
// A page read from the engine is read with its address in one go: the view
// may have moved on to another document meanwhile, and the text of one must
// never be followed with the trust of another. An answer from a document
// that is not the one asked for, or no longer the one shown, is dropped.
void withPageText(TForm1& w, const QString& ext, const QString& asked,
                  const std::function<void(const QString& text, const QString& documentUrl)>& then)
{
    const QString path = store::CutNN(w.caption());
    const bool html = ext.contains(QStringLiteral(".HTM"));
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        then(html ? store::readPageText(path).value_or(QString()) : QString(), asked);
        return;
    }
    if (!html) {
        then(QString(), asked);
        return;
    }
    QPointer<TForm1> guard(&w);
    // No answer at all: the view is going away with the window, whose
    // members may already be gone.
    w.WebBrowser1->runScript(
        QStringLiteral("JSON.stringify({u: document.URL, t: document.body ? document.body.outerHTML : ''})"),
        [guard, asked, then](const QVariant& v) {
            if (!guard || !v.isValid())
                return;
            const QJsonObject answer = QJsonDocument::fromJson(v.toString().toUtf8()).object();
            const QString documentUrl = answer.value(QStringLiteral("u")).toString();
            if (!sameDocument(documentUrl, asked) || !sameDocument(documentUrl, guard->WebBrowser1->locationUrl()))
                return;
            then(answer.value(QStringLiteral("t")).toString(), documentUrl);
        });
}

// The address a plain link of a link page leads to; "" when the program
// must not follow it. A link read from anything but a page of the data root
// leads only to a web address: the engine would refuse a web page a file:
// address, and the program must not follow one for it.
QString linkTarget(const TForm1& w, const QString& href, const QString& location)
{
    if (!commands::isDataRootPage(location, w.RootFolder)) {
        const QString target = commands::resolvedLink(href, location);
        return store::isWebAddress(target) ? target : QString();
    }
    if (store::isWebAddress(href) || href.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
        return href;
    const QString value = files::slashes(href);
    if (value.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(value).toString();
    const QString pagePath = store::CutNN(location);
    const QString folder = pagePath.isEmpty() ? w.CurrentFolder() : QFileInfo(pagePath).absolutePath();
    return QUrl::fromLocalFile(QFileInfo(files::joinPath(folder, value)).absoluteFilePath()).toString();
}

// The caption names loc unless it already names the same page (as a path,
// the way the page display writes it).
void captionShownPage(TForm1& w, const QString& loc)
{
    const QString shownPath = store::CutNN(loc);
    const bool same = w.caption() == loc || (!shownPath.isEmpty() && store::CutNN(w.caption()) == shownPath);
    if (!same)
        w.setCaption(loc);
}

platform::BitBtn* currentButton(const TForm1& w)
{
    const int i = w.PBan();
    return i >= 0 && i < w.PageButtons.size() ? w.PageButtons[i] : nullptr;
}

void relabelCurrentButton(TForm1& w, const QString& caption)
{
    if (platform::BitBtn* current = currentButton(w))
        current->setCaption(caption);
}

// The single link runs with the trust of the document its text was read
// from, as the link's own address there tells it.
void followSingleLink(TForm1& w, const commands::LinkPage& page, const QString& location)
{
    const QString href = page.links.last().href;
    w.DirPageOffset = 1;
    if (commands::isCommandHref(href)) {
        const auto source = commands::isLocalLink(href, location, w.RootFolder) ? TForm1::CommandSource::LocalPage
                                                                                : TForm1::CommandSource::WebPage;
        const QString list = href + QLatin1Char(',');
        w.RunCommandList(text::copyFrom(list, text::pos(QStringLiteral("$"), list) + 1), source);
        return;
    }
    const QString target = linkTarget(w, href, location);
    if (target.isEmpty())
        return;
    if (!page.lastLabel.isEmpty())
        relabelCurrentButton(w, viewer::PadButtonCaption(page.lastLabel, 1));
    w.ShownUrl = target;
    w.RememberShownFile(target, QStringLiteral("0"));
    w.Panel10->setVisible(false);
    w.WebBrowser1->navigate(target);
    w.setCaption(target);
}

// The links of a page of the data root become entries as they are written;
// those of any other document only when they lead to a web address.
void pushLinkLevel(TForm1& w, const commands::LinkPage& page, const QString& location)
{
    const bool local = commands::isDataRootPage(location, w.RootFolder);
    QStringList entries;
    QStringList titles;
    for (const commands::PageLink& link : page.links) {
        const QString entry = local ? commands::linkPageEntry(link.href, location)
                                    : commands::resolvedLink(link.href, location);
        if (!local && !store::isWebAddress(entry))
            continue;
        entries << entry;
        titles << link.title;
    }
    if (entries.isEmpty())
        return;
    while (w.levels.depth() > 1)
        w.PopLevel();
    w.levels.pushLevel(entries, titles, 0);
    w.ReMake();
    w.PageClick(0, true);
}

} // namespace

void TForm1::WebBrowser1DocumentComplete(const QString& url)
{
    SpeedButton16->setEnabled(false);
    if (PBan() < 0)
        return;
    fitViews(*this);
    const QString loc = WebBrowser1->locationUrl();
    const QString ext = upperExtension(loc);
    if (ext.contains(QStringLiteral(".HTM")))
        SpeedButton16->setEnabled(true);
    if (loc == LastDocumentUrl
        || (!ext.contains(QStringLiteral(".HTM")) && !ext.contains(QStringLiteral(".JTD"))
            && !ext.contains(QStringLiteral(".PDF")))) {
        // Handled before (a step back through the view's history, a second
        // completion) or no document: nothing runs again, but the caption
        // still names the page the view shows.
        captionShownPage(*this, loc);
        return;
    }
    LastDocumentUrl = loc;
    setCaption(loc);
    if (BitBtn1->tag() > 0 && Timer4->tag() < 1)
        Timer3->setEnabled(true);
    if (HighlightCurrent == 0) {
        HighlightCurrent = 1;
        return;
    }
    const bool commandUrl = url.contains(QLatin1Char('$'));
    QPointer<TForm1> self(this);
    withPageText(*this, ext, loc, [self, commandUrl](const QString& pageText, const QString& documentUrl) {
        if (!self)
            return;
        TForm1& w = *self;
        try {
            if (!commandUrl) {
                if (commands::hasQuizFeedbackLink(pageText))
                    w.WebBrowser2->navigate(w.ShownUrl);
                const QString t = text::replaceFirst(pageText, QStringLiteral("&amp;"), QStringLiteral("&"));
                w.setCaption(w.WebBrowser1->locationUrl());
                if (!t.isEmpty())
                    w.ProcessLinkPage(t, documentUrl);
            }
        } catch (...) {
            // A page that cannot be read still gets its counter below.
            qCWarning(lcPagora) << "reading the shown page" << w.ShownUrl << "failed:" << store::log::currentException();
        }
        if (!w.PageButtons.isEmpty()) {
            w.showPageCounter(QString::number(w.PBan() + 1) + QStringLiteral(" / ") + QString::number(w.PBanSu()));
            if (platform::BitBtn* current = currentButton(w))
                current->setFocus();
        }
    });
}

void TForm1::WebBrowser2DocumentComplete(const QString&)
{
    // One refresh per load, so value files the pane reads as scripts are
    // fresh; the completion of that refresh itself is not refreshed again.
    if (LowerPaneRefreshing) {
        LowerPaneRefreshing = false;
        return;
    }
    LowerPaneRefreshing = true;
    WebBrowser2->refresh();
}

void TForm1::ProcessLinkPage(const QString& pageText, const QString& documentUrl)
{
    if (PBan() < 0)
        return;
    try {
        const commands::LinkPage page = commands::parseLinkPage(pageText);
        if (!page.active || page.links.isEmpty())
            return;
        const QString location = documentUrl.isEmpty() ? WebBrowser1->locationUrl() : documentUrl;
        if (page.links.size() == 1)
            followSingleLink(*this, page, location);
        else
            pushLinkLevel(*this, page, location);
    } catch (...) {
        // A link page that cannot be followed is shown as it is.
        qCWarning(lcPagora) << "following the link page" << ShownUrl << "failed:" << store::log::currentException();
    }
}

void TForm1::FindInLowerBrowser(const QString& findText, bool find)
{
    QString wanted = findText;
    if (wanted.startsWith(QLatin1Char('_'))) {
        wanted.remove(0, 1);
        const QChar digit = wanted.isEmpty() ? QChar() : wanted[0];
        if (digit >= QLatin1Char('1') && digit <= QLatin1Char('9')) {
            LowerPaneHeight = (digit.unicode() - '0') * kabe->height() / 10;
            wanted.remove(0, 1);
        } else {
            LowerPaneHeight = kabe->height() * 3 / 10;
        }
        kabeKR->setBounds(0, kabeBrowser->height() - LowerPaneHeight, kabeBrowser->width(), LowerPaneHeight);
        Panel9->setBounds(4, 4, kabeKR->width() - 8, kabeKR->height() - 8);
        setBrowserBounds(WebBrowser2, QRect(-2, -2, Panel9->width() + 24, Panel9->height() + 24));
    }
    if (!find) {
        WebBrowser2->runScript(QStringLiteral("window.scrollTo(0, 0);"));
        return;
    }
    QPointer<platform::Browser> lower(WebBrowser2);
    WebBrowser2->findText(wanted, [lower](bool found) {
        if (found || !lower)
            return;
        lower->findText(QStringLiteral("【その他】"), [lower](bool other) {
            // Neither text is there: the pane shows the end of its page.
            if (!other && lower)
                lower->runScript(QStringLiteral("window.scrollTo(0, document.documentElement.scrollHeight);"));
        });
    });
}
