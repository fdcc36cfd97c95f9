#include "viewer/command_values.h"

#include "platform/seam.h"
#include "store/file_lock.h"
#include "store/files.h"
#include "store/page_encoding.h"
#include "store/paths.h"
#include "store/text.h"
#include "viewer/main_window.h"
#include "viewer/value_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace commands {

WriteRoots writeRoots(const TForm1& w)
{
    // The current folder last: inside one of the others it is no root of its own.
    return {{w.RootFolder, w.CopyFolder, store::DesktopFolder(), w.CurrentFolder()}};
}

void rewriteHistoryPages(TForm1& w, const std::function<bool(const QString& path)>& mayWrite)
{
    const QString src = valuefiles::historyScriptSrc(w.HistoryName);
    for (const QString& entry : w.levels.topEntries()) {
        const QString path = files::joinPath(w.CurrentFolder(), files::slashes(entry));
        if (!text::upper(QFileInfo(path).fileName()).contains(QStringLiteral("HISTORY")))
            continue;
        const files::FileLock lock(path);
        if (!lock.held()) {
            w.ShowFlashMessage(writeFailedMessage(path), 3000);
            continue;
        }
        QString refusal;
        const std::optional<store::PageText> read = store::readPageToRewrite(path, refusal);
        if (!read) {
            if (!refusal.isEmpty())
                platform::showMessage(refusal, platform::MsgType::Warning);
            continue;
        }
        const QString& page = read->text;
        // A page without a script address is left as it is.
        const std::optional<QString> rewritten = valuefiles::rewriteHistoryScriptSrc(page, src);
        if (rewritten && mayWrite(path) && !files::writeTextBom(path, *rewritten, writeRoots(w).folders))
            w.ShowFlashMessage(writeFailedMessage(path), 3000);
    }
}

} // namespace commands

void TForm1::SetTextFileValue(const QString& fileName, const QString& entry)
{
    QCoreApplication::processEvents();
    const QStringList within = commands::writeRoots(*this).folders;
    // The history folder is made only where it may be, like the file itself.
    files::makeFolder(files::joinPath(CurrentFolder(), QStringLiteral("history")), within);
    switch (valuefiles::setTextFileValue(fileName, entry, within)) {
    case valuefiles::ValueFileResult::Deleted:
        PageClick(0, true);
        break;
    case valuefiles::ValueFileResult::DeleteFailed:
        ShowFlashMessage(QStringLiteral("ごみ箱に移せませんでした：") + fileName, 3000);
        break;
    case valuefiles::ValueFileResult::Unreadable:
        ShowFlashMessage(QStringLiteral("読み込めないため書き込みませんでした：") + QFileInfo(fileName).fileName(), 3000);
        break;
    case valuefiles::ValueFileResult::WriteFailed:
        ShowFlashMessage(commands::writeFailedMessage(fileName), 3000);
        break;
    case valuefiles::ValueFileResult::Written:
        break;
    }
}
