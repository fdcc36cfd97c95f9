// The saved copy of the image block (TAIHI1 .. TAIHI5): switching to text
// only and back to a picture layout brings the last picture back with its
// tags, link and size.
#include "editor/image_block.h"

#include <QFileInfo>

namespace editor {

void SaveImageState(ImageBlock& b)
{
    store::PageModel& m = b.m;
    if (m.Gname.isEmpty())
        return;
    m.TAIHI1 = m.ETAGSRC1;
    m.TAIHI2 = m.Edit7;
    m.TAIHI3 = m.Gname;
}

void ClearImageState(ImageBlock& b)
{
    store::PageModel& m = b.m;
    m.ETAGSRC1.clear();
    m.Edit7.clear();
    m.Gname.clear();
    b.v.picture = QImage();
    m.Image1File.clear();
    if (m.TAIHI2.isEmpty())
        m.Image1Tag = 0;
    if (!m.Edit2.isEmpty())
        m.TAIHI4 = m.Edit2;
    if (!m.Edit3.isEmpty())
        m.TAIHI5 = m.Edit3;
    m.Edit3.clear();
}

void RestoreImageState(ImageBlock& b)
{
    store::PageModel& m = b.m;
    if (m.TAIHI3.isEmpty()) {
        m.ETAGSRC1 = QStringLiteral("<P>");
        m.Edit7 = QStringLiteral("<IMG src=\"%1\" width=\"740\" height=\"600\" vspace=\"4\" hspace=\"4\" align=\"center\">")
                      .arg(DefaultImageFileName(b.pagePath));
        return;
    }
    m.ETAGSRC1 = m.TAIHI1;
    m.Edit7 = m.TAIHI2;
    m.Gname = m.TAIHI3;
    if (!m.TAIHI4.isEmpty())
        m.Edit2 = m.TAIHI4;
    if (!m.TAIHI5.isEmpty())
        m.Edit3 = m.TAIHI5;
}

void ReloadSavedImage(ImageBlock& b)
{
    if (b.m.TAIHI3.isEmpty())
        return;
    const QString path = b.inFolder(b.m.TAIHI3);
    if (QFileInfo(path).isFile() || !decodePictureFile(path).isNull())
        LoadImageIntoEditor(b, path);
}

} // namespace editor
