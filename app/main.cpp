// The program's entry: the window system, the application object, the
// windows in start-up order, then the message loop until the main window closes.
#include "app/startup_env.h"
#include "app/startup_order.h"

#include <QApplication>

int main(int argc, char** argv)
{
    app::prepareEnvironment();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // the browser views need it
    QApplication application(argc, argv);
    app::startWindows(QCoreApplication::arguments().mid(1));
    const int result = QApplication::exec();
    // The browser views that the close freed go before the browser engine does.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
