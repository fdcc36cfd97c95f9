#include "platform/shell.h"

#include "platform/browser.h"
#include "platform/seam.h"

#include <QFileInfo>

namespace platform {

bool openPath(const QString& pathOrUrl)
{
    if (pathOrUrl.isEmpty())
        return false;
    return openUrl(toNavigableUrl(pathOrUrl));
}

bool exploreFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    return openUrl(QUrl::fromLocalFile(folder));
}

} // namespace platform
