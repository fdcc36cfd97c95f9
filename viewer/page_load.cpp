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

// The page's text as the link-page and quiz tests read it, then `then`.
void withPageText(TForm1& w, const QString& ext, const std::function<void(const QString&)>& then)
{
    const QString path = store::CutNN(w.caption());
    const bool html = ext.contains(QStringLiteral(".HTM"));
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        then(html ? store::readPageText(path).value_or(QString()) : QString());
        return;
    }
    if (!html) {
        then(QString());
        return;
    }
    QPointer<TForm1> guard(&w);
    // No answer at all: the view is going away with the window, whose
    // members may already be gone.
    w.WebBrowser1->runScript(QStringLiteral("document.body ? document.body.outerHTML : ''"),
                             [guard, then](const QVariant& v) {
                                 if (guard && v.isValid())
                                     then(v.toString());
                             });
}

// The address a plain link of a link page leads to.
QString linkTarget(const TForm1& w, const QString& href, const QString& location)
{
    if (store::isWebAddress(href) || href.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
        return href;
    if (store::isWebAddress(location))
        return commands::linkPageEntry(href, location);
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

void followSingleLink(TForm1& w, const commands::LinkPage& page, const QString& location)
{
    const QString href = page.links.last().href;
    w.DirPageOffset = 1;
    const auto source = commands::isWebSource(location) ? TForm1::CommandSource::WebPage
                                                        : TForm1::CommandSource::LocalPage;
    if (commands::isCommandHref(href)) {
        const QString list = href + QLatin1Char(',');
        w.RunCommandList(text::copyFrom(list, text::pos(QStringLiteral("$"), list) + 1), source);
        return;
    }
    if (!page.lastLabel.isEmpty())
        relabelCurrentButton(w, viewer::PadButtonCaption(page.lastLabel, 1));
    const QString target = linkTarget(w, href, location);
    w.ShownUrl = target;
    w.RememberShownFile(target, QStringLiteral("0"));
    w.Panel10->setVisible(false);
    w.WebBrowser1->navigate(target);
    w.setCaption(target);
}

void pushLinkLevel(TForm1& w, const commands::LinkPage& page, const QString& location)
{
    QStringList entries;
    QStringList titles;
    for (const commands::PageLink& link : page.links) {
        entries << commands::linkPageEntry(link.href, location);
        titles << link.title;
    }
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
    withPageText(*this, ext, [self, commandUrl](const QString& pageText) {
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
                    w.ProcessLinkPage(t);
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

void TForm1::ProcessLinkPage(const QString& pageText)
{
    if (PBan() < 0)
        return;
    try {
        const commands::LinkPage page = commands::parseLinkPage(pageText);
        if (!page.active || page.links.isEmpty())
            return;
        const QString location = WebBrowser1->locationUrl();
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
