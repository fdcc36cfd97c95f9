#pragma once
// Which document asked for a navigation of a view's top frame. The engine
// reports a link, a form or a script aimed at the top frame without naming
// the document that raised it, and a web page inside a frame of a local page
// may aim at the top frame too. The shown document therefore notes its own
// clicks and form submissions in a script world of the program's own, which
// no page script can reach; the view reads those notes, and the frames the
// document holds, before it grants a request the shown document's trust.

#include <QString>
#include <QUrl>
#include <QVariant>

namespace platform {

struct TopFrameRequest {
    QUrl url;          // the address asked for
    QString shownUrl;  // the location of the top frame's document at the request
    bool form = false; // a form's submission (its query is not compared)
    qint64 atMs = 0;   // wall-clock time of the request, in milliseconds
};

// Runs in the top frame's document from its creation: notes each click (with
// the address of the link clicked, if any) and each form submission.
QString requestRecorderScript();
// Hands over the notes as JSON and forgets them: the document's location,
// whether it holds a frame that is not a local page, and the notes.
QString requestNotesScript();
// True when the notes show that the shown document itself raised request:
// it holds no frame that is not local, or it noted a click on a link (or a
// submission of a form) to that address just before, or a click of its own
// (a script's navigation) a moment before.
bool raisedByShownDocument(const TopFrameRequest& request, const QVariant& notes);

} // namespace platform
