#include "platform/document_requests.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace platform {

namespace {

// A link's address noted this long before the request still counts.
constexpr qint64 LinkNoteMs = 10000;
// A click without a link (a script's navigation) counts only a moment before.
constexpr qint64 ScriptNoteMs = 1000;
// The page's clock and ours are the same clock; allow for rounding.
constexpr qint64 ClockSlackMs = 50;

// Addresses compared in one spelling: the page writes them escaped, the
// engine hands them over partly decoded.
QString spelled(const QUrl& url, QUrl::FormattingOptions parts = QUrl::None)
{
    return url.adjusted(parts).toString(QUrl::FullyEncoded);
}

bool sameAddress(const QString& noted, const TopFrameRequest& request)
{
    const QUrl::FormattingOptions parts = request.form ? QUrl::RemoveQuery | QUrl::RemoveFragment
                                                       : QUrl::RemoveFragment;
    const QUrl url(noted);
    return url.isValid() && spelled(url, parts) == spelled(request.url, parts);
}

bool notedJustBefore(const QJsonObject& note, const TopFrameRequest& request)
{
    const qint64 age = request.atMs - qint64(note.value(QStringLiteral("t")).toDouble());
    const QString address = note.value(QStringLiteral("u")).toString();
    if (age < -ClockSlackMs)
        return false;
    if (address.isEmpty())
        return age <= ScriptNoteMs;
    return age <= LinkNoteMs && sameAddress(address, request);
}

} // namespace

QString requestRecorderScript()
{
    return QStringLiteral(
        "(function(){if(window.__pagoraNotes)return;var notes=window.__pagoraNotes=[];"
        "function note(u){notes.push({u:u||'',t:Date.now()});if(notes.length>20)notes.shift();}"
        "addEventListener('click',function(e){var n=e.target;"
        "while(n&&!((n.localName==='a'||n.localName==='area')&&typeof n.href==='string'))n=n.parentNode;"
        "note(n?n.href:'');},true);"
        "addEventListener('submit',function(e){var f=e.target;"
        "note(f&&typeof f.action==='string'&&f.action?f.action:location.href);},true);})();");
}

QString requestNotesScript()
{
    return QStringLiteral(
        "(function(){function foreign(w){for(var i=0;i<w.frames.length;i++){var f=w.frames[i];"
        "try{var p=f.location.protocol;if(p!=='file:'&&p!=='about:')return true;if(foreign(f))return true;}"
        "catch(e){return true;}}return false;}"
        "var notes=window.__pagoraNotes||[];"
        "var out={location:location.href,foreign:foreign(window),notes:notes.slice()};"
        "notes.length=0;return JSON.stringify(out);})()");
}

bool raisedByShownDocument(const TopFrameRequest& request, const QVariant& notes)
{
    const QJsonObject answer = QJsonDocument::fromJson(notes.toString().toUtf8()).object();
    if (answer.isEmpty())
        return false; // the document is gone or answered nothing
    // Another document by now: its notes say nothing about the request.
    if (spelled(QUrl(answer.value(QStringLiteral("location")).toString())) != spelled(QUrl(request.shownUrl)))
        return false;
    if (!answer.value(QStringLiteral("foreign")).toBool(true))
        return true;
    const QJsonArray list = answer.value(QStringLiteral("notes")).toArray();
    for (const QJsonValue& note : list) {
        if (notedJustBefore(note.toObject(), request))
            return true;
    }
    return false;
}

} // namespace platform
