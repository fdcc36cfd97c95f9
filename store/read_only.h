#pragma once
// A file the person made read-only (no write permission for its owner) is
// never replaced: a save renames a new file over the old one, which the
// permission alone would not stop.

#include <QString>
#include <sys/types.h>

namespace files {

// The mode of an existing file that must not be written over.
bool readOnlyMode(mode_t mode);
// An existing file (links followed) whose owner may not write it.
bool isReadOnlyFile(const QString& path);

} // namespace files
