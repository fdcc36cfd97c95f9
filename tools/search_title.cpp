#include "tools/search_title.h"

#include "store/files.h"
#include "store/page_encoding.h"
#include "store/page_levels.h"
#include "tools/search_stream.h"

#include <QFileInfo>

namespace tools {

bool isSearchedName(const QString& fileName)
{
    const QString n = fileName.toLower();
    for (const char* ext : {".pdf", ".xl", ".doc", ".jt", ".jxw"}) {
        if (n.contains(QLatin1String(ext)))
            return true;
    }
    return (n + QLatin1Char('l')).contains(QLatin1String(".html"));
}

QString titleFromName(const QString& fileName)
{
    const QString base = QFileInfo(fileName).completeBaseName();
    const int underscore = base.indexOf(QLatin1Char('_'));
    return underscore < 0 ? base : base.mid(underscore + 1);
}

// Text between open and close; nullopt when either is missing.
static std::optional<QString> between(const QString& text, QLatin1String open, QLatin1String close)
{
    const qsizetype start = text.indexOf(open);
    if (start < 0)
        return std::nullopt;
    const qsizetype from = start + open.size();
    const qsizetype end = text.indexOf(close, from);
    if (end < 0)
        return std::nullopt;
    return text.mid(from, end - from);
}

static QString titleFromHead(const QString& fileName, const QString& head)
{
    std::optional<QString> found = head.contains(QLatin1String("<title>"))
        ? between(head, QLatin1String("<title>"), QLatin1String("</title>"))
        : between(head, QLatin1String("<TITLE>"), QLatin1String("</TITLE>"));
    return found && !found->isEmpty() ? *found : titleFromName(fileName);
}

PageTitle titleFromBytes(const QString& fileName, const QByteArray* bytes)
{
    PageTitle t;
    if (QFileInfo(fileName).suffix() != QLatin1String("html")) {
        t.title = QFileInfo(fileName).fileName();
        return t;
    }
    if (!bytes) {
        t.readFailed = true;
        t.title = titleFromName(fileName);
        return t;
    }
    t.listable = !bytes->contains("NOTFIND");
    // Read from the page's head in the encoding the page decoder decides.
    t.title = titleFromHead(fileName, store::pageHeadText(*bytes));
    return t;
}

PageTitle ReadPageTitle(const QString& path)
{
    if (QFileInfo(path).suffix() != QLatin1String("html"))
        return titleFromBytes(path, nullptr);
    // A file larger than any page is listed by its name, like the page list does.
    if (store::isOverPageLimit(path)) {
        PageTitle t;
        t.title = titleFromName(path);
        return t;
    }
    // Most pages come in one read; a large one is not held whole: "NOTFIND"
    // is looked for piece by piece and the title read from its head.
    constexpr qint64 kWholeRead = 256 * 1024;
    if (QFileInfo(path).size() <= kWholeRead) {
        const std::optional<QByteArray> bytes = store::readPageBytes(path);
        return titleFromBytes(path, bytes ? &*bytes : nullptr);
    }
    const std::optional<bool> hidden = fileHolds(path, "NOTFIND");
    if (!hidden)
        return titleFromBytes(path, nullptr);
    PageTitle t;
    t.listable = !*hidden;
    t.title = titleFromHead(path, store::pageHeadText(path));
    return t;
}

QString normaliseTitle(const QString& title, const QString& separator)
{
    QString t = title;
    const QChar quote(QLatin1Char('"'));
    if (t.contains(quote)) {
        t.remove(0, t.indexOf(quote) + 1);
        t.remove(0, t.indexOf(quote) + 1); // no second quote: nothing more goes
    }
    const int hint = t.indexOf(QLatin1Char('?'));
    if (hint >= 0)
        t.truncate(hint);
    const int hash = t.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        t.replace(hash, 1, separator);
    return t;
}

int keywordPartLength(const QString& title)
{
    const int hash = title.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return title.size();
    QString part = title.mid(hash + 1);
    const int hint = part.indexOf(QLatin1Char('?'));
    if (hint >= 0)
        part.truncate(hint);
    return part.size();
}

} // namespace tools
