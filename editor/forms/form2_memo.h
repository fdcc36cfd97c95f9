#pragma once
// A multi-line text field of the page editor. Its text is read and written
// with CR LF between lines (what the page model holds); inside, the widget
// keeps its own line breaks. Non-breaking spaces survive both ways.
//
// The focus events tell the editor which memo the markup buttons act on.
// Losing the focus to another window of the program (a dialog opened from a
// tool button) or to a pop-up is not an exit: the mark stays.

#include "platform/align_layout.h"

#include <QPlainTextEdit>
#include <QString>
#include <functional>

namespace editor {

class EditorMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EditorMemo(QWidget* parent, const QString& name);

    // Whole text, lines joined by CR LF.
    QString text() const;
    // Sets the text (CR LF, lone CR or LF all start a line); the cursor goes
    // to the start. onChange runs as for a typed change.
    void setText(const QString& text);
    void clear();

    // The selected text with CR LF line ends; "" when nothing is selected.
    QString selText() const;
    // Replaces the selection (or inserts at the cursor) with t (CR LF lines).
    void setSelText(const QString& t);

    // Alignment of every line (left, centre, right).
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment a);

    // Lines the memo shows, wrapped lines included (at least one per line
    // of text).
    int lineCount() const;

    // Point size of the font, background and text colour.
    void setPointSize(int pt);
    int pointSize() const;
    void setColors(const QColor& background, const QColor& text);
    QColor backgroundColor() const;
    QColor textColor() const;

    int tag() const { return tag_; }
    void setTag(int v) { tag_ = v; }

    // Placement in the parent panel, as the panels' own children: aligned
    // memos share what the panel's aligned controls leave free, in the
    // order top, bottom, left, right, client. Setting any of these places
    // the memos of the parent again.
    platform::Align align() const { return align_; }
    void setAlign(platform::Align a);
    void setBounds(int left, int top, int width, int height);
    void setLeft(int v);
    void setWidth(int v);
    void setHeight(int v);
    void setShown(bool on);  // the own visible flag
    bool shown() const { return shown_; }

    std::function<void()> onChange;  // text changed (typed or set)
    std::function<void()> onEnter;   // got the keyboard focus
    std::function<void()> onExit;    // lost it to another control of its window

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    Qt::Alignment alignment_ = Qt::AlignLeft;
    platform::Align align_ = platform::Align::None;
    bool shown_ = true;
    int tag_ = 0;
};

// Places the aligned memos among the children of panel; the panel's resize
// handler calls it.
void layoutMemos(QWidget* panel);

// Text of a Qt text document in the page model's form: CR LF between lines.
QString crlfFromWidgetText(const QString& raw);
// And back: CR LF, lone CR and lone LF become the widget's line break.
QString widgetTextFromCrlf(const QString& text);

} // namespace editor
