// The text memos: the fields they edit, how the upper text area grows with
// the text, the focus marks the markup buttons look for, and the cell grid.
#include "editor/editor_layout.h"
#include "editor/forms/form2.h"

#include <QLineEdit>

void TForm2::bindTextFields()
{
    // Typed text goes into the page model; text set from the model does not
    // come back, so a field nobody touched keeps its text exactly.
    auto bindEdit = [this](QLineEdit* e, QString store::PageModel::*field) {
        connect(e, &QLineEdit::textChanged, this, [this, field](const QString& t) {
            if (!showing_)
                page.*field = t;
        });
    };
    bindEdit(Edit1, &store::PageModel::Edit1);
    bindEdit(Edit5, &store::PageModel::Edit5);
    bindEdit(Edit6, &store::PageModel::Edit6);
    bindEdit(Edit2, &store::PageModel::Edit2);
    bindEdit(GX, &store::PageModel::GX);
    bindEdit(GY, &store::PageModel::GY);

    auto bindMemo = [this](editor::EditorMemo* m, QString* field, std::function<void()> grow) {
        m->onChange = [this, m, field, grow = std::move(grow)] {
            if (!showing_)
                *field = m->text();
            if (grow)
                grow();
        };
    };
    bindMemo(Memo4, &page.Memo4, [this] { Memo4Change(); });
    bindMemo(Memo5, &page.Memo5, [this] { Memo5Change(); });
    bindMemo(Memo2, &page.Memo2, nullptr);
    bindMemo(Memo82, &page.Memo82, nullptr);
    const auto fields = page.tableFields();
    bindMemo(Memo1, fields[0], [this] { Memo1Change(); });
    for (int i = 0; i < editor::kGridCells; ++i)
        bindMemo(cells[size_t(i)], fields[size_t(i) + 1], nullptr);

    // The mark of the memo the user works in.
    for (editor::EditorMemo* m : {Memo4, Memo5, Memo1, Memo2}) {
        m->onEnter = [m] { m->setTag(1); };
        m->onExit = [m] { m->setTag(0); };
    }
    // Panels that hold memos place them when they change size.
    for (platform::Panel* host : {Panel11, Panel4, Panel17})
        host->onResize = [host] { editor::layoutMemos(host); };
    Panel12->onResize = [this] {
        editor::layoutMemos(Panel12);
        Panel12Resize();
    };
    Panel16->onResize = [this] { Panel16Resize(); };
    Panel6->onResize = [this] {
        if (view.Panel6Tag == editor::kLayoutCentre)
            PanelImage1->setLeft(editor::centredLeft(Panel6->width(), PanelImage1->width()));
    };
}

void TForm2::Memo4Change()
{
    const editor::AreaHeights h =
        editor::headingGrown(Memo4->lineCount(), Memo5->height(), Panel10->height(), Panel12->height());
    Panel7->setHeight(h.panel7);
    Panel11->setHeight(h.panel11);
    Memo4->setHeight(h.memo);
}

void TForm2::Memo5Change()
{
    const editor::AreaHeights h =
        editor::subheadingGrown(Memo5->lineCount(), Memo4->height(), Panel10->height(), Panel12->height());
    Panel7->setHeight(h.panel7);
    Panel11->setHeight(h.panel11);
    Memo5->setHeight(h.memo);  // it fills what the heading and the rule leave: this height
}

void TForm2::Memo1Change()
{
    Panel7->setHeight(editor::framedTextPanel7Height(Memo1->lineCount(), Panel11->height()));
}

void TForm2::Panel12Resize()
{
    if (SpeedButton20->flat())
        return;
    Memo1->setBounds(editor::centredLeft(Panel12->width(), Memo1->width()), Memo1->y(), Memo1->width(),
                     Panel12->height());
}

void TForm2::Panel16Resize()
{
    const std::array<QRect, editor::kGridCells> rects = editor::gridCellRects(Panel16->width(), Panel16->height());
    for (int i = 0; i < editor::kGridCells; ++i)
        cells[size_t(i)]->setGeometry(rects[size_t(i)]);
}
