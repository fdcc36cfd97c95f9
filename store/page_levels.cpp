#include "store/page_levels.h"

#include "store/files.h"
#include "store/page_encoding.h"
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

// Titles stand at the head of a page: a listing reads a small head of each
// page, a larger one only when the TITLE is not closed within it, and the
// whole page only when it is not closed there either.
constexpr qsizetype kTitleHeads[] = {4 * 1024, 64 * 1024};

// Old pages from Japanese Windows declare Shift_JIS. Such a page is
// converted on disk once, its declaration turned into "UTF-8", when every
// byte of it decodes; any other page is left byte for byte as it is,
// whatever its text mentions. Gives the text to read the title from: the
// converted page, or "" when it could not be saved (the old file stays and
// the page gets its base-name title). save writes the page's new bytes.
template <class Save>
QString convertedShiftJisPage(const Save& save, QByteArray bytes, const PageText& page)
{
    bytes.replace(page.charsetAt, page.charset.size(), "UTF-8");
    const QString converted = files::joinCrLf(files::splitLines(files::decodeShiftJis(bytes)));
    if (!save(QByteArrayLiteral("\xEF\xBB\xBF") + converted.toUtf8()))
        return QString();
    return converted;
}

// What a conversion saves with when the page is only read.
bool neverSave(const QByteArray&)
{
    return false;
}

bool isConverted(const PageText& page)
{
    return page.encoding == PageEncoding::ShiftJis && page.declaresShiftJis();
}

// Whether the head already holds the end of the TITLE (any letter case).
bool closesTitle(const QString& text)
{
    return text.contains(QLatin1String("</TITLE"), Qt::CaseInsensitive);
}

// The text a title is read from, "" when the file was unreadable, over the
// editor's read limit or decodes no way. read(maxBytes) gives the file's
// head; save(bytes) replaces the page, only called when a Shift_JIS page is
// converted. Re-reading one title (convert false) never writes.
template <class Read, class Save>
QString pageText(const Read& read, const Save& save, bool convert = true)
{
    std::optional<files::FileHead> file;
    PageText page;
    for (const qsizetype head : kTitleHeads) {
        file = read(head);
        if (!file || file->size > kLargestPage)
            return QString();
        page = decodePage(file->bytes, !file->isWhole());
        if (file->isWhole() || closesTitle(page.text))
            break;
    }
    // A page that may have to be converted is decided on all its bytes.
    const bool mayConvert = convert && !page.hasBom && page.declaresShiftJis();
    if (!file->isWhole() && (mayConvert || !closesTitle(page.text))) {
        file = read(qsizetype(file->size));
        if (!file)
            return QString();
        page = decodePage(file->bytes);
    }
    if (convert && isConverted(page))
        return convertedShiftJisPage(save, file->bytes, page);
    return page.text;
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
// the base-name rule. A converted page is saved at path, inside within.
template <class Read>
QString titleOf(const QString& path, const Read& read, const QStringList& within)
{
    const auto save = [&](const QByteArray& bytes) { return files::writeBytes(path, bytes, within); };
    const QString title = titleFromText(pageText(read, save));
    return title.isEmpty() ? baseNameTitle(path) : title;
}

// Same for a bare name in the opened folder: a converted page is saved
// through the folder as it was opened, never by walking its path again.
QString titleOfName(const files::OpenedFolder& opened, const QString& name)
{
    const auto read = [&](qsizetype max) { return opened.readHead(name, max); };
    const auto save = [&](const QByteArray& bytes) { return opened.writeBytes(name, bytes); };
    const QString title = titleFromText(pageText(read, save));
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
std::optional<files::FileHead> readEntryHead(const QString& path, qsizetype maxBytes)
{
    if (!path.startsWith('/'))
        return std::nullopt;
    return files::readHead(path, maxBytes);
}

auto entryReader(const QString& path)
{
    return [path](qsizetype max) { return readEntryHead(path, max); };
}

} // namespace

QString pageHeadText(const QString& path)
{
    return pageText([&](qsizetype max) { return files::readHead(path, max); }, neverSave, false);
}

QString pageHeadText(const QByteArray& pageBytes)
{
    const auto read = [&](qsizetype max) {
        return std::optional<files::FileHead>({pageBytes.left(max), pageBytes.size()});
    };
    return pageText(read, neverSave, false);
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

ListedFolder listPageFolder(const QString& folder, const QString& exeBaseName, const QStringList& writeBounds)
{
    ListedFolder listed{folder, files::listFiles(folder, kPageFileMask), {}, {}};
    readEntriesAndTitles(listed, exeBaseName, writeBounds);
    return listed;
}

void readEntriesAndTitles(ListedFolder& listed, const QString& exeBaseName, const QStringList& writeBounds)
{
    PageLevels scratch;
    scratch.CurrentFolder = listed.folder;
    scratch.ExeBaseName = exeBaseName;
    scratch.WriteBounds = writeBounds;
    listed.entries = pageEntries(listed.names, exeBaseName);
    listed.titles = scratch.BuildPageTitles(listed.entries);
}

QStringList PageLevels::OpenFolder(const QString& folder, int pageIndex, bool push)
{
    QString f = folder;
    if (f.size() > 1 && (f.endsWith('/') || f.endsWith('\\')))
        f.chop(1); // only one: of two trailing separators one stays
    return OpenListedFolder(listPageFolder(f, ExeBaseName, WriteBounds), pageIndex, push);
}

QStringList PageLevels::OpenListedFolder(const ListedFolder& listed, int pageIndex, bool push)
{
    CurrentFolder = listed.folder;
    LastFileCount = int(listed.names.size());
    if (!push && !MidashiF.isEmpty()) {
        MidashiF.removeLast();
        MidashiT.removeLast();
        PBanList.removeLast();
        LevelFolders.removeLast();
    }
    MidashiF.append(listed.entries);
    MidashiT.append(listed.titles);
    PBanList.append(QString::number(pageIndex));
    LevelFolders.append(listed.folder);
    return listed.names;
}

QStringList PageLevels::BuildPageTitles(const QStringList& entries) const
{
    // Held open once: the pages converted as they are listed are saved in
    // the folder that was listed, whatever is swapped in for its path.
    const files::OpenedFolder folder(CurrentFolder, WriteBounds);
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
                titles.append(titleOfName(folder, entry));
            continue;
        }
        const QString path = entryPath(entry);
        if (isWebAddress(path))
            titles.append(entry);
        else if (!isPageText(path))
            titles.append(baseNameTitle(path));
        else if (isInFolder(entry))
            titles.append(titleOf(path, [&, name = files::slashes(entry)](qsizetype max) {
                return folder.readHead(name, max);
            }, WriteBounds));
        else
            titles.append(titleOf(path, entryReader(path), WriteBounds));
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
    const QString page = isPageText(path) ? pageText(entryReader(path), neverSave, false) : QString();
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
