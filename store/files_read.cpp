// Whole-file reads, fast enough for a folder listing that reads every page.
#include "store/files.h"

#include <QFile>

#include <algorithm>
#include <limits>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

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

// No limit: the whole file, whatever its size.
static constexpr qint64 kWhole = std::numeric_limits<qint64>::max() - 1;

// What was read: the whole file, or, for a file over the limit, nothing but
// its size.
static FileHead overLimit(qint64 size) { return FileHead{QByteArray(), size}; }

// Reads on after the first buffer: the file's size from fstat, one more
// byte so that a short read marks the end, doubling if the file grew. A
// file over limit is not read on: only its size comes back.
static std::optional<FileHead> readRestOfRegular(int fd, const char* first, qsizetype used, qint64 limit)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    if (used == 0)
        return FileHead{};
    if (qint64(st.st_size) > limit || used > limit)
        return overLimit(std::max<qint64>(st.st_size, used));
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
        if (used > limit)
            return overLimit(used); // the file grew past the limit while it was read
        capacity = qsizetype(std::min<qint64>(qint64(capacity) * 2, limit + 1)); // the file grew
    }
    bytes.resize(used);
    return FileHead{bytes, used};
}

static std::optional<FileHead> readRegular(int fd, qint64 limit)
{
    char first[kFirstRead];
    const ssize_t got = preadRetrying(fd, first, kFirstRead, 0);
    if (got < 0)
        return std::nullopt;
    if (got > 0 && got < kFirstRead)
        return got > limit ? overLimit(got) : FileHead{QByteArray(first, qsizetype(got)), got};
    return readRestOfRegular(fd, first, qsizetype(got), limit);
}

// Takes over fd.
static std::optional<FileHead> readAllAndClose(int fd, qint64 limit)
{
    if (fd < 0)
        return std::nullopt;
    auto read = readRegular(fd, limit);
    ::close(fd);
    return read;
}

static std::optional<QByteArray> bytesOf(std::optional<FileHead> read)
{
    if (!read)
        return std::nullopt;
    return std::move(read->bytes);
}

static constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

// Takes over fd. Only regular files have a head. As in readRegular, a
// short, non-empty first read is the end of a regular file; a head larger
// than one first read is read on to its end. Only an empty read or a full
// buffer asks fstat for the kind and size of the file.
static std::optional<FileHead> readHeadAndClose(int fd, qsizetype maxBytes)
{
    if (fd < 0)
        return std::nullopt;
    QByteArray bytes(std::max<qsizetype>(maxBytes, 0), Qt::Uninitialized);
    ssize_t got = preadRetrying(fd, bytes.data(), bytes.size(), 0);
    qsizetype used = std::max<ssize_t>(got, 0);
    while (got > 0 && used < bytes.size() && bytes.size() > kFirstRead) {
        got = preadRetrying(fd, bytes.data() + used, bytes.size() - used, used);
        used += std::max<ssize_t>(got, 0);
    }
    std::optional<FileHead> head;
    struct stat st {};
    if (got >= 0 && used > 0 && used < bytes.size()) {
        bytes.truncate(used);
        head = FileHead{bytes, used};
    } else if (got >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bytes.truncate(used);
        head = FileHead{bytes, std::max<qint64>(st.st_size, used)};
    }
    ::close(fd);
    return head;
}

// Files compiled into the program (":/...") are read through Qt.
static std::optional<QByteArray> readResource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

static std::optional<FileHead> headOf(const std::optional<QByteArray>& bytes, qsizetype maxBytes)
{
    if (!bytes)
        return std::nullopt;
    return FileHead{bytes->left(maxBytes), bytes->size()};
}

std::optional<FileHead> readHead(const QString& path, qsizetype maxBytes)
{
    if (path.isEmpty())
        return std::nullopt;
    if (path.startsWith(QLatin1String(":/")))
        return headOf(readResource(path), maxBytes);
    return readHeadAndClose(::open(QFile::encodeName(path).constData(), kReadFlags), maxBytes);
}

std::optional<QByteArray> readBytes(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    if (path.startsWith(QLatin1String(":/")))
        return readResource(path);
    return bytesOf(readAllAndClose(::open(QFile::encodeName(path).constData(), kReadFlags), kWhole));
}

std::optional<FileHead> readUpTo(const QString& path, qint64 limit)
{
    if (path.isEmpty())
        return std::nullopt;
    if (path.startsWith(QLatin1String(":/"))) {
        const auto bytes = readResource(path);
        if (!bytes)
            return std::nullopt;
        return bytes->size() > limit ? overLimit(bytes->size()) : FileHead{*bytes, bytes->size()};
    }
    return readAllAndClose(::open(QFile::encodeName(path).constData(), kReadFlags), limit);
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

// Opens a name relative to the held folder, as readBytes opens a path.
int OpenedFolder::openFile(const QString& name) const
{
    return ::openat(fd_, QFile::encodeName(name).constData(), kReadFlags);
}

std::optional<QByteArray> OpenedFolder::readBytes(const QString& name) const
{
    if (name.isEmpty())
        return std::nullopt;
    if (name.startsWith('/'))
        return files::readBytes(name);
    if (fd_ < 0)
        return files::readBytes(joinPath(folder_, name));
    return bytesOf(readAllAndClose(openFile(name), kWhole));
}

std::optional<FileHead> OpenedFolder::readHead(const QString& name, qsizetype maxBytes) const
{
    if (name.isEmpty())
        return std::nullopt;
    if (name.startsWith('/'))
        return files::readHead(name, maxBytes);
    if (fd_ < 0)
        return files::readHead(joinPath(folder_, name), maxBytes);
    return readHeadAndClose(openFile(name), maxBytes);
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

} // namespace files
