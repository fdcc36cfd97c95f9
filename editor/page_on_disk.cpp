#include "editor/page_on_disk.h"

#include "store/files.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace editor {

PageOnDisk pageOnDisk(const QString& path)
{
    PageOnDisk state;
    state.exists = !path.isEmpty() && QFileInfo(path).isFile();
    if (!state.exists)
        return state;
    if (const auto bytes = files::readBytes(path))
        state.digest = QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256);
    return state;
}

} // namespace editor
