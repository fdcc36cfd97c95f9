#include "store/page_levels.h"

#include "store/files.h"
#include "store/paths.h"
#include "store/text.h"

#include <QDir>
#include <QRegularExpression>

namespace store {

namespace {

QString leafName(const QString& path)
{
    const QString p = files::slashes(path);
    return p.mid(p.lastIndexOf('/') + 1);
}

// Extension with its dot ("" without one), as the listing rules see it.
QString extensionOf(const QString& fileName)
{
    const int dot = fileName.lastIndexOf('.');
    return dot < 0 ? QString() : fileName.mid(dot);
}

QString withoutExtension(const QString& fileName)
{
    const int dot = fileName.lastIndexOf('.');
    return dot < 0 ? fileName : fileName.left(dot);
}

// Per-unit lower case as text::lower maps it, with a shortcut for ASCII.
inline char16_t lowerUnit(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'A' && u <= 'Z') ? char16_t(u + 32) : u;
    return c.toLower().unicode();
}

// Whether a name holds ".ht" in any letter case (per-unit lower case, as
// text::lower maps it), without building the lower-cased copy.
bool holdsDotHt(QStringView name)
{
    for (qsizetype i = name.indexOf(u'.'); i >= 0 && i + 2 < name.size();
         i = name.indexOf(u'.', i + 1)) {
        if (lowerUnit(name[i + 1]) == u'h' && lowerUnit(name[i + 2]) == u't')
            return true;
    }
    return false;
}

bool isPageText(const QString& path)
{
    return holdsDotHt(leafName(path));
}

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// Old pages from Japanese Windows declare Shift_JIS. Such a page is
// converted on disk once, its declaration turned into "UTF-8"; a page that
// is already UTF-8 is never rewritten, whatever its text mentions. Takes a
// page without a UTF-8 mark that is not valid UTF-8. Gives the text to read
// the title from: the converted page, or "" when it could not be saved (the
// old file stays and the page gets its base-name title); nullopt when the
// page declares no Shift_JIS.
std::optional<QString> convertedShiftJisPage(const QString& path, const QByteArray& bytes)
{
    const QString old = files::decodeDefault(bytes);
    const int at = text::pos(QStringLiteral("SHIFT_JIS"), text::upper(old));
    if (at == 0)
        return std::nullopt;
    const QString converted = text::insert(QStringLiteral("UTF-8"), text::del(old, at, 9), at);
    if (!files::writeTextBom(path, converted))
        return QString();
    return files::joinCrLf(files::splitLines(converted));
}

// UTF-8 when the bytes are; else by their byte-order mark, else Shift_JIS.
QString decodePage(const QByteArray& bytes)
{
    if (files::isValidUtf8(bytes))
        return files::decodeUtf8(bytes);
    return files::decodeDefault(bytes);
}

// The text a title is read from: converted when it had to be, else as
// decodePage reads it. "" when the file was unreadable.
// A page with a UTF-8 mark reads as UTF-8 whether or not it is valid (the
// mark decides decodeDefault too), so it needs no validity scan; each page
// is scanned at most once. pathOf() gives the page's path; it is only asked
// for when a Shift_JIS page is converted.
template <class PathOf>
QString pageText(const PathOf& pathOf, const std::optional<QByteArray>& bytes)
{
    if (!bytes)
        return QString();
    if (bytes->startsWith(kUtf8Bom) || files::isValidUtf8(*bytes))
        return files::decodeUtf8(*bytes);
    if (const auto converted = convertedShiftJisPage(pathOf(), *bytes))
        return *converted;
    return files::decodeDefault(*bytes);
}

// Per-unit upper case, with a shortcut for ASCII: titles are read from
// thousands of pages when a folder opens.
inline char16_t upperUnit(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'a' && u <= 'z') ? char16_t(u - 32) : u;
    return c.toUpper().unicode();
}

// 1-based position of the upper-case ASCII marker in the upper-cased page
// (the same position in the page itself); 0 when absent. The marker starts
// with "<", which nothing else upper-cases to: the search jumps from one "<"
// to the next.
int posInUpper(QLatin1String marker, const QString& page)
{
    const qsizetype m = marker.size();
    const QChar* p = page.constData();
    for (qsizetype i = page.indexOf(u'<'); i >= 0 && i + m <= page.size();
         i = page.indexOf(u'<', i + 1)) {
        qsizetype k = 1;
        while (k < m && upperUnit(p[i + k]) == char16_t(marker[k].unicode()))
            ++k;
        if (k == m)
            return int(i + 1);
    }
    return 0;
}

QString titleFromText(const QString& page)
{
    const int p = posInUpper(QLatin1String("<TITLE>"), page);
    if (p < 1)
        return QString();
    const int q = posInUpper(QLatin1String("</TITLE>"), page);
    if (q < 1 || q - p <= 7)
        return QString();
    if (!page.contains(QLatin1String("<!DOCTYPE HTML PUBLIC")))
        return QString();
    return UnescapeAngleBrackets(text::copy(page, p + 7, q - p - 7));
}

bool isDrivePath(const QString& s)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:/"));
    return drive.match(s).hasMatch();
}

} // namespace

QString baseNameTitle(const QString& fileName)
{
    const QString base = withoutExtension(leafName(fileName));
    const int underscore = base.indexOf('_');
    return underscore < 0 ? base : base.mid(underscore + 1);
}

namespace {

// The title the page list shows for a page text file: its <TITLE>, else
// the base-name rule.
QString titleOf(const QString& path, const std::optional<QByteArray>& bytes)
{
    const QString title = titleFromText(pageText([&] { return path; }, bytes));
    return title.isEmpty() ? baseNameTitle(path) : title;
}

// Same for a bare name in folder: the path is only built for a conversion.
QString titleOfName(const QString& folder, const QString& name,
                    const std::optional<QByteArray>& bytes)
{
    const auto path = [&] { return files::joinPath(folder, name); };
    const QString title = titleFromText(pageText(path, bytes));
    return title.isEmpty() ? baseNameTitle(name) : title;
}

// A bare name or a relative path: it can be read through the opened folder.
bool isInFolder(const QString& entry)
{
    return !entry.startsWith('/') && !entry.contains(':');
}

// A name as the folder listing gives it: no separator of either kind and no
// ":", so neither a web address, a file URL nor a drive letter.
bool isBareName(const QString& entry)
{
    for (const QChar c : entry) {
        if (c == u'/' || c == u'\\' || c == u':')
            return false;
    }
    return true;
}

// Reads an entry's file. A path that is still relative here came from a
// drive-letter entry ("C:/x.html"): it names nothing and is never read
// against the process's current folder.
std::optional<QByteArray> readEntryFile(const QString& path)
{
    if (!path.startsWith('/'))
        return std::nullopt;
    return files::readBytes(path);
}

} // namespace

QString readPageTitle(const QString& path)
{
    if (!isPageText(path))
        return baseNameTitle(path);
    return titleOf(path, files::readBytes(path));
}

QStringList pageEntries(const QStringList& sortedFileNames, const QString& exeBaseName)
{
    const QString index = QStringLiteral("index");
    QStringList entries;
    for (const QString& name : sortedFileNames) {
        if (name.contains(index) && !name.contains('_') && !extensionOf(name).contains('$'))
            entries.append(name);
    }
    for (const QString& name : sortedFileNames) {
        if (withoutExtension(name) == exeBaseName || name.contains(index) || name.startsWith('_'))
            continue;
        if (!extensionOf(name).contains('$'))
            entries.append(name);
    }
    return entries;
}

int PageLevels::PBan() const
{
    if (PBanList.isEmpty())
        return -1;
    return text::toIntDef(PBanList.last(), 0);
}

int PageLevels::PBanSu() const
{
    return MidashiF.isEmpty() ? 0 : int(MidashiF.last().size());
}

void PageLevels::PBanSave(int i)
{
    if (!PBanList.isEmpty())
        PBanList.last() = QString::number(i);
}

QStringList PageLevels::topEntries() const
{
    return MidashiF.isEmpty() ? QStringList() : MidashiF.last();
}

QStringList PageLevels::topTitles() const
{
    return MidashiT.isEmpty() ? QStringList() : MidashiT.last();
}

void PageLevels::OpenFolder(const QString& folder, int pageIndex, bool push)
{
    QString f = folder;
    if (f.size() > 1 && (f.endsWith('/') || f.endsWith('\\')))
        f.chop(1); // only one: of two trailing separators one stays
    CurrentFolder = f;
    const QStringList names = files::listFiles(f, kPageFileMask);
    LastFileCount = int(names.size());
    const QStringList entries = pageEntries(names, ExeBaseName);
    const QStringList titles = BuildPageTitles(entries);
    if (!push && !MidashiF.isEmpty()) {
        MidashiF.removeLast();
        MidashiT.removeLast();
        PBanList.removeLast();
        LevelFolders.removeLast();
    }
    MidashiF.append(entries);
    MidashiT.append(titles);
    PBanList.append(QString::number(pageIndex));
    LevelFolders.append(f);
}

QStringList PageLevels::BuildPageTitles(const QStringList& entries) const
{
    const files::OpenedFolder folder(CurrentFolder);
    // In a folder whose path holds no ":", a bare name's path is the folder
    // joined with it, never a web address, and its leaf is the name itself.
    const bool plainFolder = !CurrentFolder.contains(u':');
    QStringList titles;
    titles.reserve(entries.size());
    for (const QString& entry : entries) {
        if (plainFolder && isBareName(entry)) {
            if (!holdsDotHt(entry))
                titles.append(baseNameTitle(entry));
            else
                titles.append(titleOfName(CurrentFolder, entry, folder.readBytes(entry)));
            continue;
        }
        const QString path = entryPath(entry);
        if (isWebAddress(path))
            titles.append(entry);
        else if (!isPageText(path))
            titles.append(baseNameTitle(path));
        else if (isInFolder(entry))
            titles.append(titleOf(path, folder.readBytes(files::slashes(entry))));
        else
            titles.append(titleOf(path, readEntryFile(path)));
    }
    return titles;
}

void PageLevels::pushLevel(const QStringList& entries, const QStringList& titles, int pageIndex)
{
    QStringList t = titles.mid(0, entries.size());
    for (qsizetype k = t.size(); k < entries.size(); ++k)
        t.append(baseNameTitle(entries.at(k)));
    MidashiF.append(entries);
    MidashiT.append(t);
    PBanList.append(QString::number(pageIndex));
    LevelFolders.append(CurrentFolder);
}

void PageLevels::PopLevel()
{
    if (PBanList.size() < 2) {
        PBanSave(0);
        return;
    }
    MidashiF.removeLast();
    MidashiT.removeLast();
    PBanList.removeLast();
    LevelFolders.removeLast();
    CurrentFolder = LevelFolders.last();
}

void PageLevels::clear()
{
    MidashiF.clear();
    MidashiT.clear();
    PBanList.clear();
    LevelFolders.clear();
}

void PageLevels::TiteleLoad(int i, const QString& shownUrl)
{
    if (i < 0 || MidashiT.isEmpty() || MidashiT.last().isEmpty() || isWebAddress(shownUrl))
        return;
    if (i >= MidashiT.last().size() || i >= PBanSu())
        return;
    const QString path = entryPath(i);
    const auto bytes = isPageText(path) ? readEntryFile(path) : std::nullopt;
    const QString page = bytes ? decodePage(*bytes) : QString();
    QString title;
    const int p = text::pos(QStringLiteral("<TITLE>"), page);
    if (p > 0 && text::contains(page, QStringLiteral("<!DOCTYPE HTML PUBLIC"))) {
        // Kept escaped: the page buttons unescape titles when they are built.
        const int q = text::pos(QStringLiteral("</TITLE>"), page);
        title = text::copy(page, p + 7, q - p - 7);
    } else {
        title = baseNameTitle(path);
    }
    MidashiT.last()[i] = title;
}

int PageLevels::IsCurrentPage(const QString& url) const
{
    const int ban = PBan();
    if (ban < 0)
        return -1;
    if (ban >= PBanSu())
        return 0;
    const QString path = CutNN(url);
    return text::pos(entryPath(ban), path);
}

QString PageLevels::entryPath(int i) const
{
    const QStringList top = topEntries();
    if (i < 0 || i >= top.size())
        return QString();
    return entryPath(top.at(i));
}

QString PageLevels::entryPath(const QString& entry) const
{
    if (isWebAddress(entry))
        return entry;
    if (entry.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return CutNN(entry);
    const QString e = files::slashes(entry);
    if (e.startsWith('/') || isDrivePath(e))
        return e; // a drive letter names nothing here: it stays a missing file
    return files::joinPath(CurrentFolder, e);
}

int PageLevels::indexOfPath(const QString& path) const
{
    if (path.isEmpty())
        return -1;
    const QString wanted = QDir::cleanPath(files::slashes(path));
    const QStringList top = topEntries();
    for (int i = 0; i < top.size(); ++i)
        if (QDir::cleanPath(entryPath(top.at(i))) == wanted)
            return int(i);
    return -1;
}

} // namespace store
