#pragma once
// What a page file held when the editor read it, so that a save can tell
// whether another program wrote the page while the editor was open.

#include <QByteArray>
#include <QString>

namespace editor {

struct PageOnDisk {
    bool exists = false;
    QByteArray digest;  // of the bytes; empty when they could not be read
    bool operator==(const PageOnDisk& o) const { return exists == o.exists && digest == o.digest; }
    bool operator!=(const PageOnDisk& o) const { return !(*this == o); }
};

// The file at path as it is now (its contents, not its time: a page written
// twice within the clock's step still counts as changed).
PageOnDisk pageOnDisk(const QString& path);

} // namespace editor
