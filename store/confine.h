#pragma once
// Where a path really leads, and folders opened without following links.
// Writes that must stay inside the folders the program works in decide on
// the place the kernel would reach, not on the text of the path: "l/.."
// with "l" a link to "/x/y" is "/x", whatever the text says.

#include <QString>
#include <QStringList>

namespace confine {

// The path as the kernel reaches it: every symbolic link on the way is
// followed, the last one too and a dangling one as well (a relative target
// counts from the link's folder), and ".." is applied where it stands,
// after the link before it. Parts that do not exist yet are kept as they
// are written. "" when the path is not absolute, links loop or cannot be
// read, a part cannot be looked at, or ".." follows a part that does not
// exist (nothing could be made there).
QString settledPath(const QString& path);

// True when path settles inside root or on root itself.
bool liesInside(const QString& path, const QString& root);
// True when path lies inside one of roots. A root written inside an earlier
// one of the list (by its text: the current folder after the data root) is
// not a root of its own: a link swapped in for it does not take the root
// along. The folders the program keeps come first, so name them first.
bool liesInsideAny(const QString& path, const QStringList& roots);
// The same for a path that is settled already: only the roots are settled.
bool settledInsideAny(const QString& settled, const QStringList& roots);

// A file descriptor closed with its holder.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd();
    Fd(Fd&& other) noexcept : fd_(other.release()) {}
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
private:
    int fd_;
};

// Opens a settled folder by walking it from "/" one part at a time and
// refusing every link: a link put in place after the path was settled is
// not followed. With create, missing parts are made on the way (each inside
// the part opened before it). An invalid Fd (errno set) when it cannot.
Fd openSettledFolder(const QString& settled, bool create);

} // namespace confine
