#include "editor/markup_buttons.h"

#include "editor/forms/form13.h"
#include "editor/forms/form15.h"
#include "editor/forms/form2.h"
#include "editor/markup_insert.h"

#include <QTextCursor>
#include <algorithm>
#include <QTextDocument>
#include <array>

namespace editor {

MemoText memoTextOf(const EditorMemo& memo)
{
    MemoText m;
    // The raw text keeps U+00A0; its paragraph separators stand one for one
    // for the document's block breaks, so cursor positions index it.
    m.text = memo.document()->toRawText();
    m.text.replace(QChar::ParagraphSeparator, u'\n');
    const QTextCursor c = memo.textCursor();
    m.selStart = c.selectionStart();
    m.selLength = c.selectionEnd() - c.selectionStart();
    return m;
}

void applyMemoText(EditorMemo& memo, const MemoText& wanted)
{
    const QString old = memoTextOf(memo).text;
    const QString& now = wanted.text;
    qsizetype same = 0;
    while (same < old.size() && same < now.size() && old[same] == now[same])
        ++same;
    qsizetype tail = 0;
    while (tail < old.size() - same && tail < now.size() - same
           && old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    QTextCursor c(memo.document());
    if (same < old.size() - tail || same < now.size() - tail) {
        c.setPosition(int(same));
        c.setPosition(int(old.size() - tail), QTextCursor::KeepAnchor);
        c.insertText(now.mid(same, now.size() - tail - same));
    }
    const int end = int(memo.document()->characterCount()) - 1;
    c.setPosition(std::clamp(wanted.selStart, 0, end));
    c.setPosition(std::clamp(wanted.selStart + wanted.selLength, 0, end), QTextCursor::KeepAnchor);
    memo.setTextCursor(c);
}

namespace {

// Title, subheading, framed and unframed text of the window.
class WindowMemos : public MarkupMemos {
public:
    explicit WindowMemos(TForm2& f) : memos_{f.Memo4, f.Memo5, f.Memo1, f.Memo2} {}
    bool marked(int i) const override { return memos_[size_t(i)] && memos_[size_t(i)]->tag() == 1; }
    MemoText memo(int i) const override { return memoTextOf(*memos_[size_t(i)]); }
    void setMemo(int i, const MemoText& m) override { applyMemoText(*memos_[size_t(i)], m); }

private:
    std::array<EditorMemo*, kCount> memos_;
};

// The run-long dialog, or one of the window's own where none was made
// (a window used on its own).
// The run-long one is made before the editor and has no owner to be
// centred on; it is placed over the editor each time.
template <class Dialog>
Dialog* dialogFor(TForm2& f, Dialog* global)
{
    if (global) {
        if (!global->parentWidget() && f.isVisible())
            global->move(f.pos() + QPoint((f.width() - global->width()) / 2, (f.height() - global->height()) / 2));
        return global;
    }
    auto* own = f.findChild<Dialog*>(QString(), Qt::FindDirectChildrenOnly);
    return own ? own : new Dialog(&f);
}

} // namespace

void bindMarkupButtons(TForm2& f)
{
    TForm2* form = &f;
    const std::pair<platform::SpeedButton*, int> wraps[] = {
        {f.SpeedButton24, 24}, {f.SpeedButton26, 26}, {f.SpeedButton25, 25}, {f.SpeedButton32, 32},
        {f.SpeedButton33, 33}, {f.SpeedButton30, 30}, {f.SpeedButton29, 29}};
    for (const auto& [button, number] : wraps) {
        if (!button)
            continue;
        button->onClick = [form, number = number] {
            WindowMemos memos(*form);
            wrapButtonClick(memos, number);
        };
    }
    if (f.SpeedButton31) {
        f.SpeedButton31->onClick = [form] {
            WindowMemos memos(*form);
            rubyButtonClick(memos, [form](const QString& base) {
                return dialogFor(*form, Form13)->askReading(base);
            });
        };
    }
    if (f.SpeedButton16) {
        f.SpeedButton16->onClick = [form] {
            WindowMemos memos(*form);
            linkButtonClick(memos, [form] { return dialogFor(*form, Form15)->askTarget(); });
        };
    }
    if (f.SpeedButton34) {
        f.SpeedButton34->onClick = [form] {
            WindowMemos memos(*form);
            pictureButtonClick(memos, form->currentFolder(), form->page.WriteBounds);
        };
    }
}

} // namespace editor
