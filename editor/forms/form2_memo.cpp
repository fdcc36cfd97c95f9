#include "editor/forms/form2_memo.h"

#include "platform/controls.h"

#include <QAbstractTextDocumentLayout>
#include <QFocusEvent>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>

namespace editor {

namespace {

constexpr QChar kParagraph(0x2029);
constexpr QChar kLineSeparator(0x2028);

} // namespace

QString crlfFromWidgetText(const QString& raw)
{
    QString t = raw;
    t.replace(kParagraph, u'\n');
    t.replace(kLineSeparator, u'\n');
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return t;
}

QString widgetTextFromCrlf(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

EditorMemo::EditorMemo(QWidget* parent, const QString& name) : QPlainTextEdit(parent)
{
    setObjectName(name);
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (onChange)
            onChange();
    });
}

QString EditorMemo::text() const
{
    return crlfFromWidgetText(document()->toRawText());
}

void EditorMemo::setText(const QString& t)
{
    const QString widgetText = widgetTextFromCrlf(t);
    if (widgetTextFromCrlf(text()) == widgetText)
        return;  // unchanged: keep the cursor and selection
    setPlainText(widgetText);
    setAlignment(alignment_);
}

void EditorMemo::clear() { setText(QString()); }

QString EditorMemo::selText() const
{
    return crlfFromWidgetText(textCursor().selectedText());
}

void EditorMemo::setSelText(const QString& t)
{
    QTextCursor c = textCursor();
    c.insertText(widgetTextFromCrlf(t));
    setTextCursor(c);
}

void EditorMemo::setAlignment(Qt::Alignment a)
{
    alignment_ = a;
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(a);
    document()->setDefaultTextOption(option);
    // Blocks laid out already keep their old option until laid out again.
    document()->markContentsDirty(0, document()->characterCount());
    viewport()->update();
}

int EditorMemo::lineCount() const
{
    int lines = 0;
    QAbstractTextDocumentLayout* docLayout = document()->documentLayout();
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        docLayout->blockBoundingRect(b);  // lays the block out at the memo's width
        const QTextLayout* layout = b.layout();
        const int n = layout ? layout->lineCount() : 0;
        lines += n > 0 ? n : 1;
    }
    return lines > 0 ? lines : 1;
}

void EditorMemo::setPointSize(int pt)
{
    QFont f = font();
    f.setPointSize(pt);
    setFont(f);
}

int EditorMemo::pointSize() const { return font().pointSize(); }

void EditorMemo::setColors(const QColor& background, const QColor& text)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, background);
    p.setColor(QPalette::Text, text);
    setPalette(p);
}

QColor EditorMemo::backgroundColor() const { return palette().color(QPalette::Base); }
QColor EditorMemo::textColor() const { return palette().color(QPalette::Text); }

void EditorMemo::setAlign(platform::Align a)
{
    align_ = a;
    layoutMemos(parentWidget());
}

void EditorMemo::setBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, qMax(0, width), qMax(0, height));
    layoutMemos(parentWidget());
}

void EditorMemo::setLeft(int v) { setBounds(v, y(), QPlainTextEdit::width(), QPlainTextEdit::height()); }
void EditorMemo::setWidth(int v) { setBounds(x(), y(), v, QPlainTextEdit::height()); }
void EditorMemo::setHeight(int v) { setBounds(x(), y(), QPlainTextEdit::width(), v); }

void EditorMemo::setShown(bool on)
{
    shown_ = on;
    setVisible(on);
    layoutMemos(parentWidget());
}

void EditorMemo::focusInEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusInEvent(e);
    if (onEnter)
        onEnter();
}

void EditorMemo::focusOutEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusOutEvent(e);
    // Another window or a pop-up took the focus: the memo is still the one
    // the user works in.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    if (onExit)
        onExit();
}

void layoutMemos(QWidget* panel)
{
    if (!panel)
        return;
    // What the panel's aligned controls leave free: a client item placed
    // after them receives exactly that rectangle.
    QVector<platform::AlignItem> controls;
    for (QObject* o : panel->children()) {
        auto* c = qobject_cast<platform::Control*>(o);
        if (c)
            controls.append({c->align(), c->visible(), c->geometry()});
    }
    const QRect area = panel->contentsRect();
    controls.append({platform::Align::Client, true, QRect()});
    const QRect freeRect = platform::alignLayout(area, controls).constLast();

    QList<EditorMemo*> memos;
    QVector<platform::AlignItem> items;
    for (QObject* o : panel->children()) {
        auto* m = qobject_cast<EditorMemo*>(o);
        if (!m)
            continue;
        memos.append(m);
        items.append({m->align(), m->shown(), m->geometry()});
    }
    const QVector<QRect> rects = platform::alignLayout(freeRect, items);
    for (int i = 0; i < memos.size(); ++i) {
        if (items[i].align != platform::Align::None && items[i].visible && memos[i]->geometry() != rects[i])
            memos[i]->setGeometry(rects[i]);
    }
}

} // namespace editor
