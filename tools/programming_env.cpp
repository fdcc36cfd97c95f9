#include "tools/programming_env.h"

#include "platform/seam.h"
#include "tools/forms/form23.h"
#include "tools/forms/window_on_demand.h"
#include "viewer/main_window.h"

#include <QDialog>

namespace tools {

QString LauncherResult;

// Our own page about the environment; one place to change it.
const QString kZorblandWebPage = QStringLiteral("https://pagora.example/zorb");

void RunInProgrammingEnv(TForm1& w, const QString& file)
{
    if (w.ProgrammingEnvExe.isEmpty())
        return;
    if (!platform::startProgram(w.ProgrammingEnvExe, {file}, w.ProgrammingEnvFolder))
        platform::showMessage(QStringLiteral("Zorblandを起動できませんでした。"), platform::MsgType::Warning);
}

void RunProgrammingLauncher(TForm1& w)
{
    if (w.FolderWriteFailed)
        return;
    // Without the environment the button's hint says how to get it.
    if (w.ProgrammingEnvExe.isEmpty())
        return;
    windowOnDemand(Form23, &w);
    LauncherResult.clear();
    // The start button accepts the dialog; the close button and the window
    // frame reject it, which leaves the answer empty.
    if (platform::execModal(Form23) == QDialog::Accepted)
        LauncherResult = QStringLiteral("ZORB");
    if (LauncherResult == QLatin1String("ZORB"))
        RunInProgrammingEnv(w, QString());
}

} // namespace tools
