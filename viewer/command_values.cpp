#include "viewer/command_values.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/page_encoding.h"
#include "store/text.h"
#include "viewer/main_window.h"
#include "viewer/value_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace commands {

void rewriteHistoryPages(TForm1& w, const std::function<bool(const QString& path)>& mayWrite)
{
    const QString src = valuefiles::historyScriptSrc(w.HistoryName);
    for (const QString& entry : w.levels.topEntries()) {
        const QString path = files::joinPath(w.CurrentFolder(), files::slashes(entry));
        if (!text::upper(QFileInfo(path).fileName()).contains(QStringLiteral("HISTORY")))
            continue;
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
        if (rewritten && mayWrite(path))
            files::writeTextBom(path, *rewritten);
    }
}

} // namespace commands

void TForm1::SetTextFileValue(const QString& fileName, const QString& entry)
{
    QCoreApplication::processEvents();
    files::makeFolder(files::joinPath(CurrentFolder(), QStringLiteral("history")));
    switch (valuefiles::setTextFileValue(fileName, entry)) {
    case valuefiles::ValueFileResult::Deleted:
        PageClick(0, true);
        break;
    case valuefiles::ValueFileResult::DeleteFailed:
        ShowFlashMessage(QStringLiteral("ごみ箱に移せませんでした：") + fileName, 3000);
        break;
    default:
        break;
    }
}
