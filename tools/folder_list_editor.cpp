// Handlers of the folder-list editor TForm10.
#include "tools/folder_list_editor.h"

#include "platform/seam.h"
#include "store/files.h"
#include "tools/folder_list.h"
#include "tools/forms/form10.h"
#include "tools/forms/window_on_demand.h"
#include "viewer/main_window.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

namespace tools {

void N3Click(TForm1& w)
{
    windowOnDemand(Form10, &w);
    Form10->setWindowTitle(files::joinPath(w.ExeFolder, QStringLiteral("_folder.txt")));
    Form10->BaseFolder = w.ExeFolder;
    w.pausePatrol();
    Form10->FormShow(w.width(), w.kabeRight->width(), w.height());
    platform::execModal(Form10);
    w.resumePatrol();
}

} // namespace tools

void TForm10::FormShow(int mainClientWidth, int mainRightPanelWidth, int mainClientHeight)
{
    resize(qMax(400, mainClientWidth - mainRightPanelWidth - 100), qMax(300, mainClientHeight - 35));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft());
    setMemoText(QString());
    if (const auto text = files::readUtf8(listFile()))
        setMemoText(files::splitLines(*text).join(QLatin1Char('\n')));
}

void TForm10::SpeedButton1Click()
{
    const QString path = listFile();
    if (QFileInfo::exists(path)
        && !platform::askYesNo(QStringLiteral("_folder.txtを上書き保存します。"), platform::MsgType::Warning))
        return;
    if (!files::writeTextBom(path, memoText(), {QFileInfo(path).absolutePath()})) // the program's own folder
        platform::showMessage(QStringLiteral("_folder.txtを保存できませんでした。"), platform::MsgType::Warning);
}

void TForm10::SpeedButton2Click()
{
    done(QDialog::Rejected);
}

void TForm10::SpeedButton3Click()
{
    if (!platform::askYesNo(QStringLiteral("一覧表の名前でフォルダを作成します。"), platform::MsgType::Warning))
        return;
    const tools::folderlist::ParsedList list = tools::folderlist::parse(memoText());
    const QStringList failed = tools::folderlist::create(BaseFolder, list.folders);
    QStringList report;
    if (!list.refused.isEmpty())
        report << QStringLiteral("次の行はプログラムのフォルダの外を指すため作成しません。") << list.refused;
    if (!failed.isEmpty()) {
        if (!report.isEmpty())
            report << QString();
        report << QStringLiteral("次のフォルダは作成できませんでした。");
        for (const QString& folder : failed)
            report << QString(folder).replace(QLatin1Char('/'), QLatin1Char('\\'));
    }
    if (!report.isEmpty())
        platform::showMessage(report.join(QLatin1Char('\n')), platform::MsgType::Warning);
}

void TForm10::SpeedButton4Click()
{
    ListBox1 = tools::folderlist::collect(BaseFolder);
    setMemoText(ListBox1.join(QLatin1Char('\n')));
}
