#pragma once
// A window's component tree as text, one line per component, for golden
// files: nesting by indentation, then name, class, caption, hint, Align and
// the component's own Visible flag. Children come in the order their parent
// holds them (creation order, unless the code raised or lowered one), so the
// text is the same on every run; nothing in it depends on fonts, sizes,
// addresses or the temporary folder a test runs in.
//
// Components are the controls of platform/controls.h, menus and their items,
// file lists, timers and browser views; the helper objects inside them (a
// scroll box's inner area, a menu's QMenu, a timer's QTimer) are left out,
// their components shown under the component that owns them.

#include "platform/browser.h"
#include "platform/controls.h"

#include <QMetaObject>
#include <QString>
#include <QStringList>

namespace testsupport {

namespace tree_detail {

inline QString alignName(platform::Align a)
{
    switch (a) {
    case platform::Align::None: return QStringLiteral("None");
    case platform::Align::Top: return QStringLiteral("Top");
    case platform::Align::Bottom: return QStringLiteral("Bottom");
    case platform::Align::Left: return QStringLiteral("Left");
    case platform::Align::Right: return QStringLiteral("Right");
    case platform::Align::Client: return QStringLiteral("Client");
    }
    return QStringLiteral("?");
}

// A text on one line, quoted, so an empty caption is still seen.
inline QString quoted(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    t.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

inline QString yesNo(bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); }

// Unnamed components (the browser views) show as "-".
inline QString nameOf(const QObject* o) { return o->objectName().isEmpty() ? QStringLiteral("-") : o->objectName(); }

// The line for o, or "" when o is no component.
inline QString lineFor(const QObject* o)
{
    const QString cls = QString::fromLatin1(o->metaObject()->className());
    if (auto* c = qobject_cast<const platform::Control*>(o)) {
        return QStringLiteral("%1 %2 caption=%3 hint=%4 align=%5 visible=%6")
            .arg(nameOf(o), cls, quoted(c->caption()), quoted(c->hint()), alignName(c->align()),
                 yesNo(c->visible()));
    }
    if (auto* m = qobject_cast<const platform::MenuItem*>(o)) {
        return QStringLiteral("%1 %2 caption=%3 hint=%4 visible=%5")
            .arg(nameOf(o), cls, quoted(m->caption()), quoted(m->hint()), yesNo(m->visible()));
    }
    if (auto* t = qobject_cast<const platform::Timer*>(o))
        return QStringLiteral("%1 %2 enabled=%3").arg(nameOf(o), cls, yesNo(t->enabled()));
    if (auto* f = qobject_cast<const platform::FileListBox*>(o))
        return QStringLiteral("%1 %2 mask=%3").arg(nameOf(o), cls, quoted(f->mask()));
    if (qobject_cast<const platform::PopupMenu*>(o))
        return QStringLiteral("%1 %2").arg(nameOf(o), cls);
    // The stand-in and the real view alike, so the text does not say which one a test uses.
    if (qobject_cast<const platform::Browser*>(o))
        return QStringLiteral("%1 platform::Browser").arg(nameOf(o));
    return QString();
}

inline void walk(const QObject* o, int depth, QStringList& lines)
{
    // A scroll box's components live in its scrolled content.
    const QObject* holder = o;
    if (auto* box = qobject_cast<const platform::ScrollBox*>(o))
        holder = box->content();
    for (const QObject* child : holder->children()) {
        const QString line = lineFor(child);
        if (line.isEmpty()) {
            walk(child, depth, lines); // a helper object: its components count as o's
            continue;
        }
        lines.append(QString(depth * 2, QLatin1Char(' ')) + line);
        walk(child, depth + 1, lines);
    }
}

} // namespace tree_detail

// The tree below root (root's own line first), lines ending in "\n".
inline QString componentTree(const QObject* root)
{
    QStringList lines{QStringLiteral("%1 %2").arg(root->objectName(), QString::fromLatin1(root->metaObject()->className()))};
    tree_detail::walk(root, 1, lines);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace testsupport
