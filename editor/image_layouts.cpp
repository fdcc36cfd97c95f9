// The five layouts of the page body: text only, table, and the picture
// centred above the text or on its left or right.
#include "editor/image_block.h"

#include "store/page_tags.h"

namespace editor {

namespace {

void showPictureLayout(ImageBlock& b, int layout, PanelAlign align, int pressedButton)
{
    ImageView& v = b.v;
    v.Panel16Visible = false;
    v.imageToolsEnabled = true;
    v.pressedPictureLayout = pressedButton;
    v.textOnlyPressed = false;
    v.tablePressed = false;
    v.Panel6Visible = true;
    v.Panel6Align = align;
    v.Panel6Tag = layout;
    SizeImagePanel(b, layout);
}

void showNoPictureLayout(ImageView& v, bool table)
{
    v.Panel16Visible = false;
    v.imageToolsEnabled = false;
    v.pressedPictureLayout = 0;
    v.textOnlyPressed = !table;
    v.tablePressed = table;
    v.Panel6Visible = false;
    v.Panel6Tag = kLayoutNoPicture;
}

} // namespace

void SetLayoutImageLeft(ImageBlock& b)
{
    showPictureLayout(b, kLayoutLeft, PanelAlign::Left, 10);
    b.m.ETAGSRC1 = store::SetTagAttribute(b.m.ETAGSRC1, QString());
    b.m.Edit7 = store::SetTagAttribute(b.m.Edit7, QStringLiteral("align=\"left\""));
}

void SetLayoutImageCenter(ImageBlock& b)
{
    showPictureLayout(b, kLayoutCentre, PanelAlign::Top, 11);
    b.m.ETAGSRC1 = store::SetTagAttribute(b.m.ETAGSRC1, QStringLiteral("align=\"center\""));
    b.m.Edit7 = store::SetTagAttribute(b.m.Edit7, QStringLiteral("align=\"center\""));
}

void SetLayoutImageRight(ImageBlock& b)
{
    showPictureLayout(b, kLayoutRight, PanelAlign::Right, 12);
    b.m.ETAGSRC1 = store::SetTagAttribute(b.m.ETAGSRC1, QString());
    b.m.Edit7 = store::SetTagAttribute(b.m.Edit7, QStringLiteral("align=\"right\""));
}

void SetLayoutTextOnly(ImageBlock& b)
{
    showNoPictureLayout(b.v, false);
    b.m.ETAGSRC1.clear();
    b.m.Edit7.clear();
}

void SetLayoutTable(ImageBlock& b)
{
    showNoPictureLayout(b.v, true);
    b.v.Panel16Visible = true;  // last, so the grid lays out at its final size
}

} // namespace editor
