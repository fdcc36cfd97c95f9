#include "tools/numbered_rename.h"

#include "platform/seam.h"
#include "store/text.h"
#include "tools/forms/form17.h"
#include "tools/forms/window_on_demand.h"
#include "tools/numbered_rename_plan.h"
#include "tools/page_order.h"
#include "viewer/main_window.h"

#include <QLineEdit>

namespace tools {

TForm17& numberedRenameDialog(TForm1& w)
{
    return windowOnDemand(Form17, &w);
}

void RenamePagesNumbered(TForm1& w)
{
    const int ban = w.PBan();
    if (ban < 0 || ban >= w.PBanSu() || !onFolderLevel(w))
        return;
    w.ShowPlaceholderPage(QStringLiteral("*** チェック中 ***"));
    TForm17& f = numberedRenameDialog(w);
    f.Edit5->setText(QString::number(ban + 1));
    f.Edit6->setText(QString::number(w.PBanSu()));
    f.FormShow();
    w.pausePatrol();
    platform::execModal(&f);
    w.resumePatrol();
    if (f.SpeedButton1->tag() != 1)
        return; // the placeholder stays, as after any cancel
    renameNumberedFromDialog(w, f);
}

void renameNumberedFromDialog(TForm1& w, const TForm17& f)
{
    const NumberedRenameFields fields = f.fields();
    const std::optional<int> from = text::toInt(fields.from), to = text::toInt(fields.to);
    const std::optional<int> first = text::toInt(fields.first), step = text::toInt(fields.step);
    const std::optional<int> digits = text::toInt(fields.digits);
    if (!from || !to || !first || !step || !digits || !nameProblem(fields.name).isEmpty())
        return;
    w.SearchCacheKey = QStringLiteral("xxx");
    const NumberedRenameSettings s{fields.name, *first, *step, *digits};
    const QString folder = w.CurrentFolder();
    const QStringList entries = w.levels.topEntries();
    runRenamePlan(w, [&] { return planNumberedRename(folder, entries, *from - 1, *to - 1, s); });
}

} // namespace tools
