// Opening a page in the editor: the fields from the page, the controls in
// line with its tags, the look of its style, and the source view.
#include "editor/editor_layout.h"
#include "editor/forms/form2.h"
#include "platform/seam.h"
#include "store/clock.h"
#include "store/files.h"
#include "store/page_file.h"
#include "tools/delete_plan.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

namespace {

// A line edit takes a new text only when it differs, so the cursor of an
// unchanged field stays where the user left it.
void setEditText(QLineEdit* e, const QString& t)
{
    if (e->text() != t)
        e->setText(t);
}

platform::Align panelAlignOf(editor::PanelAlign a)
{
    switch (a) {
    case editor::PanelAlign::Top:
        return platform::Align::Top;
    case editor::PanelAlign::Left:
        return platform::Align::Left;
    case editor::PanelAlign::Right:
        return platform::Align::Right;
    case editor::PanelAlign::None:
        break;
    }
    return platform::Align::None;
}

} // namespace

void TForm2::FormShow()
{
    if (const int w = mainWindowWidth(); w > 0 && parentWidget()) {
        // Placed for the design size before showing; centred again at the
        // main window's size so that no part lies off the screen.
        resize(w, parentWidget()->height());
        const QWidget* owner = parentWidget();
        move(owner->pos() + QPoint((owner->width() - width()) / 2, (owner->height() - height()) / 2));
    }
    closing_ = false;
    saved_ = false;
    store::LoadPageIntoEditor(page, pagePath());
    readPath_ = pagePath();
    readState_ = editor::pageOnDisk(readPath_);
    showFields();
    // Form view.
    SpeedButton28->setHint(QStringLiteral("ソースの編集"));
    Panel1->setHeight(26);
    Panel17->setVisible(false);
    Panel18->setAlign(platform::Align::Right);
    SpeedButton28->setTag(0);
    // The copy kept aside for layout switches belongs to the page shown last:
    // all of it goes, the picture's link and its text too.
    page.TAIHI1.clear();
    page.TAIHI2.clear();
    page.TAIHI3.clear();
    page.TAIHI4.clear();
    page.TAIHI5.clear();
    resetSlider();
    for (editor::EditorMemo* m : {Memo4, Memo5, Memo1, Memo2})
        m->setAlignment(Qt::AlignLeft);
    Panel7->setHeight(editor::openingPanel7Height(Memo4->lineCount(), Memo5->lineCount(), Memo1->lineCount(),
                                                  Panel10->height()));
    SyncControlsFromPage();
    ApplyPageStyle();
    // What the page is before the user changes anything, built from a copy
    // so that opening writes nothing into the fields.
    openedAt_ = store::clock::now();
    store::PageModel opened = page;
    store::BuildPageHtml(opened, pagePath(), openedAt_);
    openedHtml_ = opened.Memo82;
}

// The width slider as a fresh editor has it; a page with a picture sets it
// again from that picture.
void TForm2::resetSlider()
{
    const editor::ImageView fresh;
    view.ScrollBar1Min = fresh.ScrollBar1Min;
    view.ScrollBar1Max = fresh.ScrollBar1Max;
    view.ScrollBar1Position = fresh.ScrollBar1Position;
    view.ScrollBar1Visible = fresh.ScrollBar1Visible;
    view.ImageAspectRatio = fresh.ImageAspectRatio;
}

editor::ImageBlock TForm2::imageBlock()
{
    view.WindowWidth = mainWindowWidth() > 0 ? qMin(mainWindowWidth(), 1265) : view.WindowWidth;
    if (Panel6->align() == platform::Align::Top)
        view.Panel6Width = Panel6->width();
    editor::ImageBlock b{page, view, pagePath(), [this] { SyncControlsFromPage(); },
                         [this](const QString& f) { return gomi(f); }, this};
    return b;
}

void TForm2::SyncControlsFromPage()
{
    for (platform::SpeedButton* b : {SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton7, SpeedButton8,
                                     SpeedButton9, SpeedButton19, SpeedButton20, SpeedButton21, SpeedButton10,
                                     SpeedButton11, SpeedButton12, SpeedButton3, SpeedButton23})
        b->setFlat(true);
    Edit1->setFocus();

    const editor::AlignmentView a = editor::alignmentFromTags(page);
    alignHeadingView(a.headingButton, a.headingAlign);
    alignSubheadingView(a.subheadingButton, a.subheadingAlign);
    const platform::Align placement = a.frame == editor::FramePlacement::Centre ? platform::Align::None
                                      : a.frame == editor::FramePlacement::Right ? platform::Align::Right
                                                                                 : platform::Align::Left;
    showFramePlacement(a.frameButton, placement, a.textAlign);

    editor::ImageBlock b = imageBlock();
    const QString src = ExtractSrcValue(page.Edit7);
    if (!src.isEmpty()) {
        editor::LoadImageIntoEditor(b, files::joinPath(currentFolder(), files::slashes(src)));
    } else {
        // A page without a picture may link by text: that text is the
        // page's, not the saved picture link's, and stays.
        const QString linkText = page.Edit3;
        editor::ClearImageState(b);
        editor::SetLayoutTextOnly(b);
        if (!page.Edit2.isEmpty())
            page.Edit3 = linkText;
    }
    if (page.Edit7.contains(QStringLiteral("\"left\"")))
        editor::SetLayoutImageLeft(b);
    if (page.Edit7.contains(QStringLiteral("\"center\"")))
        editor::SetLayoutImageCenter(b);
    if (page.Edit7.contains(QStringLiteral("\"right\"")))
        editor::SetLayoutImageRight(b);
    if (page.ETAGHYO1Tag > 0)
        editor::SetLayoutTable(b);
    showImageView();
    showFields();
}

void TForm2::ApplyPageStyle()
{
    const auto look = editor::pageStyleLook(page.GroupBox1Tag, palette());
    if (!look)
        return;
    GroupBox1->setTag(page.GroupBox1Tag);
    Memo4->setPointSize(look->headingPt);
    Memo4->setColors(look->headingBack, look->headingText);
    Panel10->setColor(look->ruleColor);
    Memo5->setPointSize(look->subheadingPt);
    Memo5->setColors(look->subheadingBack, look->subheadingText);
    for (editor::EditorMemo* m : {Memo1, Memo2}) {
        m->setPointSize(look->textPt);
        m->setColors(look->textBack, Qt::black);
    }
    for (editor::EditorMemo* cell : cells)
        cell->setPointSize(look->cellPt);
    applyStyleButtons(look->pressedStyleButton);
    SpeedButton16->setFlat(!look->linkButtonRaised);
}

void TForm2::applyStyleButtons(int pressed)
{
    SpeedButton13->setFlat(pressed != 13);
    SpeedButton18->setFlat(pressed != 18);
    SpeedButton14->setFlat(pressed != 14);
    SpeedButton15->setFlat(pressed != 15);
}

void TForm2::SpeedButton28Click()
{
    if (SpeedButton28->tag() == 0) {
        store::BuildPageHtml(page, QString());
        showing_ = true;
        Memo82->setText(page.Memo82);
        showing_ = false;
        SpeedButton28->setHint(QStringLiteral("戻る"));
        Panel1->setHeight(clientHeightOfWindow());
        Panel17->setHeight(Panel1->height());
        Panel18->setHeight(Panel1->height());
        Panel18->setAlign(platform::Align::Right);
        Panel17->setAlign(platform::Align::Client);
        Panel17->setVisible(true);
        SpeedButton28->setTag(1);
        return;
    }
    store::LoadPageIntoEditor(page, pagePath());
    showFields();
    SpeedButton28->setHint(QStringLiteral("ソースの編集"));
    Panel1->setHeight(26);
    Panel17->setVisible(false);
    Panel17->setAlign(platform::Align::None);
    Panel18->setAlign(platform::Align::Right);
    SpeedButton28->setTag(0);
    SyncControlsFromPage();
}

int TForm2::clientHeightOfWindow() const { return height(); }

void TForm2::CheckBox1Click()
{
    if (CheckBox1->isChecked())
        CheckBox2->setChecked(false);
}

void TForm2::CheckBox2Click()
{
    if (CheckBox2->isChecked())
        CheckBox1->setChecked(false);
}

QString TForm2::ExtractSrcValue(const QString& tag) { return editor::ExtractSrcValue(tag); }

// As every delete: asked once, and only a yes sends the file to the trash.
// A no is the user's choice, not a failure: the callers stay quiet on it.
editor::TrashOutcome TForm2::gomi(const QString& file)
{
    if (!platform::askYesNo(tools::deletionQuestion({file}), platform::MsgType::Warning))
        return editor::TrashOutcome::Declined;
    return files::moveToTrash(file) ? editor::TrashOutcome::Moved : editor::TrashOutcome::Refused;
}

void TForm2::showFields()
{
    const bool wasShowing = showing_;
    showing_ = true;
    setEditText(Edit1, page.Edit1);
    setEditText(Edit5, page.Edit5);
    setEditText(Edit6, page.Edit6);
    setEditText(Edit2, page.Edit2);
    setEditText(GX, page.GX);
    setEditText(GY, page.GY);
    Memo4->setText(page.Memo4);
    Memo5->setText(page.Memo5);
    Memo2->setText(page.Memo2);
    const auto fields = page.tableFields();
    Memo1->setText(*fields[0]);
    for (int i = 0; i < editor::kGridCells; ++i)
        cells[size_t(i)]->setText(*fields[size_t(i) + 1]);
    CheckBox1->setChecked(page.CheckBox1);
    CheckBox2->setChecked(page.CheckBox2);
    GroupBox1->setTag(page.GroupBox1Tag);
    Panel19->setBevelOuter(page.Panel19Raised ? platform::Bevel::Raised : platform::Bevel::None);
    Gname->setCaption(page.Gname);
    showing_ = wasShowing;
}

void TForm2::showImageView()
{
    const bool wasShowing = showing_;
    showing_ = true;
    Panel6->setTag(view.Panel6Tag);
    Panel6->setAlign(panelAlignOf(view.Panel6Align));
    if (view.Panel6Align == editor::PanelAlign::Top)
        Panel6->setHeight(view.Panel6Height);
    else
        Panel6->setWidth(view.Panel6Width);
    Panel6->setVisible(view.Panel6Visible);
    int left = view.PanelImage1Left;
    if (view.Panel6Tag == editor::kLayoutCentre)  // centred in the panel as it is now
        left = editor::centredLeft(Panel6->width(), page.PanelImage1Width);
    PanelImage1->setBounds(left, view.PanelImage1Top, page.PanelImage1Width, page.PanelImage1Height);
    if (view.picture.isNull())
        Image1->clearPicture();
    else
        Image1->setPicture(QPixmap::fromImage(view.picture));
    Image1->setTag(page.Image1Tag);
    GroupBox3->setEnabled(view.imageToolsEnabled);
    for (platform::SpeedButton* b : {SpeedButton1, SpeedButton2, SpeedButton37})
        b->setEnabled(view.imageToolsEnabled);
    SpeedButton10->setFlat(view.pressedPictureLayout != 10);
    SpeedButton11->setFlat(view.pressedPictureLayout != 11);
    SpeedButton12->setFlat(view.pressedPictureLayout != 12);
    SpeedButton3->setFlat(!view.textOnlyPressed);
    SpeedButton23->setFlat(!view.tablePressed);
    Panel4->setAlign(platform::Align::Client);
    ScrollBar1->setRange(view.ScrollBar1Min, view.ScrollBar1Max);
    ScrollBar1->setValue(view.ScrollBar1Position);
    ScrollBar1->setVisible(view.ScrollBar1Visible);
    Panel16->setVisible(view.Panel16Visible);
    if (view.Panel16Visible)
        Panel16Resize();  // also when it comes back at the size it had
    setEditText(GX, page.GX);
    setEditText(GY, page.GY);
    Gname->setCaption(page.Gname);
    showing_ = wasShowing;
}
