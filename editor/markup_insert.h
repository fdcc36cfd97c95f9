#pragma once
// The markup buttons at work on the text memos: each acts on the memo that
// carries the focus mark, on its selection as it was when the button was
// pressed (a dialog taking the focus meanwhile changes nothing of that).
// Pure text over (text, selection start, selection length); the editor
// window reads and writes its memos through MarkupMemos.

#include "editor/markup.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace editor {

// A memo's text and its selection, in UTF-16 units.
struct MemoText {
    QString text;
    int selStart = 0;
    int selLength = 0;
};

// The selected text; a range past the text is clamped to it.
QString selectedText(const MemoText& m);
// The selection replaced by `replacement`, the caret after it, nothing selected.
MemoText replaceSelection(const MemoText& m, const QString& replacement);

// Nothing when the selection is empty (or the reading is).
std::optional<MemoText> wrapInMemo(const MemoText& m, const WrapTags& tags);
std::optional<MemoText> rubyInMemo(const MemoText& m, const QString& reading);
// These go before the selection, which may be empty and stays after them.
MemoText linkInMemo(const MemoText& m, const LinkTarget& link);
MemoText pictureInMemo(const MemoText& m, const QString& name, const QString& width, const QString& height);

// The title, subheading, framed and unframed memos, in this order.
class MarkupMemos {
public:
    static constexpr int kCount = 4;
    virtual ~MarkupMemos() = default;
    virtual bool marked(int index) const = 0;  // the focus mark (Tag 1)
    virtual MemoText memo(int index) const = 0;
    virtual void setMemo(int index, const MemoText& m) = 0;
};

struct MarkedMemo {
    int index = 0;
    MemoText memo;
};
// The memos carrying the mark, taken before any dialog moves the focus.
QList<MarkedMemo> markedMemos(const MarkupMemos& memos);

// SpeedButton24, 26, 25, 32, 33, 30, 29: the selection wrapped in tags.
void wrapButtonClick(MarkupMemos& memos, int speedButton);
// SpeedButton31: askReading shows the ruby dialog for the base text and
// gives the reading; "" inserts nothing.
void rubyButtonClick(MarkupMemos& memos, const std::function<QString(const QString&)>& askReading);
// SpeedButton16: askTarget shows the link dialog and gives the target; ""
// inserts nothing.
void linkButtonClick(MarkupMemos& memos, const std::function<QString()>& askTarget);
// SpeedButton34: a picture chosen from the dialog is copied into the
// page's folder and its tag goes before the selection.
void pictureButtonClick(MarkupMemos& memos, const QString& currentFolder, const QStringList& within);

} // namespace editor
