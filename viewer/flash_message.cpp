// The timed message panel: a short text over the page that Timer1 hides
// again. In command-line mode its end also ends the program.

#include "viewer/main_window.h"

#include "platform/controls.h"
#include "platform/seam.h"
#include "store/log.h"

void TForm1::ShowFlashMessage(const QString& text, int milliseconds)
{
    if (milliseconds > 1499) {
        Pmathu->setCaption(text);
        Pmathub->setVisible(true);
        Pmathu->setVisible(true);
        Pmathu->repaint();
    }
    // A new message runs for its own full duration, also when it is as long
    // as the one before.
    Timer1->setEnabled(false);
    Timer1->setInterval(milliseconds);
    Timer1->setEnabled(true);
}

void TForm1::Timer1Timer()
{
    Timer1->setInterval(0);
    Pmathu->setCaption(QString());
    Pmathu->setVisible(false);
    Pmathub->setVisible(false);
    Timer1->setEnabled(false);
    if (CommandLineMode <= 0)
        return;
    setCaption(QStringLiteral("終"));
    ListBox1.clear();
    ListBox3.clear();
    try {
        close();
    } catch (...) {
        qCWarning(lcPagora) << "closing after the command-line import failed:" << store::log::currentException();
        platform::showMessage(QStringLiteral("error"), platform::MsgType::Error);
    }
}
