#pragma once
// What the program arranges before and right after its application object
// exists: the window system it asks Qt for, the fonts that stand in for the
// Windows fonts the pages and windows name, the splash window, and the
// creation of the main window.

#include <QByteArray>
#include <QString>
#include <QStringList>

class TForm1;
class TForm8;

namespace app {

// The platform plugin to ask for, or "" to leave Qt's choice: under Wayland
// with an X server at hand, "xcb", because window placement and masks need
// X11. An explicit QT_QPA_PLATFORM is always kept.
QByteArray chooseQpaPlatform(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay,
                             const QByteArray& display);
// Applies chooseQpaPlatform to the environment (before QApplication).
void prepareWindowSystem();
// Every variable the program sets (the window system, the media backend),
// set before the application object and the browser engine start threads:
// changing the environment while another thread reads it can crash that
// thread (the engine's graphics thread reads it while it starts).
void prepareEnvironment();
// "ＭＳ ゴシック" and "ＭＳ Ｐゴシック" map to an installed Japanese font.
void installFontSubstitutes();
// Qt's own dialogs (file dialogs, their questions, the print preview) in
// Japanese, where Qt's translations are installed; English otherwise.
void installQtTranslations();

// Shows the splash window and paints it at once.
TForm8* showSplash();
// Creates the main window and binds the editor's and the tools' handlers to
// it; the other windows are made when first used.
// exePath: the executable the data root follows from; "" = this program.
TForm1* createWindows(const QStringList& commandLineFiles, const QString& exePath = QString());

} // namespace app
