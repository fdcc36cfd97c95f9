#include "tools/find_command.h"

#include "tools/forms/form4.h"
#include "tools/forms/window_on_demand.h"
#include "viewer/main_window.h"

#include <QLineEdit>

namespace tools {

void Find1Click(TForm1& w)
{
    windowOnDemand(Form4, &w);
    try {
        Form4->Edit2 = w.CurrentFolder();
        Form4->setTag(0);
        Form4->Edit1->clear();
        Form4->Label2->setCaption(QString());
        w.pausePatrol();
        const int result = Form4->runModal();
        w.resumePatrol();
        const QStringList entries = Form4->ListBox1();
        if (result != QDialog::Accepted || entries.isEmpty())
            return;
        w.PBanSave(w.PBan());
        w.levels.pushLevel(entries, Form4->ListBox2(), 0);
        w.ReMake();
        // The entry previewed last, by its place in the results.
        w.PBanSave(qMax(0, Form4->previewedIndex()));
        w.PageClick(0, true);
    } catch (const std::exception& e) {
        w.resumePatrol();
        qWarning("search failed: %s", e.what());
    }
}

} // namespace tools
