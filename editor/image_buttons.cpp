// The image block's buttons: layouts, load, trash, link and open.
#include "editor/image_buttons.h"

#include "editor/picture_files.h"
#include "platform/seam.h"
#include "store/paths.h"
#include "store/files.h"

#include <QFileInfo>
#include <QUrl>

namespace editor {

void pictureLayoutClick(ImageBlock& b, int layout)
{
    RestoreImageState(b);
    if (layout == kLayoutLeft)
        SetLayoutImageLeft(b);
    else if (layout == kLayoutRight)
        SetLayoutImageRight(b);
    else
        SetLayoutImageCenter(b);
    ReloadSavedImage(b);
}

void textOnlyButtonUp(ImageBlock& b, bool right)
{
    if (right) {
        b.m.Memo4.clear();
        b.m.Memo5.clear();
        b.m.Memo2.clear();
        return;
    }
    SetLayoutTextOnly(b);
    ClearImageState(b);
}

void tableButtonUp(ImageBlock& b, bool right)
{
    if (right) {
        auto fields = b.m.tableFields();
        for (int i = 1; i < store::kTableFieldCount; ++i)  // the caption Memo1 stays
            fields[i]->clear();
        return;
    }
    SetLayoutTable(b);
}

namespace {

// The picture file the block names, exact name first, then ignoring case.
QString pictureFileOf(const ImageBlock& b)
{
    if (b.m.Gname.isEmpty())
        return QString();
    return store::FindReferencedFile(b.folder(), b.m.Gname);
}

void trashPicture(ImageBlock& b, const QString& file)
{
    switch (b.trash(file)) {
    case TrashOutcome::Moved:
        break;
    case TrashOutcome::Declined: // the user keeps the picture, and the block with it
        return;
    case TrashOutcome::Refused:
        platform::showMessage(QStringLiteral("画像をごみ箱に移せませんでした。\n%1").arg(file),
                              platform::MsgType::Warning);
        return;
    }
    ClearImageState(b);
    b.m.GXTag = 0;
    SizeImagePanel(b, b.v.Panel6Tag);
    b.m.Edit2.clear();
    b.m.Edit3.clear();
}

QString folderForDialog(const ImageBlock& b)
{
    return b.folder() + u'/';
}

// A chosen picture is used only when its name fits in a tag and it decodes.
bool usablePicture(const QString& chosen)
{
    if (!acceptPictureName(QFileInfo(chosen).fileName()))
        return false;
    if (decodePictureFile(chosen).isNull()) {
        platform::showMessage(QStringLiteral("画像として読み込めないファイルです。\n%1").arg(chosen),
                              platform::MsgType::Warning);
        return false;
    }
    return true;
}

} // namespace

void loadButtonUp(ImageBlock& b, bool right)
{
    if (right) {
        const QString file = pictureFileOf(b);
        if (!file.isEmpty()) {
            trashPicture(b, file);
            return;
        }
    }
    const QString chosen =
        platform::openFileName(QStringLiteral("画像の読み込み"), folderForDialog(b), pictureFilter());
    if (chosen.isEmpty()) {
        b.sync();
        return;
    }
    // Nothing changes unless the picture is in the folder.
    const std::optional<QString> copied =
        usablePicture(chosen) ? copyIntoFolder(chosen, b.folder(), QFileInfo(chosen).fileName(), b.m.WriteBounds) : std::nullopt;
    if (!copied)
        return;
    const QString& name = *copied;
    if (b.v.Panel6Tag < kLayoutLeft) {
        RestoreImageState(b);
        SetLayoutImageCenter(b);
        ReloadSavedImage(b);
    }
    store::PageModel& m = b.m;
    m.GXTag = 0;
    LoadImageIntoEditor(b, b.inFolder(name));
    m.Gname = name;
    m.Edit7 = QStringLiteral("<IMG src=\"%1\" width=\"%2\" height=\"%3\" align=\"%4\">")
                  .arg(m.Gname, m.GX, m.GY, imageAlignFor(b.v.Panel6Tag));
    // The saved copy must name this picture, or a layout switch brings the
    // tag of the one before back.
    SaveImageState(b);
    b.sync();
}

QString linkPathFor(const QString& chosen, const QString& folder)
{
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    if (chosen.startsWith(prefix))
        return chosen.mid(prefix.size());
    return chosen;
}

void linkPictureToFile(ImageBlock& b)
{
    const QString chosen =
        platform::openFileName(QStringLiteral("リンクするファイル"), folderForDialog(b), linkFileFilter());
    if (chosen.isEmpty())
        return;
    if (nameBreaksTags(chosen)) {
        platform::showMessage(QStringLiteral("ファイル名に \" < > を含むファイルにはリンクできません。\n%1").arg(chosen),
                              platform::MsgType::Warning);
        return;
    }
    const QString path = linkPathFor(chosen, b.folder());
    b.m.Edit3 = path;
    b.m.Edit2 = path;
}

void unlinkPicture(ImageBlock& b)
{
    b.m.Edit2.clear();
    b.m.Edit3.clear();
}

void openPicture(ImageBlock& b)
{
    if (b.m.Gname.isEmpty())
        return;
    QString file = pictureFileOf(b);
    if (file.isEmpty())
        file = b.inFolder(b.m.Gname);
    platform::openUrl(QUrl::fromLocalFile(file));
}

} // namespace editor
