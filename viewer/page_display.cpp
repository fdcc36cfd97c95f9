#include "viewer/page_display.h"

#include "viewer/later_windows.h"
#include "platform/bitmap_resize.h"
#include "platform/browser.h"
#include "platform/picture.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"
#include "store/templates.h"
#include "store/text.h"
#include "viewer/main_window.h"
#include "viewer/command_values.h"
#include "viewer/page_buttons.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace viewer {

QString lowerExtension(const QString& path)
{
    const int dot = int(path.lastIndexOf(QLatin1Char('.')));
    if (dot < 0 || path.indexOf(QLatin1Char('/'), dot) >= 0)
        return QString();
    return text::lower(path.mid(dot));
}

PageView chooseView(const QString& address, const QString& lowerExt)
{
    if (store::isWebAddress(address))
        return PageView::Browser;
    static const QStringList pictures = {
        QStringLiteral(".bmp"), QStringLiteral(".jpeg"), QStringLiteral(".jpg"),
        QStringLiteral(".png"), QStringLiteral(".gif")};
    if (pictures.contains(lowerExt))
        return PageView::Picture;
    static const QStringList documents = {
        QStringLiteral(".txt"), QStringLiteral(".mht"), QStringLiteral(".pdf"), QStringLiteral(".htm"),
        QStringLiteral(".jt"), QStringLiteral(".jxw"), QStringLiteral(".eml")};
    for (const QString& d : documents)
        if (lowerExt.contains(d))
            return PageView::Browser;
    return PageView::External;
}

bool offersPosting(const QString& lowerExt)
{
    return lowerExt.contains(QStringLiteral(".html"));
}

} // namespace viewer

// ---- TForm1: showing the selected entry ----

using namespace viewer;

namespace {

const QString kNoPage = QStringLiteral("*** NO PAGE ***");

// The file an entry names: the exact path, else a case-insensitive match in
// its folder (pages written on Windows do not keep letter case); "" when none.
QString existingFile(const QString& path)
{
    if (QFileInfo(path).isFile())
        return path;
    const QString found = files::findPath(path);
    return QFileInfo(found).isFile() ? found : QString();
}

// Every kind goes through the picture module (GIF and the like through Qt's
// readers there), so the one decode limit holds for the picture viewer too.
QImage readPicture(const QString& path)
{
    return platform::loadPicture(path);
}

} // namespace

void TForm1::ShowPlaceholderPage(const QString& message)
{
    Panel10->setVisible(false);
    const QString path = files::joinPath(CurrentFolder(), store::kPlaceholderPageName);
    if (!store::NEWHTMLSAVE(path, message, commands::writeRoots(*this).folders))
        qCWarning(lcPagora) << "the placeholder page" << path << "could not be written";
    // Lets the window paint before the browser starts loading; input waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    WebBrowser1->navigate(path);
}

// The picture viewer: the whole picture scaled once to the page area's width.
static void showInPictureViewer(TForm1& w)
{
    w.SpeedButton22->setVisible(true);
    w.ViewerImagePath = w.ShownFilePath;
    w.Panel10->setAlign(platform::Align::Client);
    w.Panel10->setVisible(true);
    const QImage picture = readPicture(w.ShownFilePath);
    if (picture.isNull() || picture.width() < 1)
        return; // the viewer keeps its previous picture
    const qint64 W = picture.width();
    const qint64 H = picture.height();
    const qint64 PW = w.Panel10->width();
    w.ScrollBox2->setHorzScrollPos(0);
    w.ScrollBox2->setVertScrollPos(0);
    w.Image11->setBounds(0, 0, int(qMax<qint64>(0, PW - 5)), int(qMax<qint64>(0, H * (PW - 5) / W)));
    const QImage scaled = platform::ResizeBitmapBilinear(picture, int(W * PW / W), int(H * PW / W));
    if (!scaled.isNull())
        w.Image11->setPicture(QPixmap::fromImage(scaled));
    w.ScrollBox2->setHorzScrollPos(0);
    w.ScrollBox2->setVertScrollPos(0);
}

// Resolves entry PBan into ShownFilePath / ShownUrl; false when the file is gone.
static bool resolveShownEntry(TForm1& w)
{
    const QString entry = w.levels.topEntries().value(w.PBan());
    if (store::isWebAddress(entry)) {
        w.ShownUrl = entry;
        return true;
    }
    const QString path = existingFile(w.levels.entryPath(entry));
    if (path.isEmpty())
        return false;
    w.ShownFilePath = path;
    w.ShownUrl = QUrl::fromLocalFile(path).toString();
    return true;
}

static void showResolvedEntry(TForm1& w, int updown)
{
    const bool web = store::isWebAddress(w.ShownUrl);
    const QString ext = lowerExtension(web ? w.ShownUrl : w.ShownFilePath);
    const PageView view = chooseView(w.ShownUrl, ext);
    if (updown != 0) {
        w.SpeedButton16->setVisible(false);
        w.ShowPlaceholderPage(kNoPage);
    } else if (view == PageView::Picture) {
        showInPictureViewer(w);
    } else if (view == PageView::Browser) {
        w.Panel10->setVisible(false);
        w.SpeedButton16->setVisible(!web && offersPosting(ext));
        w.WebBrowser1->navigate(web ? w.ShownUrl : w.ShownFilePath);
    } else {
        w.SpeedButton16->setVisible(false);
        w.Panel10->setVisible(false);
        w.Panel1->setVisible(true);
        w.Label1->setCaption(store::CutNN(w.ShownUrl));
    }
}

static void setCopyHints(TForm1& w)
{
    const QString copyFolder = QStringLiteral("【") + w.ExeBaseName + QStringLiteral("】");
    w.SpeedButton13->setHint(w.CurrentFolder() + QStringLiteral("（閲覧フォルダ）を開く"));
    w.SpeedButton5->setHint(QFileInfo(store::CutNN(w.ShownUrl)).fileName() + QStringLiteral(" をデスクトップの")
                            + copyFolder + QStringLiteral("の中にコピー"));
    w.SpeedButton14->setHint(QStringLiteral(" デスクトップの") + copyFolder + QStringLiteral("を開く"));
}

// No page to show: the placeholder page, no shown URL, the patrol running again.
static void showNoPage(TForm1& w)
{
    w.SpeedButton16->setVisible(false);
    w.ShowPlaceholderPage(kNoPage);
    w.setCaption(QString());
    w.resumePatrol();
}

void TForm1::PageClick(int updown, bool y)
{
    VideoCount = 0;
    if (MemoRestore) {
        Tag = MemoState;
        MemoRestore = 0;
    }
    if (MemoAvailable && Tag > 1) {
        Tag = 1;
        SpeedButton7->setHint(QStringLiteral("メモの非表示"));
    }
    Panel1->setVisible(false);
    Panel8->setCaption(store::ParentFolderName(CurrentFolder() + QLatin1Char('/')));
    showPageCounter(PageButtons.isEmpty() ? QStringLiteral("0 / 0")
                                          : QStringLiteral("%1 / %2").arg(PBan() + 1).arg(PBanSu()));
    ScrollBox2->setHorzScrollPos(0);
    ScrollBox2->setVertScrollPos(0);
    SpeedButton8->setVisible(false);
    SpeedButton19->setVisible(true);
    SpeedButton16->setEnabled(false);
    if (PBan() < 0)
        return;

    pausePatrol();
    PreviousPageIndex = PBan();
    QWidget* videoWindow = laterwindows::hooks().videoWindow;
    if (videoWindow && !videoWindow->windowTitle().isEmpty())
        videoWindow->close();
    kabeBrowser->setVisible(true);
    DirPageOffset = 0;
    if (PBanSu() == 0) {
        showNoPage(*this);
        return;
    }
    if (PBan() >= PBanSu())
        PBanSave(0);
    SetDrawingLayout(0);
    viewer::stylePageButtons(*this, HighlightCurrent == 1);

    if (y) {
        PageCounter = 0;
        if (!resolveShownEntry(*this)) {
            if (!GoHomeRunning) {
                GoHome(); // the page has gone: start again from the data root
                return;
            }
            // Even the data root's page cannot be shown: say so instead of
            // going home again without end.
            showNoPage(*this);
            return;
        }
        if (platform::BitBtn* current = PageButtons.value(PBan()))
            current->setFocus(Qt::OtherFocusReason);
        viewer::highlightCurrentButton(*this);
        RememberShownFile(ShownUrl, QStringLiteral("0"));
        try {
            showResolvedEntry(*this, updown);
        } catch (...) {
            // A view that fails leaves the previous one; the caption still follows.
            qCWarning(lcPagora) << "showing" << ShownUrl << "failed:" << store::log::currentException();
        }
        setCaption(ShownUrl);
    }
    resumePatrol();
    setCopyHints(*this);
}
