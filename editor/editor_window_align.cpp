// The alignment rows of the tool column, the editing notes and the close
// button.
#include "editor/editor_layout.h"
#include "editor/forms/form2.h"
#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "viewer/later_windows.h"

#include <QFileInfo>

namespace {

void pressOneOf(std::initializer_list<platform::SpeedButton*> row, platform::SpeedButton* pressed)
{
    for (platform::SpeedButton* b : row)
        b->setFlat(b != pressed);
}

} // namespace

void TForm2::alignHeadingView(int button, Qt::Alignment align)
{
    pressOneOf({SpeedButton4, SpeedButton5, SpeedButton6},
               button == 6 ? SpeedButton6 : button == 5 ? SpeedButton5 : SpeedButton4);
    Memo4->setAlignment(align);
}

void TForm2::alignSubheadingView(int button, Qt::Alignment align)
{
    pressOneOf({SpeedButton7, SpeedButton8, SpeedButton9},
               button == 9 ? SpeedButton9 : button == 8 ? SpeedButton8 : SpeedButton7);
    Memo5->setAlignment(align);
}

void TForm2::alignHeading(int button)
{
    static const char* const aligns[] = {"left", "center", "right"};
    const int i = qBound(0, button - 4, 2);
    page.ETAGH1 = QStringLiteral("<H1 align=\"%1\">").arg(QLatin1String(aligns[i]));
    alignHeadingView(4 + i, i == 0 ? Qt::AlignLeft : i == 1 ? Qt::AlignHCenter : Qt::AlignRight);
}

void TForm2::alignSubheading(int button)
{
    static const char* const aligns[] = {"left", "center", "right"};
    const int i = qBound(0, button - 7, 2);
    page.ETAGH2 = QStringLiteral("<H2 align=\"%1\">").arg(QLatin1String(aligns[i]));
    alignSubheadingView(7 + i, i == 0 ? Qt::AlignLeft : i == 1 ? Qt::AlignHCenter : Qt::AlignRight);
}

void TForm2::showFramePlacement(int button, platform::Align placement, std::optional<Qt::Alignment> textAlign,
                                bool cellsToo)
{
    pressOneOf({SpeedButton19, SpeedButton20, SpeedButton21},
               button == 21 ? SpeedButton21 : button == 20 ? SpeedButton20 : SpeedButton19);
    page.Memo1Width = page.PageWidth;
    Memo1->setAlign(placement);
    if (placement == platform::Align::None)
        Memo1->setBounds(editor::centredLeft(Panel12->width(), page.PageWidth), 0, page.PageWidth, Panel12->height());
    else
        Memo1->setWidth(page.PageWidth);
    if (!textAlign)
        return;
    Memo1->setAlignment(*textAlign);
    Memo2->setAlignment(*textAlign);
    if (cellsToo) {
        for (editor::EditorMemo* cell : cells)
            cell->setAlignment(*textAlign);
    }
}

void TForm2::SpeedButton19Click()
{
    page.ETAGP1 = QStringLiteral("<P align=\"left\">");
    page.ETAGHYO1 = QStringLiteral("align=\"left\"");
    showFramePlacement(19, platform::Align::Left, Qt::AlignLeft, true);
}

void TForm2::SpeedButton20Click()
{
    page.ETAGP1 = QStringLiteral("<P align=\"center\">");
    page.ETAGHYO1 = QStringLiteral("align=\"center\"");
    showFramePlacement(20, platform::Align::None, Qt::AlignHCenter, true);
}

void TForm2::SpeedButton21Click()
{
    page.ETAGP1 = QStringLiteral("<P align=\"left\">");
    page.ETAGHYO1 = QStringLiteral("align=\"right\"");
    showFramePlacement(21, platform::Align::Right, Qt::AlignLeft, true);
}

void TForm2::SpeedButton22Click()
{
    const QString path = files::joinPath(QFileInfo(pagePath()).absolutePath(), QStringLiteral("_Edit.txt"));
    laterwindows::Hooks& h = laterwindows::hooks();
    if (h.memoWindow) {
        borrowNotesWindow(h.memoWindow);
        h.memoWindow->resize(840, 600);
        h.memoWindow->move(h.memoWindow->x(), 10);
    }
    if (!h.editNotes || !h.editNotes(path)) {
        qCWarning(lcPagora) << "editing notes could not be shown for" << path;
        platform::showMessage(QStringLiteral("覚え書きを開けませんでした：\n") + path, platform::MsgType::Warning);
    }
}

void TForm2::BitBtn2Click()
{
    // done() asks about unsaved changes, once, on every way out.
    done(QDialog::Rejected);
}

// The editor is modal: a window of its own takes input beside it, another
// top-level window of the program would not. The memo window becomes the
// editor's while the editor is open and goes back when it closes.
void TForm2::borrowNotesWindow(QWidget* notes)
{
    if (notes->parentWidget() == this)
        return;
    notesHome_ = notes->parentWidget();
    notesBorrowed_ = notes;
    notes->setParent(this, notes->windowFlags() | Qt::Window);
}

void TForm2::returnNotesWindow()
{
    if (!notesBorrowed_)
        return;
    QWidget* notes = notesBorrowed_;
    notesBorrowed_ = nullptr;
    if (notes->parentWidget() == this)
        notes->setParent(notesHome_, notes->windowFlags() | Qt::Window);
}
