#include "viewer/page_buttons.h"

#include "viewer/later_windows.h"
#include "viewer/page_button_column.h"
#include "platform/browser.h"
#include "platform/picture.h"
#include "store/files.h"
#include "store/paths.h"
#include "viewer/main_window.h"

#include <QCoreApplication>
#include <QFont>
#include <QScrollArea>
#include <QScrollBar>

namespace viewer {

namespace {

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

int pageColumnWidth(const TForm1& form)
{
    // The viewport narrows only when the scroll area next lays itself out;
    // a column built or scrolled before then must already leave room for
    // the vertical scroll bar its rows are about to bring.
    const QScrollArea* area = form.ScrollBox1->scrollArea();
    const QSize room = area->maximumViewportSize();
    const QWidget* content = area->widget();
    const bool scrolls = area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff && content
        && content->height() > room.height();
    return room.width() - (scrolls ? area->verticalScrollBar()->sizeHint().width() : 0);
}

void discardPageButtons(TForm1& form)
{
    const bool wasRebuilding = form.RebuildingPageButtons;
    form.RebuildingPageButtons = true;
    ++form.PageButtonGeneration;
    QList<platform::BitBtn*> old;
    for (platform::BitBtn* b : std::as_const(form.PageButtons)) {
        if (b)
            old.append(b);
    }
    form.PageButtons.clear();
    if (!old.isEmpty()) {
        const platform::RealignBatch batch(form.ScrollBox1);
        for (platform::BitBtn* b : old)
            b->setVisible(false);
        (new DiscardedButtons(form.ScrollBox1, old))->deleteLater();
    }
    clearPageButtonColumn(form);
    form.RebuildingPageButtons = wasRebuilding;
}

void stylePageButton(TForm1& form, int i, bool highlightCurrent)
{
    platform::BitBtn* b = form.PageButtons.value(i);
    if (!b)
        return;
    const int margin = form.ButtonMargin;
    const int width = pageColumnWidth(form);
    const bool standsOut = highlightCurrent && i == form.PBan();
    styleButton(b, pageButtonFont(), standsOut ? margin - 4 : margin,
                qMax(0, standsOut ? width - 2 * margin - 2 : width - 2 * margin),
                standsOut ? QColor(Qt::blue) : QColor(Qt::black));
}

void stylePageButtons(TForm1& form, bool highlightCurrent)
{
    fillPageButtonColumn(form); // the current page's row among them
    const platform::RealignBatch batch(form.ScrollBox1);
    for (int i = 0; i < form.PageButtons.size(); ++i) {
        if (form.PageButtons.at(i))
            stylePageButton(form, i, highlightCurrent);
    }
}

void highlightCurrentButton(TForm1& form)
{
    platform::BitBtn* b = form.PageButtons.value(form.PBan());
    if (!b)
        return;
    b->setLeft(form.ButtonMargin - 4);
    b->setWidth(qMax(0, pageColumnWidth(form) - 2 * form.ButtonMargin - 2));
}

QPixmap pageButtonGlyph(const TForm1& form, const QString& folder, const QString& icon)
{
    const QString path = files::findFile(folder, files::slashes(icon));
    if (!path.isEmpty()) {
        // Decoded no larger than the button it is shown on.
        const QSize shown(pageColumnWidth(form), pageButtonRowHeight(form.ScrollBox1->height(), form.PBanSu()));
        const QImage picture = platform::loadPicture(path, shown);
        if (!picture.isNull())
            return QPixmap::fromImage(picture);
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
    startPageButtonColumn(*this, pageButtonRowHeight(ScrollBox1->height(), PBanSu()));
    ScrollBox1->updateRange();
    // The new column is drawn before the caller goes on; a window not yet on
    // screen has nothing to draw, and its first page is asked for sooner.
    if (isVisible())
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
        // The menu takes the mouse: this press ends without a release here.
        if (isCurrent(*this, index, generation))
            if (platform::BitBtn* pressed = PageButtons.value(index))
                pressed->endPress();
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
            if (platform::BitBtn* next = pageButtonAt(*this, index + 1)) {
                next->setFocus(Qt::TabFocusReason);
                PageButtonEnter(index + 1, generation); // also when the window is not active
            }
    } else if (key == 37 || key == 38) {
        if (PBan() > 0)
            if (platform::BitBtn* previous = pageButtonAt(*this, index - 1)) {
                previous->setFocus(Qt::BacktabFocusReason);
                PageButtonEnter(index - 1, generation);
            }
    }
    return true;
}
