// The picture, layout, header, background, date and reset buttons of the
// editor window: the image block and the page-section logic do the work on
// the page model; the window shows the result.
#include "editor/editor_date.h"
#include "editor/editor_window_bind.h"
#include "editor/forms/form2.h"
#include "editor/header_background.h"
#include "editor/image_buttons.h"

#include <QScrollBar>

namespace {

bool anySelection(std::initializer_list<editor::EditorMemo*> memos)
{
    for (editor::EditorMemo* m : memos) {
        if (m->textCursor().hasSelection())
            return true;
    }
    return false;
}

} // namespace

void TForm2::bindImageButtons()
{
    using editor::onLeftClick;
    // Whether the right button was held at the press decides the action at
    // the release.
    auto remember = [this](const platform::MouseArgs& a) { view.EditorRightClick = a.rightHeld; };
    for (platform::SpeedButton* b : {SpeedButton3, SpeedButton23, SpeedButton1, SpeedButton2, SpeedButton37,
                                     SpeedButton17})
        b->onMouseDown = remember;
    auto afterBlock = [this] {
        showImageView();
        showFields();
    };
    SpeedButton3->onMouseUp = [this, afterBlock](const platform::MouseArgs&) {
        editor::ImageBlock b = imageBlock();
        editor::textOnlyButtonUp(b, view.EditorRightClick);
        afterBlock();
    };
    SpeedButton23->onMouseUp = [this, afterBlock](const platform::MouseArgs&) {
        editor::ImageBlock b = imageBlock();
        editor::tableButtonUp(b, view.EditorRightClick);
        afterBlock();
    };
    const std::array<std::pair<platform::SpeedButton*, int>, 3> layouts = {
        {{SpeedButton10, editor::kLayoutLeft}, {SpeedButton11, editor::kLayoutCentre}, {SpeedButton12, editor::kLayoutRight}}};
    for (const auto& [button, layout] : layouts) {
        const int l = layout;
        onLeftClick(button, [this, l, afterBlock] {
            editor::ImageBlock b = imageBlock();
            editor::pictureLayoutClick(b, l);
            afterBlock();
        });
    }
    SpeedButton1->onMouseUp = [this, afterBlock](const platform::MouseArgs&) {
        editor::ImageBlock b = imageBlock();
        editor::loadButtonUp(b, view.EditorRightClick);
        afterBlock();
    };
    SpeedButton2->onMouseUp = [this, afterBlock](const platform::MouseArgs&) {
        editor::ImageBlock b = imageBlock();
        editor::paintButtonUp(b, view.EditorRightClick);
        afterBlock();
    };
    auto linkUp = [this, afterBlock](const platform::MouseArgs&) {
        editor::ImageBlock b = imageBlock();
        if (!view.EditorRightClick) {
            editor::linkPictureToFile(b);
        } else if (anySelection({Memo4, Memo5, Memo1, Memo2})) {
            // A right click first only drops the text selections.
            for (editor::EditorMemo* m : {Memo4, Memo5, Memo1, Memo2}) {
                QTextCursor c = m->textCursor();
                c.clearSelection();
                m->setTextCursor(c);
            }
            return;
        } else {
            editor::unlinkPicture(b);
        }
        afterBlock();
    };
    SpeedButton17->onMouseUp = linkUp;
    SpeedButton37->onMouseUp = linkUp;
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this](int position) {
        if (showing_)
            return;
        editor::ImageBlock b = imageBlock();
        editor::ScrollBar1Scroll(b, position);
        showImageView();
    });
    Image1->onDblClick = [this] {
        editor::ImageBlock b = imageBlock();
        editor::openPicture(b);
    };

    onLeftClick(SpeedButton27, [this] { editor::headerPictureClick(page, currentFolder(), decorDialog); });
    onLeftClick(SpeedButton40, [this] { editor::backgroundPictureClick(page, currentFolder(), decorDialog); });
    onLeftClick(SpeedButton41, [this] {
        editor::dateButtonClick(page);
        showFields();
    });
    onLeftClick(SpeedButton39, [this] {
        editor::resetButtonClick(page, pagePath());
        showFields();
    });
}
