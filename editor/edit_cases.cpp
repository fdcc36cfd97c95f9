#include "editor/edit_cases.h"

#include "editor/daily_report_archive.h"
#include "editor/edit_hand_off.h"
#include "editor/editor_window_run.h"
#include "editor/forms/form2.h"
#include "platform/seam.h"
#include "platform/shell.h"
#include "store/clock.h"
#include "store/files.h"
#include "store/page_encoding.h"
#include "store/log.h"
#include "tools/forms/window_on_demand.h"
#include "viewer/command_values.h"
#include "viewer/main_window.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <utility>

namespace editor {

namespace {

void letPendingEventsRun()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The list emptied while the file was away (the editor can delete its
// page): the page "being edited" must not stay on screen.
void showNoPage(TForm1& w)
{
    w.ShowPlaceholderPage(QStringLiteral("*** NO PAGE ***"));
    w.setCaption(QString());
}

void archiveIfDailyReport(const TForm1& w, const QString& page)
{
    if (!isDailyReportPage(page) || !QFileInfo(page).isFile() || w.DailyReportStore.isEmpty())
        return; // a new report closed without saving has nothing to archive
    const QStringList failed = archiveDailyReport(page, w.DailyReportStore, store::clock::today(), w.RootFolder);
    if (failed.isEmpty())
        return;
    qCWarning(lcPagora) << "daily-report archive incomplete:" << failed;
    platform::showMessage(QStringLiteral("日報の保存先にコピーできなかったファイルがあります：\n") +
                              failed.join(QLatin1Char('\n')),
                          platform::MsgType::Warning);
}

// The page on disk gets its LOOK links again from the folder's current
// keywords, whether or not the editor saved it.
void restoreLookLinks(TForm1& w, const QString& page)
{
    QString refusal;
    const auto read = store::readPageToRewrite(page, refusal);
    if (!read) {
        if (QFileInfo::exists(page))
            qCWarning(lcPagora) << "LOOK links could not be put back: cannot read" << page << refusal;
        return;
    }
    const QString linked = handOffParts().applyLookLinks(w, 0, read->text);
    if (linked != read->text && !files::writeTextBom(page, linked, commands::writeRoots(w).folders))
        qCWarning(lcPagora) << "LOOK links could not be written back to" << page;
}

// The list is read again and the edited page (also one saved under a new
// name) is selected by its own entry and shown: a name stem could match
// another page first ("a" is inside "0005_b_a").
void reloadAfterEditor(TForm1& w, const QString& page)
{
    w.resumePatrol();
    w.OpenFolder(w.CurrentFolder(), w.PBan(), false); // also counts the files for the patrol
    w.ReMake();
    const int edited = w.levels.indexOfPath(page);
    if (edited >= 0)
        w.PBanSave(edited);
    const int i = w.PBan();
    if (i < 0) {
        showNoPage(w);
        return;
    }
    w.PageClick(0, true);
    w.levels.TiteleLoad(i, w.ShownUrl);
    w.RefreshPageButton(i);
}

} // namespace

std::optional<QString> runEditorWindow(TForm1& w, const QString& path, const QString& source, bool newPage)
{
    letPendingEventsRun();
    const std::optional<QString> caption = runPageEditor(&windowOnDemand(Form2, &w), path, source, newPage,
                                                                commands::writeRoots(w).folders);
    if (!caption)
        qCWarning(lcPagora) << "the page editor window does not exist";
    else if (Form2->savedLastTime())
        w.HighlightCurrent = 1;
    return caption;
}

void showSelectedPageAgain(TForm1& w)
{
    const int i = w.PBan();
    if (i < 0) {
        showNoPage(w);
        return;
    }
    w.levels.TiteleLoad(i, w.ShownUrl);
    w.RefreshPageButton(i);
    w.PageClick(0, true);
}

void editPicture(TForm1& w, const QString& file)
{
    letPendingEventsRun();
    const QString program = platform::paintProgram();
    if (program.isEmpty()) {
        finishEdit(w, QStringLiteral("絵を編集するソフト（kolourpaint など）が見つかりません。"));
        return;
    }
    const bool ran = platform::startProgram(program, {file}, w.CurrentFolder(), true, &w);
    letPendingEventsRun();
    finishEdit(w, ran ? QString() : QStringLiteral("絵を編集するソフトを起動できませんでした。"));
}

void editInEditor(TForm1& w, const QString& file, const QString& text, bool newPage)
{
    HandOffParts& parts = handOffParts();
    QString source = text;
    const bool linksRemoved = text.contains(QStringLiteral("$LOOK")) && parts.applyLookLinks;
    if (linksRemoved)
        source = parts.applyLookLinks(w, 1, source);
    letPendingEventsRun();
    const std::optional<QString> caption = parts.runEditor ? parts.runEditor(w, file, source, newPage) : std::nullopt;
    letPendingEventsRun();
    if (!caption) {
        finishEdit(w, QStringLiteral("編集の画面を開けませんでした。"));
        return;
    }
    const QString page = caption->isEmpty() ? file : *caption;
    archiveIfDailyReport(w, page);
    if (linksRemoved)
        restoreLookLinks(w, page);
    endEdit(w);
    reloadAfterEditor(w, page);
}

void editInOtherProgram(TForm1& w, const QString& file, EditKind kind)
{
    w.ShowPlaceholderPage(QStringLiteral("*** 編集中 ***"));
    bool started = false;
    QString failure;
    if (kind == EditKind::Spreadsheet) {
        const QString program = w.ExcelPath;
        QStringList args{file};
        if (QFileInfo(program).fileName() == QLatin1String("libreoffice"))
            args.prepend(QStringLiteral("--calc"));
        started = !program.isEmpty() && platform::startProgram(program, args);
        failure = program.isEmpty() ? QStringLiteral("表計算ソフトが見つかりません。")
                                    : QStringLiteral("表計算ソフトを起動できませんでした。");
    } else {
        started = platform::openUrl(QUrl::fromLocalFile(file));
        failure = QStringLiteral("このファイルを開くソフトが見つかりません：") + QFileInfo(file).fileName();
    }
    if (!started) {
        finishEdit(w, failure);
        return;
    }
    // The program takes a while to come up; the window waits without
    // freezing and without taking input meanwhile.
    w.setEnabled(false);
    QPointer<TForm1> guarded(&w);
    QTimer::singleShot(handOffParts().otherProgramPauseMs, &w, [guarded] {
        if (guarded)
            finishEdit(*guarded);
    });
}

} // namespace editor
