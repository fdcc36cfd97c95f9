#include "app/startup_order.h"

#include "app/startup_env.h"
#include "viewer/forms/form8.h"
#include "viewer/main_window.h"

#include <QApplication>

namespace app {

TForm1* startWindows(const QStringList& commandLineFiles, const QString& exePath)
{
    installFontSubstitutes();
    installQtTranslations();
    TForm8* splash = showSplash();
    QCoreApplication::setApplicationName(QStringLiteral("Pagora"));
    TForm1* main = createWindows(commandLineFiles, exePath);
    delete splash;
    QApplication::setQuitOnLastWindowClosed(true);
    main->show();
    return main;
}

} // namespace app
