// Paths joined, masks matched, folders listed in the order of a sorted
// Windows list box, and names found regardless of case.
#include "store/files.h"
#include "store/log.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMutex>
#include <QSet>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    QString head = folder;
    while (head.size() > 1 && head.endsWith('/'))
        head.chop(1);
    int skip = 0;
    while (skip < name.size() && name.at(skip) == '/')
        ++skip;
    const QString tail = name.mid(skip);
    if (tail.isEmpty())
        return head;
    if (head == QLatin1String("/"))
        return head + tail;
    return head + '/' + tail;
}

QString slashes(const QString& s)
{
    QString r = s;
    r.replace('\\', '/');
    return r;
}

// Windows-style wildcard: "*" any run, "?" one character, case ignored.
static bool wildcardMatch(const QString& name, const QString& pattern)
{
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size()
            && (pattern.at(p) == '?'
                || pattern.at(p).toCaseFolded() == name.at(n).toCaseFolded())) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern.at(p) == '*') {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == '*')
        ++p;
    return p == pattern.size();
}

static QStringList maskPieces(const QString& mask)
{
    QStringList pieces;
    for (const QString& piece : mask.split(';')) {
        const QString t = piece.trimmed();
        if (!t.isEmpty())
            pieces.append(t);
    }
    return pieces;
}

static bool matchesPieces(const QString& name, const QStringList& pieces)
{
    for (const QString& piece : pieces) {
        if (piece == QLatin1String("*.*") || piece == QLatin1String("*")
            || wildcardMatch(name, piece))
            return true;
    }
    return false;
}

bool matchesMask(const QString& name, const QString& mask)
{
    return matchesPieces(name, maskPieces(mask));
}

// One collator for the whole program: building one is costly.
static const QCollator& nameCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Japanese, QLocale::Japan)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return collator;
}

int compareNames(const QString& a, const QString& b)
{
    const int c = nameCollator().compare(a, b);
    if (c != 0)
        return c;
    return QString::compare(a, b, Qt::CaseSensitive);
}

void sortNames(QStringList& names)
{
    // Direct comparison, not a sort key per name: ICU compares Latin text
    // on a fast path, and building the keys cost three times the sort.
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return compareNames(a, b) < 0; });
}

// Whether a folder entry is listed as a file: no folders, FIFOs, sockets or
// devices. A link counts by its target: a link to a folder and a dangling
// link are left out, a link to anything else is listed. The type readdir
// gives spares a stat for every plain file.
static bool isListedFile(int folderFd, const dirent& entry)
{
    struct stat st {};
    switch (entry.d_type) {
    case DT_REG:
        return true;
    case DT_LNK:
        return ::fstatat(folderFd, entry.d_name, &st, 0) == 0 && !S_ISDIR(st.st_mode);
    case DT_UNKNOWN: // file systems that do not fill in the type
        if (::fstatat(folderFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        if (S_ISREG(st.st_mode))
            return true;
        return S_ISLNK(st.st_mode) && ::fstatat(folderFd, entry.d_name, &st, 0) == 0
            && !S_ISDIR(st.st_mode);
    default:
        return false;
    }
}

namespace {

// Folders whose listings left out names that are not valid UTF-8 (from
// Windows archives); listings may run on worker threads.
struct UnreadableNames {
    QMutex mutex;
    QSet<QString> found;
    QSet<QString> told;
};

UnreadableNames& unreadableNames()
{
    static UnreadableNames names;
    return names;
}

void noteUnreadableName(const QString& folder)
{
    UnreadableNames& u = unreadableNames();
    const QMutexLocker lock(&u.mutex);
    if (u.found.contains(folder))
        return;
    u.found.insert(folder);
    qCWarning(lcPagora) << "names that are not valid UTF-8 are left out of the listing of" << folder;
}

} // namespace

bool firstNoticeOfUnreadableNames(const QString& folder)
{
    UnreadableNames& u = unreadableNames();
    const QMutexLocker lock(&u.mutex);
    if (!u.found.contains(folder) || u.told.contains(folder))
        return false;
    u.told.insert(folder);
    return true;
}

// The name of a folder entry, or "" when its bytes do not survive the way
// back from the decoded name (not valid UTF-8).
static QString readableName(const char* raw)
{
    const QString name = QFile::decodeName(raw);
    return QFile::encodeName(name) == QByteArrayView(raw) ? name : QString();
}

// Unsorted names of the listed files of folder, dot files left out.
static QStringList plainFileNames(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return {};
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return {};
    }
    QStringList names;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.' || !isListedFile(fd, *entry))
            continue;
        const QString name = readableName(entry->d_name);
        if (name.isEmpty())
            noteUnreadableName(folder);
        else
            names.append(name);
    }
    ::closedir(dir);
    return names;
}

QStringList listFiles(const QString& folder, const QString& mask)
{
    if (folder.isEmpty())
        return {};
    const QStringList pieces = maskPieces(mask);
    QStringList names;
    for (const QString& n : plainFileNames(folder)) {
        if (matchesPieces(n, pieces))
            names.append(n);
    }
    sortNames(names);
    return names;
}

QStringList listFolders(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                                      QDir::Unsorted);
    // Only a name holding the replacement character can have lost bytes.
    names.removeIf([&](const QString& n) {
        const bool lost = n.contains(QChar::ReplacementCharacter) && !QFileInfo(dir.filePath(n)).isDir();
        if (lost)
            noteUnreadableName(folder);
        return lost;
    });
    sortNames(names);
    return names;
}

// The entries of folder (of any kind, dot entries too) whose names equal
// leaf with letter case ignored, read in one pass without a listing.
static QStringList namesLike(const QString& folder, const QString& leaf)
{
    QStringList matches;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return matches;
    while (const dirent* entry = ::readdir(dir)) {
        const char* raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
            continue;
        const QString n = QFile::decodeName(raw);
        if (QString::compare(n, leaf, Qt::CaseInsensitive) == 0)
            matches.append(n);
    }
    ::closedir(dir);
    return matches;
}

QString findFile(const QString& folder, const QString& name)
{
    if (name.isEmpty())
        return QString();
    const QString exact = joinPath(folder, name);
    if (QFileInfo::exists(exact))
        return exact;
    const QFileInfo wanted(exact);
    const QString leaf = wanted.fileName();
    if (leaf.isEmpty())
        return QString();
    QStringList matches = namesLike(wanted.path(), leaf);
    if (matches.isEmpty())
        return QString();
    sortNames(matches); // several case variants: take a stable one
    // Keep the folder part exactly as it was given.
    return exact.left(exact.size() - leaf.size()) + matches.first();
}

QString findPath(const QString& path)
{
    const int slash = path.lastIndexOf('/');
    if (slash < 0)
        return findFile(QString(), path);
    return findFile(slash == 0 ? QStringLiteral("/") : path.left(slash), path.mid(slash + 1));
}

} // namespace files
