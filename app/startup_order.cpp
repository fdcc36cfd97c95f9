#include "app/startup_order.h"

#include "app/startup_env.h"
#include "platform/seam.h"
#include "tools/rename_run.h"
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
    // A renaming cut off by a kill or a power cut is put right before any
    // page of the data root shows.
    const QStringList unmended = tools::finishInterruptedRenames(main->RootFolder);
    if (!unmended.isEmpty())
        platform::showMessage(unmended.join(QLatin1Char('\n')), platform::MsgType::Warning);
    // The first showing's work (the data root, its first page asked of the
    // engine) is done before the window is put on screen, as inside its show
    // event; done first, the engine loads the page while the window system
    // maps the window and readies its drawing.
    main->firstShow();
    main->show();
    return main;
}

} // namespace app
