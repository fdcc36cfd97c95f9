#include "viewer/page_buttons.h"

#include "viewer/later_windows.h"
#include "platform/browser.h"
#include "platform/picture.h"
#include "store/files.h"
#include "store/paths.h"
#include "viewer/main_window.h"

#include <QCoreApplication>
#include <QFont>
#include <QKeyEvent>
#include <QPainter>

namespace viewer {

namespace {

const QString kButtonFontFamily = QStringLiteral("ＭＳ ゴシック");

QFont pageButtonFont()
{
    QFont f(kButtonFontFamily);
    f.setPointSize(9);
    return f;
}

int columnWidth(const TForm1& form)
{
    return form.ScrollBox1->clientWidth();
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

bool isCurrent(const TForm1& form, int index, quint64 generation)
{
    return generation == form.PageButtonGeneration && index >= 0 && index < form.PageButtons.size();
}

// Discarded buttons, deleted together when the event loop comes back to the
// level that discarded them (never under a running handler of one of them),
// so that the column realigns once for all of them.
class DiscardedButtons : public QObject {
public:
    DiscardedButtons(QWidget* column, const QList<platform::BitBtn*>& buttons) : column_(column)
    {
        for (platform::BitBtn* b : buttons)
            buttons_.append(b);
    }
    ~DiscardedButtons() override
    {
        const platform::RealignBatch batch(column_);
        for (const QPointer<platform::BitBtn>& b : std::as_const(buttons_))
            delete b.data();
    }

private:
    QPointer<QWidget> column_;
    QList<QPointer<platform::BitBtn>> buttons_;
};

// One button's font, place, width and caption colour; a setter is called
// only where the button differs, so an unchanged button costs nothing.
void styleButton(platform::BitBtn* b, const QFont& font, int left, int width, const QColor& colour)
{
    if (b->font() != font)
        b->setFont(font);
    if (b->left() != left || b->width() != width)
        b->setBounds(left, b->top(), width, b->height());
    if (b->fontColor() != colour)
        b->setFontColor(colour);
}

} // namespace

void discardPageButtons(TForm1& form)
{
    const bool wasRebuilding = form.RebuildingPageButtons;
    form.RebuildingPageButtons = true;
    ++form.PageButtonGeneration;
    const QList<platform::BitBtn*> old = form.PageButtons;
    form.PageButtons.clear();
    if (!old.isEmpty()) {
        const platform::RealignBatch batch(form.ScrollBox1);
        for (platform::BitBtn* b : old)
            b->setVisible(false);
        (new DiscardedButtons(form.ScrollBox1, old))->deleteLater();
    }
    form.RebuildingPageButtons = wasRebuilding;
}

void stylePageButtons(TForm1& form, bool highlightCurrent)
{
    const int margin = form.ButtonMargin;
    const int width = columnWidth(form);
    const int current = form.PBan();
    const QFont font = pageButtonFont();
    const platform::RealignBatch batch(form.ScrollBox1);
    for (int i = 0; i < form.PageButtons.size(); ++i) {
        const bool standsOut = highlightCurrent && i == current;
        styleButton(form.PageButtons.at(i), font, standsOut ? margin - 4 : margin,
                    qMax(0, standsOut ? width - 2 * margin - 2 : width - 2 * margin),
                    standsOut ? QColor(Qt::blue) : QColor(Qt::black));
    }
}

void highlightCurrentButton(TForm1& form)
{
    platform::BitBtn* b = form.PageButtons.value(form.PBan());
    if (!b)
        return;
    b->setLeft(form.ButtonMargin - 4);
    b->setWidth(qMax(0, columnWidth(form) - 2 * form.ButtonMargin - 2));
}

QPixmap pageButtonGlyph(const TForm1& form, const QString& folder, const QString& icon)
{
    const QString path = files::findFile(folder, files::slashes(icon));
    if (!path.isEmpty()) {
        const QImage picture = platform::loadPicture(path);
        if (!picture.isNull())
            return QPixmap::fromImage(picture);
        const QPixmap other(path); // kinds our codecs leave to Qt (GIF, ICO)
        if (!other.isNull())
            return other;
    }
    return form.ImageList1.value(icon.size() > 1 ? 1 : 0);
}

} // namespace viewer

using namespace viewer;

void TForm1::ReMake()
{
    kabeBrowser->setVisible(true);
    discardPageButtons(*this);
    BuildPageButtons();
}

void TForm1::BuildPageButtons()
{
    RebuildingPageButtons = true;
    discardPageButtons(*this);
    const quint64 generation = PageButtonGeneration;
    const QStringList titles = levels.topTitles();
    const int n = PBanSu();
    const int h = pageButtonRowHeight(ScrollBox1->height(), n);
    const int width = qMax(0, ScrollBox1->clientWidth() - 2 * ButtonMargin);
    {
        const platform::RealignBatch batch(ScrollBox1); // one realign for the whole column
        PageButtons.reserve(n);
        for (int i = 0; i < n; ++i) {
            const PageButtonTitle t = splitPageButtonTitle(store::UnescapeAngleBrackets(titles.value(i)));
            auto* b = new platform::BitBtn(ScrollBox1, QStringLiteral("PageButton%1").arg(i));
            b->setFont(pageButtonFont());
            b->setFontColor(Qt::black);
            b->setCursor(Qt::PointingHandCursor);
            b->setBounds(ButtonMargin, i * h, width, h - 1);
            b->setTag(i);
            b->setShowHint(true);
            b->setHint(buttonHint(i, t));
            b->setCaption(buttonCaption(t.text));
            if (!t.icon.isEmpty())
                b->setGlyph(pageButtonGlyph(*this, CurrentFolder(), t.icon));
            b->onMouseDown = [this, i, generation](const platform::MouseArgs& a) { PageButtonMouseDown(i, generation, a); };
            b->onKeyDown = [this, i, generation](QKeyEvent* e) { return pageButtonKey(*this, i, generation, e); };
            b->onEnter = [this, i, generation] { PageButtonEnter(i, generation); };
            b->setVisible(true);
            PageButtons.append(b);
        }
    }
    ScrollBox1->updateRange();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    RebuildingPageButtons = false;
}

void TForm1::RefreshPageButton(int i)
{
    const QStringList titles = levels.topTitles();
    if (i < 0 || PBan() < 0 || titles.isEmpty())
        return;
    platform::BitBtn* b = PageButtons.value(PBan());
    if (!b)
        return;
    const QString title = refreshedButtonTitle(levels.entryPath(i), titles.value(i));
    const PageButtonTitle t = splitPageButtonTitle(title);
    if (t.hasHint) {
        b->setShowHint(true);
        b->setHint(QString::number(PBan() + 1) + QLatin1Char(' ') + t.hint);
    }
    b->setCaption(buttonCaption(t.text));
    b->setGlyph(t.icon.isEmpty() ? QPixmap() : pageButtonGlyph(*this, CurrentFolder(), t.icon));
}

void TForm1::PageButtonMouseDown(int index, quint64 generation, const platform::MouseArgs& args)
{
    if (!isCurrent(*this, index, generation))
        return;
    LastDocumentUrl.clear();
    WebBrowser1->stop();
    Image1->setAutoSize(false);
    Image1->setAlign(platform::Align::None);
    NavDirection = index < PreviousPageIndex ? -1 : index > PreviousPageIndex ? 1 : 0;
    PBanSave(index);
    if (args.rightHeld) {
        HighlightCurrent = 0;
        if (PBan() != PreviousPageIndex)
            PageClick(0, true);
        platform::BitBtn* b = PageButtons.value(index);
        if (!isCurrent(*this, index, generation) || !b)
            return; // the display went home and rebuilt the column
        const QPoint at = b->screenRect().topLeft() + QPoint(args.x, args.y);
        PageMenu->clear();
        BuildPageMenu();
        if (PageMenu->count() == 0) {
            HighlightCurrent = 1;
            PageClick(1, true);
            return;
        }
        if (Tag > 0 && laterwindows::hooks().memoWindow)
            laterwindows::hooks().memoWindow->close();
        PageMenu->popup(at);
        return;
    }
    HighlightCurrent = 1;
    // The drawing overlay is cleared for the next page.
    Image1->setVisible(false);
    SpeedButton22->setVisible(false);
    QPixmap blank(qMax(1, Image1->width()), qMax(1, Image1->height()));
    blank.fill(kabe->color().isValid() ? kabe->color() : QColor(Qt::white));
    Image1->setPicture(blank);
    RefreshPageButton(PBan());
    PageClick(0, true);
}

void TForm1::PageButtonKeyPress(int index, quint64 generation, int key)
{
    if (!isCurrent(*this, index, generation))
        return;
    if (key == 27)
        PBanSave(0);
    if (key == 32 || key == 27) {
        HighlightCurrent = 1;
        PageClick(0, true);
    }
}

void TForm1::PageButtonEnter(int index, quint64 generation)
{
    if (RebuildingPageButtons || !isCurrent(*this, index, generation))
        return;
    PBanSave(index);
}

bool TForm1::CMDialogKey(int index, quint64 generation, int key, bool shift)
{
    Q_UNUSED(shift); // Tab walks forward with or without Shift
    if (!isCurrent(*this, index, generation) || PBan() < 0 || PBanSu() <= 0)
        return true;
    if (key == 13) {
        platform::BitBtn* current = PageButtons.value(PBan());
        if (current && current->hasFocus())
            PageClick(0, true);
    } else if (key == 9 || key == 39 || key == 40) {
        if (PBan() < PBanSu() - 1)
            if (platform::BitBtn* next = PageButtons.value(index + 1)) {
                next->setFocus(Qt::TabFocusReason);
                PageButtonEnter(index + 1, generation); // also when the window is not active
            }
    } else if (key == 37 || key == 38) {
        if (PBan() > 0)
            if (platform::BitBtn* previous = PageButtons.value(index - 1)) {
                previous->setFocus(Qt::BacktabFocusReason);
                PageButtonEnter(index - 1, generation);
            }
    }
    return true;
}
