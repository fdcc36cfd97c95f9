#include "store/files.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstdio>
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

// ---- encodings ----

static const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

bool isValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more;
        unsigned lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                lo = 0xA0; // no overlong forms
            if (c == 0xED)
                hi = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                lo = 0x90;
            if (c == 0xF4)
                hi = 0x8F; // nothing above U+10FFFF
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= n)
                return false;
            const unsigned char b = p[i + k];
            const unsigned l = k == 1 ? lo : 0x80, h = k == 1 ? hi : 0xBF;
            if (b < l || b > h)
                return false;
        }
        i += more + 1;
    }
    return true;
}

QString decodeShiftJis(const QByteArray& bytes)
{
    QStringDecoder decoder("Shift_JIS");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes); // no converter: keep every byte visible
    return decoder.decode(bytes);
}

QByteArray encodeShiftJis(const QString& s)
{
    QStringEncoder encoder("Shift_JIS");
    if (!encoder.isValid())
        return s.toLatin1();
    return encoder.encode(s);
}

QString decodeUtf8(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return QString::fromUtf8(bytes);
}

QString decodeDefault(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return decodeUtf8(bytes);
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE);
        return d.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringDecoder::Utf16BE);
        return d.decode(bytes.mid(2));
    }
    return decodeShiftJis(bytes);
}

QString decodeUtf8OrShiftJis(const QByteArray& bytes)
{
    if (isValidUtf8(bytes))
        return decodeUtf8(bytes);
    return decodeShiftJis(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == '\r' || c == '\n') {
            lines.append(text.mid(start, i - start));
            if (c == '\r' && i + 1 < n && text.at(i + 1) == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString joinCrLf(const QStringList& lines)
{
    QString r;
    for (const QString& line : lines) {
        r += line;
        r += QLatin1String("\r\n");
    }
    return r;
}

// ---- reading ----

// Plain POSIX calls: a folder listing reads thousands of pages, and every
// system call counts. Only regular files are read, and they are opened
// non-blocking, so a pipe named like a page cannot hang the program.
//
// Most pages fit in one buffer, so the first read usually gives the whole
// file and its size at once. pread refuses pipes and FIFOs outright
// (ESPIPE), and folders fail it (EISDIR); a short, non-empty read from a
// regular file is its end. An empty read or a full buffer asks fstat, which
// tells a regular file from a device (/dev/null, /dev/zero) and gives the
// size.
static constexpr qsizetype kFirstRead = 32 * 1024;

static ssize_t preadRetrying(int fd, char* into, qsizetype count, qsizetype offset)
{
    for (;;) {
        const ssize_t got = ::pread(fd, into, size_t(count), off_t(offset));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

// Reads on after the first buffer: the file's size from fstat, one more
// byte so that a short read marks the end, doubling if the file grew.
static std::optional<QByteArray> readRestOfRegular(int fd, const char* first, qsizetype used)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    if (used == 0)
        return QByteArray();
    QByteArray bytes(first, used);
    qsizetype capacity = std::max(qsizetype(st.st_size), used) + 1;
    for (;;) {
        bytes.resize(capacity);
        const ssize_t got = preadRetrying(fd, bytes.data() + used, capacity - used, used);
        if (got < 0)
            return std::nullopt;
        used += got;
        if (used < capacity)
            break;
        capacity *= 2; // the file grew while it was read
    }
    bytes.resize(used);
    return bytes;
}

static std::optional<QByteArray> readRegular(int fd)
{
    char first[kFirstRead];
    const ssize_t got = preadRetrying(fd, first, kFirstRead, 0);
    if (got < 0)
        return std::nullopt;
    if (got > 0 && got < kFirstRead)
        return QByteArray(first, qsizetype(got));
    return readRestOfRegular(fd, first, qsizetype(got));
}

// Takes over fd.
static std::optional<QByteArray> readAllAndClose(int fd)
{
    if (fd < 0)
        return std::nullopt;
    auto bytes = readRegular(fd);
    ::close(fd);
    return bytes;
}

static constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

// Files compiled into the program (":/...") are read through Qt.
static std::optional<QByteArray> readResource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

std::optional<QByteArray> readBytes(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    if (path.startsWith(QLatin1String(":/")))
        return readResource(path);
    return readAllAndClose(::open(QFile::encodeName(path).constData(), kReadFlags));
}

OpenedFolder::OpenedFolder(const QString& folder)
    : folder_(folder)
{
    if (!folder.isEmpty())
        fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

OpenedFolder::~OpenedFolder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<QByteArray> OpenedFolder::readBytes(const QString& name) const
{
    if (name.isEmpty())
        return std::nullopt;
    if (name.startsWith('/'))
        return files::readBytes(name);
    if (fd_ < 0)
        return files::readBytes(joinPath(folder_, name));
    return readAllAndClose(::openat(fd_, QFile::encodeName(name).constData(), kReadFlags));
}

std::optional<QString> readUtf8(const QString& path)
{
    const auto bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return decodeUtf8(*bytes);
}

std::optional<QString> readDefault(const QString& path)
{
    const auto bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return decodeDefault(*bytes);
}

std::optional<QString> readUtf8OrShiftJis(const QString& path)
{
    const auto bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return decodeUtf8OrShiftJis(*bytes);
}

// ---- writing ----

// QSaveFile::commit() in Qt 6.4 overlooks a failure while flushing its
// buffer (a full disk after a few bytes) and renames the cut-off file over
// the old one. Flushing first catches it.
bool commitChecked(QSaveFile& f)
{
    if (!f.flush() || f.error() != QFileDevice::NoError) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return commitChecked(f);
}

bool writeTextBom(const QString& path, const QString& text)
{
    return writeLinesBom(path, splitLines(text));
}

bool writeLinesBom(const QString& path, const QStringList& lines)
{
    return writeBytes(path, kUtf8Bom + joinCrLf(lines).toUtf8());
}

bool writeTextNoBom(const QString& path, const QString& text)
{
    return writeBytes(path, joinCrLf(splitLines(text)).toUtf8());
}

bool appendBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool ok = f.write(bytes) == bytes.size();
    return f.flush() && ok;
}

// ---- folder listings ----

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
        if (entry->d_name[0] != '.' && isListedFile(fd, *entry))
            names.append(QFile::decodeName(entry->d_name));
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
    sortNames(names);
    return names;
}

QString findFile(const QString& folder, const QString& name)
{
    if (name.isEmpty())
        return QString();
    const QString exact = joinPath(folder, name);
    if (QFileInfo::exists(exact))
        return exact;
    const QFileInfo wanted(exact);
    const QDir dir = wanted.dir();
    const QString leaf = wanted.fileName();
    if (leaf.isEmpty() || !dir.exists())
        return QString();
    QStringList matches;
    const auto filters = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString& n : dir.entryList(filters, QDir::Unsorted)) {
        if (QString::compare(n, leaf, Qt::CaseInsensitive) == 0)
            matches.append(n);
    }
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

// ---- copy, rename, trash ----

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

static bool keepModificationTime(const QString& target, const QDateTime& time)
{
    QFile f(target);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    return f.setFileTime(time, QFileDevice::FileModificationTime);
}

bool copyFileOver(const QString& source, const QString& target)
{
    const QFileInfo src(source);
    if (!src.isFile() || target.isEmpty() || QFileInfo(target).isDir())
        return false;
    if (sameFile(source, target))
        return false; // a copy onto itself would empty it
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0 || (got > 0 && out.write(buffer, got) != got)) {
            out.cancelWriting();
            return false;
        }
        if (got == 0)
            break;
    }
    if (!commitChecked(out))
        return false;
    keepModificationTime(target, src.lastModified());
    return true;
}

bool renameNoReplace(const QString& source, const QString& target)
{
    if (source.isEmpty() || target.isEmpty())
        return false;
    const QFileInfo src(source);
    if (!src.exists() && !src.isSymLink())
        return false;
    const QFileInfo dst(target);
    if (dst.exists() || dst.isSymLink())
        return false;
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    // The kernel refuses an existing target itself, so nothing can slip in
    // between the check above and the rename.
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) // file system without the flag
        return ::rename(from.constData(), to.constData()) == 0;
    if (errno == EXDEV && src.isFile())
        return QFile::rename(source, target); // another device: copy, then remove
    return false;
}

bool moveToTrash(const QString& path)
{
    if (path.isEmpty() || (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()))
        return false;
    // Without the data folder Qt 6.4 moves the file to "files/" under the
    // current directory and reports success.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash))
        return false;
    if (QFileInfo(inTrash).isAbsolute())
        return true;
    // It went somewhere relative after all: bring it back, report failure.
    const QString stray = QDir::current().absoluteFilePath(inTrash);
    renameNoReplace(stray, path);
    return false;
}

} // namespace files
