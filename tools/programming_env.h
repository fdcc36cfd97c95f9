#pragma once
// The external programming environment Zorbland: starting it on a file (or
// empty), and the launcher dialog behind the programming button.

#include <QString>

class TForm1;

namespace tools {

// The launcher's answer: "ZORB" starts the environment, "" does nothing.
extern QString LauncherResult;

// The environment's web page, shown by the launcher and opened from it.
extern const QString kZorblandWebPage;

// Starts the environment with file as its one argument ("" for none); the
// program is not waited for. Nothing when no environment is installed.
void RunInProgrammingEnv(TForm1& w, const QString& file);

// The programming button: the launcher dialog, then the environment when
// the answer is "ZORB".
void RunProgrammingLauncher(TForm1& w);

} // namespace tools
