// Handing the page's picture to the paint program, or starting a new blank
// picture there, and taking the result back into the editor.
#include "editor/image_buttons.h"

#include "editor/picture_files.h"
#include "platform/seam.h"
#include "platform/shell.h"
#include "store/paths.h"
#include "store/files.h"
#include "store/log.h"
#include "store/page_tags.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace editor {

namespace {

QString srcAttribute(const QString& name)
{
    return QStringLiteral("src=\"") + name + u'"';
}

// Makes room for a new picture: an old file of that name goes to the trash.
bool startNewPicture(ImageBlock& b, const QString& name)
{
    if (!acceptPictureName(name))
        return false;
    const QString old = b.inFolder(name);
    const TrashOutcome outcome = QFileInfo(old).isFile() ? b.trash(old) : TrashOutcome::Moved;
    if (outcome == TrashOutcome::Refused)
        platform::showMessage(QStringLiteral("前の画像をごみ箱に移せませんでした。\n%1").arg(old),
                              platform::MsgType::Warning);
    if (outcome != TrashOutcome::Moved) // kept by the user's choice, or refused (said so)
        return false;
    b.m.Edit7 = store::SetTagAttribute(b.m.Edit7, srcAttribute(name));
    b.m.Gname = name;
    return true;
}

// A missing picture gets a blank one of the frame's size to paint on.
void prepareBlankPicture(ImageBlock& b, const QString& path, const QString& freshName)
{
    if (b.v.Panel6Tag < kLayoutCentre) {
        RestoreImageState(b);
        SetLayoutImageCenter(b);
        ReloadSavedImage(b);
    }
    if (!freshName.isEmpty()) {
        // The layout switch may have brought back an older picture or the
        // default name; the page must point at the one being drawn.
        b.m.Gname = freshName;
        b.m.Edit7 = store::SetTagAttribute(b.m.Edit7, srcAttribute(freshName));
    }
    int w = b.m.PanelImage1Width;
    int h = b.m.PanelImage1Height;
    if (w <= 0 || h <= 0) {
        w = kCentreFrameWidth;
        h = kCentreFrameHeight;
    }
    if (!QFileInfo(path).suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive)
        || !QFileInfo(path).suffix().compare(QLatin1String("jpg"), Qt::CaseInsensitive)) {
        if (!writeBlankPicture(path, w, h, b.m.WriteBounds)) {
            qCWarning(lcPagora) << "blank picture not written:" << path;
            platform::showMessage(QStringLiteral("新しい画像を作れませんでした。\n%1").arg(path),
                                  platform::MsgType::Warning);
        }
    }
}

void runPaintProgram(ImageBlock& b, const QString& path)
{
    QCoreApplication::processEvents();
    const QString program = platform::paintProgram();
    if (program.isEmpty()) {
        platform::showMessage(QStringLiteral("お絵かきソフトが見つかりません。\n"
                                             "kolourpaint などのお絵かきソフトを入れてください。"),
                              platform::MsgType::Warning);
        return;
    }
    if (!platform::startProgram(program, {path}, b.folder(), true, b.window))
        qCWarning(lcPagora) << "paint program did not run:" << program << path;
}

} // namespace

void paintButtonUp(ImageBlock& b, bool right)
{
    store::PageModel& m = b.m;
    QString freshName;
    if (right || m.Gname.isEmpty()) {
        freshName = QStringLiteral("_") + DefaultImageFileName(b.pagePath);
        if (!startNewPicture(b, freshName))
            return;
    }
    // A new picture has its exact name; an old one may differ in letter case.
    QString path = freshName.isEmpty() ? store::FindReferencedFile(b.folder(), m.Gname) : QString();
    if (path.isEmpty() || !QFileInfo(path).exists()) {
        path = b.inFolder(m.Gname);
        prepareBlankPicture(b, path, freshName);
    }
    runPaintProgram(b, path);
    if (QFileInfo(path).isFile()) {
        m.GXTag = 0;
        LoadImageIntoEditor(b, path);
        if (m.Gname == QFileInfo(path).fileName()) {
            m.Edit7 = store::SetTagAttribute(m.Edit7, srcAttribute(m.Gname));
            SaveImageState(b);
        }
    }
    b.sync();
}

} // namespace editor
