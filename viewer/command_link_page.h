#pragma once
// Link pages: a page whose text holds "【リンク】" (and not "NOTLINK") acts
// on its links when it is shown. One link is followed at once (or run, when
// it carries commands); several links become a new list level. Also the
// test that a quiz page wants its lower feedback pane.

#include <QList>
#include <QString>

namespace commands {

struct PageLink {
    QString href;  // the value between the double quotes
    QString title; // the anchor text: after the tag's ">" up to the next "<"
};

struct LinkPage {
    bool active = false;     // holds "【リンク】" and no "NOTLINK"
    QList<PageLink> links;   // in page order
    QString lastLabel;       // text after a "【リンク】" behind the last link, up to "<"
};

LinkPage parseLinkPage(const QString& pageText);

// The entry of a link of a page at location: relative links of a web page
// are made absolute with the page's folder address; others stay as written.
QString linkPageEntry(const QString& href, const QString& location);

// True when the single link of a link page carries commands ("/$" or "\$").
bool isCommandHref(const QString& href);

// True when an href value of the page holds both "$" and "【": the page is a
// quiz whose feedback shows in the lower pane.
bool hasQuizFeedbackLink(const QString& pageText);

} // namespace commands
