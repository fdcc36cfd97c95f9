// The page copy as the person sees it: the save dialog, the question before
// an existing file is replaced, the report of what could not be copied, and
// the offer to delete the sources, which makes the copy a move.
#include "tools/file_tool_commands.h"

#include "tools/delete_plan.h"
#include "tools/link_values.h"
#include "tools/page_copy_plan.h"
#include "tools/unlinked_files.h"

#include "platform/seam.h"
#include "viewer/main_window.h"

#include <QFileInfo>

namespace tools {

namespace {

const QString kSaveDialog2Filter = QStringLiteral("全部 (*);;HTML (*.html);;一太郎 (*.jt* *.j?w)");

QStringList sourcesOf(const QList<FileCopy>& copies)
{
    QStringList list;
    for (const FileCopy& c : copies)
        list.append(c.source);
    return list;
}

void reportCopy(const PageCopyResult& result)
{
    if (!result.failed.isEmpty())
        platform::showMessage(QStringLiteral("次のファイルはコピーできませんでした。\n\n") + pathLines(sourcesOf(result.failed)),
                              platform::MsgType::Warning);
    if (!result.staleNotTrashed.isEmpty())
        platform::showMessage(trashFailureMessage(result.staleNotTrashed), platform::MsgType::Warning);
}

} // namespace

QString askCopyTarget(const QString& source)
{
    // copyPageTo asks before it replaces a page; the dialog asks nothing.
    QString name = platform::saveFileName(QStringLiteral("名前を付けて保存"), source, kSaveDialog2Filter, false);
    const QString ext = QFileInfo(source).suffix();
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty() && !ext.isEmpty())
        name += QLatin1Char('.') + ext;
    return name;
}

void copyPageTo(TForm1& w, const QString& source, const QString& target)
{
    const PageCopyPlan plan = planPageCopy(source, target);
    if (!plan.refusal.isEmpty()) {
        platform::showMessage(plan.refusal, platform::MsgType::Warning);
        return;
    }
    if (plan.targetExists
        && !platform::askYesNo(plan.target + QStringLiteral(" は既にあります。\n置き換えますか？"),
                               platform::MsgType::Warning))
        return;
    const PageCopyResult result = carryOutPageCopy(plan);
    reportCopy(result);
    if (!result.pageCopied() || !platform::askYesNo(QStringLiteral("元ファイルを削除しますか？")))
        return;
    QStringList sources;
    for (const FileCopy& c : result.copied)
        sources << c.source;
    const QStringList keep = filesUsedByOtherPages(sources, plan.source, w.levels.ExeBaseName, w.RootFolder);
    const TrashResult trashed = trashFiles(planSourceRemoval(plan, result, keep));
    if (!trashed.failed.isEmpty())
        platform::showMessage(trashFailureMessage(trashed.failed), platform::MsgType::Warning);
}

} // namespace tools
