// The page's sound recording: its path, the recorder, the playback button
// and the playback after a page load.
#include "tools/recording.h"

#include "platform/seam.h"
#include "platform/sound.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"
#include "tools/delete_plan.h"
#include "tools/recording_window.h"
#include "tools/recycle.h"
#include "viewer/command_values.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

#include <QEvent>
#include <QFileInfo>
#include <QPointer>

namespace recording {

namespace {

bool playing = false;

// Starts Timer3 once, when the window first shows: its first tick finds the
// first page's recording.
class FirstShowStart : public QObject {
public:
    explicit FirstShowStart(TForm1& w) : QObject(&w), w_(w) { w.installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == &w_ && e->type() == QEvent::Show) {
            w_.removeEventFilter(this);
            w_.Timer3->setEnabled(true);
            deleteLater();
        }
        return false;
    }

private:
    TForm1& w_;
};

void focusCurrentPageButton(TForm1& w)
{
    const int ban = w.PBan();
    if (ban >= 0 && ban < w.PageButtons.size() && w.PageButtons[ban])
        w.PageButtons[ban]->setFocus();
}

} // namespace

QByteArray emptyRecording()
{
    return QByteArray::fromHex("524946463200000057415645666D7420120000000100010022560000225600000100080000006661637404000000"
                               "000000006461746100000000");
}

QString recordingPathFor(const QString& shownUrl, const QString& currentFolder)
{
    if (shownUrl.isEmpty())
        return QString();
    const QString local = store::CutNN(shownUrl);
    QString folder = currentFolder;
    QString name = store::AfterLastSlash(shownUrl);
    if (!local.isEmpty()) {
        const bool isFolder = local.endsWith(QLatin1Char('/'));
        folder = isFolder ? local : QFileInfo(local).path();
        name = isFolder ? QString() : QFileInfo(local).fileName();
    }
    if (name.isEmpty())
        name = QStringLiteral("index.html");
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString path = files::joinPath(folder, (dot > 0 ? name.left(dot) : name) + QStringLiteral(".wav"));
    // A recording made on Windows may differ in letter case.
    const QString found = files::findPath(path);
    return found.isEmpty() ? path : found;
}

bool discardAfterRecording(const QString& path, bool createdHere)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() >= kMinimumSize)
        return false;
    return createdHere || files::readBytes(path).value_or(QByteArray()) == emptyRecording();
}

QString PageRecordingPath(TForm1& w)
{
    const QString path = recordingPathFor(w.caption(), w.CurrentFolder());
    const bool exists = !path.isEmpty() && QFileInfo(path).isFile();
    w.BitBtn1->setTag(exists ? 1 : 0);
    if (exists) {
        w.BitBtn1->setHint(QStringLiteral("ページ録音の再生"));
        w.BitBtn1->setTop(2);
        w.placeBitBtn1();
        w.BitBtn1->raise();
    }
    w.BitBtn1->setVisible(exists);
    return path;
}

void RecordPageSound(TForm1& w, const QString& fileName)
{
    if (!fileName.endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive)) {
        platform::showMessage(QStringLiteral("録音は .wav のファイルにだけ保存できます。\n") + fileName,
                              platform::MsgType::Warning);
        return;
    }
    // Written only where the commands may write, on the place the kernel
    // reaches when writing: a folder link swapped in on the way leads nowhere.
    const QStringList within = commands::writeRoots(w).folders;
    bool created = false;
    if (!QFileInfo::exists(fileName)) {
        created = files::writeBytes(fileName, emptyRecording(), within);
        if (!created) {
            // The recorder could not save there either.
            qCWarning(lcPagora) << "recording: cannot create" << fileName;
            platform::showMessage(QStringLiteral("録音を保存できませんでした。\n") + fileName, platform::MsgType::Warning);
            return;
        }
    }
    {
        RecorderWindow recorder(fileName, within, &w);
        platform::execModal(&recorder);
    }
    // What the recorder left too short to be a recording goes, unless it was someone's file.
    if (discardAfterRecording(fileName, created)
        && !files::removeOwnFile(fileName, within))
        qCWarning(lcPagora) << "recording: cannot remove the empty recording" << fileName;
    PageRecordingPath(w);
}

void playRecording(TForm1& w, const QString& path)
{
    if (playing || path.isEmpty() || !QFileInfo(path).isFile())
        return;
    playing = true;
    QPointer<TForm1> window(&w);
    const bool wasEnabled = w.isEnabled();
    w.setEnabled(false);
    platform::playWaveFileSync(path);
    if (window && wasEnabled)
        window->setEnabled(true);
    playing = false;
}

void Timer3Timer(TForm1& w)
{
    w.Timer3->setEnabled(false);
    const QString path = PageRecordingPath(w);
    if (w.BitBtn1->tag() > 0)
        playRecording(w, path);
}

void hSAISEIMouseUp(TForm1& w)
{
    if (w.PBan() < 0)
        return;
    const QString path = PageRecordingPath(w);
    if (w.RightClickFlag) {
        // As every delete: asked once, and only a yes sends it to the trash.
        const QFileInfo recording(path);
        if ((recording.exists() || recording.isSymLink())
            && platform::askYesNo(tools::deletionQuestion({path}), platform::MsgType::Warning))
            recycle::RecycleFile(w, path);
        PageRecordingPath(w);
    } else if (w.BitBtn1->tag() > 0) {
        playRecording(w, path);
    }
    focusCurrentPageButton(w);
}

void bindRecording(TForm1& w)
{
    TForm1* m = &w;
    w.BitBtn1->onMouseDown = [m](const platform::MouseArgs& a) { m->RightClickFlag = a.rightHeld; };
    w.BitBtn1->onMouseUp = [m](const platform::MouseArgs&) { hSAISEIMouseUp(*m); };
    w.Timer3->setInterval(400);
    w.Timer3->onTimer = [m] { Timer3Timer(*m); };
    if (w.isVisible())
        w.Timer3->setEnabled(true);
    else
        new FirstShowStart(w);
    laterwindows::hooks().recordSound = [](const QString& wavPath) {
        if (TForm1* main = TForm1::instance())
            RecordPageSound(*main, wavPath);
    };
}

} // namespace recording
