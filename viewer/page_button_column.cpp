#include "viewer/page_button_column.h"

#include "store/paths.h"
#include "viewer/main_window.h"
#include "viewer/page_buttons.h"

#include <QHash>
#include <QKeyEvent>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace viewer {

namespace {

const QString kButtonFontFamily = QStringLiteral("ＭＳ ゴシック");
const QString kColumnStateName = QStringLiteral("pageButtonColumn");

// What the column keeps between fills: the row height of the build, the
// buttons given up by rows that left the view (hidden until reused) and the
// glyphs of the build by icon name, so that rows coming back into view, or
// many rows naming one icon, look for its file once.
class ColumnState : public QObject {
public:
    explicit ColumnState(QObject* parent) : QObject(parent) { setObjectName(kColumnStateName); }
    int rowHeight = kMinButtonRowHeight;
    bool filling = false;
    QList<platform::BitBtn*> spare;
    QHash<QString, QPixmap> glyphs;
};

ColumnState& columnState(TForm1& form)
{
    if (auto* s = form.ScrollBox1->findChild<QObject*>(kColumnStateName, Qt::FindDirectChildrenOnly))
        return *static_cast<ColumnState*>(s);
    auto* s = new ColumnState(form.ScrollBox1);
    QObject::connect(form.ScrollBox1->scrollArea()->verticalScrollBar(), &QScrollBar::valueChanged, s,
                     [&form] { fillPageButtonColumn(form); });
    return *s;
}

// The key handling of a page button: space and Escape as key presses, Enter,
// Tab and the arrows as the window's dialog keys. Everything else goes on.
bool pageButtonKey(TForm1& form, int index, quint64 generation, QKeyEvent* e)
{
    const bool shift = e->modifiers().testFlag(Qt::ShiftModifier);
    switch (e->key()) {
    case Qt::Key_Space: form.PageButtonKeyPress(index, generation, 32); return true;
    case Qt::Key_Escape: form.PageButtonKeyPress(index, generation, 27); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: return form.CMDialogKey(index, generation, 13, shift);
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return form.CMDialogKey(index, generation, 9, shift);
    case Qt::Key_Left: return form.CMDialogKey(index, generation, 37, shift);
    case Qt::Key_Up: return form.CMDialogKey(index, generation, 38, shift);
    case Qt::Key_Right: return form.CMDialogKey(index, generation, 39, shift);
    case Qt::Key_Down: return form.CMDialogKey(index, generation, 40, shift);
    default: return false;
    }
}

QPixmap glyphFor(TForm1& form, ColumnState& state, const QString& icon)
{
    auto it = state.glyphs.constFind(icon);
    if (it == state.glyphs.constEnd())
        it = state.glyphs.insert(icon, pageButtonGlyph(form, form.CurrentFolder(), icon));
    return it.value();
}

platform::BitBtn* newButton(TForm1& form)
{
    auto* b = new platform::BitBtn(form.ScrollBox1);
    b->setFont(pageButtonFont());
    b->setFontColor(Qt::black);
    b->setCursor(Qt::PointingHandCursor);
    b->setShowHint(true);
    return b;
}

// Gives row i a button, reused where one is spare, showing the row's title
// and carrying its index and the build's generation to every handler.
void makeRow(TForm1& form, ColumnState& state, int i, const QStringList& titles)
{
    platform::BitBtn* b = state.spare.isEmpty() ? newButton(form) : state.spare.takeLast();
    const quint64 generation = form.PageButtonGeneration;
    const int h = state.rowHeight;
    const PageButtonTitle t = splitPageButtonTitle(store::UnescapeAngleBrackets(titles.value(i)));
    b->setObjectName(QStringLiteral("PageButton%1").arg(i));
    b->endPress(); // a button given up while pressed looks new
    b->setBounds(form.ButtonMargin, i * h, qMax(0, pageColumnWidth(form) - 2 * form.ButtonMargin), h - 1);
    b->setTag(i);
    b->setHint(buttonHint(i, t));
    b->setCaption(buttonCaption(t.text));
    b->setGlyph(t.icon.isEmpty() ? QPixmap() : glyphFor(form, state, t.icon));
    b->onMouseDown = [&form, i, generation](const platform::MouseArgs& a) { form.PageButtonMouseDown(i, generation, a); };
    b->onKeyDown = [&form, i, generation](QKeyEvent* e) { return pageButtonKey(form, i, generation, e); };
    b->onEnter = [&form, i, generation] { form.PageButtonEnter(i, generation); };
    b->setVisible(true);
    form.PageButtons[i] = b;
    stylePageButton(form, i, form.HighlightCurrent == 1);
}

// Row i's button goes back to the spares, hidden.
void releaseRow(TForm1& form, ColumnState& state, int i)
{
    platform::BitBtn* b = form.PageButtons.at(i);
    form.PageButtons[i] = nullptr;
    b->setVisible(false);
    state.spare.append(b);
}

} // namespace

QFont pageButtonFont()
{
    QFont f(kButtonFontFamily);
    f.setPointSize(9);
    return f;
}

void startPageButtonColumn(TForm1& form, int rowHeight)
{
    ColumnState& state = columnState(form);
    state.rowHeight = std::max(1, rowHeight);
    state.glyphs.clear(); // icon files may have changed since the last build
    const int rows = form.PBanSu();
    form.PageButtons = QList<platform::BitBtn*>(rows, nullptr);
    // As far down as the last row's button would reach.
    form.ScrollBox1->setMinimumRange(QSize(1, rows * state.rowHeight - 1));
    fillPageButtonColumn(form);
}

void fillPageButtonColumn(TForm1& form)
{
    ColumnState& state = columnState(form);
    const int rows = form.PageButtons.size();
    if (state.filling || rows == 0)
        return;
    state.filling = true;
    const int h = state.rowHeight;
    const int top = form.ScrollBox1->vertScrollPos();
    const int first = std::max(0, top / h - kColumnMarginRows);
    const int last = std::min(rows, (top + form.ScrollBox1->clientHeight()) / h + 1 + kColumnMarginRows);
    const int current = form.PBan();
    {
        const platform::RealignBatch batch(form.ScrollBox1);
        for (int i = 0; i < rows; ++i) {
            platform::BitBtn* b = form.PageButtons.at(i);
            if (b && (i < first || i >= last) && i != current && !b->hasFocus())
                releaseRow(form, state, i);
        }
        const QStringList titles = form.levels.topTitles();
        for (int i = first; i < last; ++i) {
            if (!form.PageButtons.at(i))
                makeRow(form, state, i, titles);
        }
        if (current >= 0 && current < rows && !form.PageButtons.at(current))
            makeRow(form, state, current, titles);
    }
    state.filling = false;
}

platform::BitBtn* pageButtonAt(TForm1& form, int i)
{
    if (i < 0 || i >= form.PageButtons.size())
        return nullptr;
    if (!form.PageButtons.at(i)) {
        ColumnState& state = columnState(form);
        const platform::RealignBatch batch(form.ScrollBox1);
        makeRow(form, state, i, form.levels.topTitles());
    }
    return form.PageButtons.at(i);
}

void clearPageButtonColumn(TForm1& form)
{
    form.ScrollBox1->setMinimumRange(QSize());
}

} // namespace viewer
