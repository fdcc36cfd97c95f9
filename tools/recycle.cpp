#include "tools/recycle.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "viewer/main_window.h"

#include <QFileInfo>

namespace recycle {

bool RecycleFile(TForm1& w, const QString& file)
{
    bool ok = true;
    const QFileInfo info(file);
    if (!file.isEmpty() && (info.exists() || info.isSymLink()) && !files::moveToTrash(file)) {
        qCWarning(lcPagora) << "the trash refused" << file;
        platform::showMessage(QStringLiteral("ごみ箱に移せませんでした（ファイルはそのまま残っています）。\n") + file,
                              platform::MsgType::Warning);
        ok = false;
    }
    w.PageClick(0, true);
    return ok;
}

} // namespace recycle
