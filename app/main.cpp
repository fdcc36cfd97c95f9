// The program's entry: the window system and fonts, the splash window while
// the windows are created, then the message loop until the main window closes.
#include "app/startup_env.h"
#include "forms/form8.h"
#include "viewer/main_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    app::prepareWindowSystem();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // the browser views need it
    QApplication application(argc, argv);
    app::installFontSubstitutes();
    TForm8* splash = app::showSplash();
    QCoreApplication::setApplicationName(QStringLiteral("Pagora"));
    TForm1* main = app::createWindows(QCoreApplication::arguments().mid(1));
    delete splash;
    application.setQuitOnLastWindowClosed(true);
    main->show();
    const int result = QApplication::exec();
    return result;
}
