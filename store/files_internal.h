#pragma once
// Shared by the files_*.cpp units only.

#include <QByteArray>

namespace files {

inline const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

} // namespace files
