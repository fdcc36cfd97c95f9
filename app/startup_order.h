#pragma once
// The program's start-up after its application object exists, in order:
// fonts, the splash window, the application's name, the main window, and the
// main window shown (its first showing opens the data root and its first
// page). The entry and the start-up benchmark both run it.

#include <QString>
#include <QStringList>

class TForm1;

namespace app {

// exePath: the executable the data root follows from; "" = this program.
// Returns the shown main window; the message loop is the caller's.
TForm1* startWindows(const QStringList& commandLineFiles, const QString& exePath = QString());

} // namespace app
