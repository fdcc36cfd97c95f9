// How the page editor window opens and closes: the show event prepares the
// page, and every way out (buttons, Escape, the close box) runs FormClose.
#include "editor/forms/form2.h"

#include <QCloseEvent>
#include <QFileInfo>

QString TForm2::currentFolder() const
{
    if (!page.PageFolder.isEmpty())
        return page.PageFolder;
    const QString path = pagePath();
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

void TForm2::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
}

void TForm2::closeEvent(QCloseEvent* e)
{
    QDialog::closeEvent(e);
}

void TForm2::reject()
{
    QDialog::reject();
}

void TForm2::done(int result)
{
    QDialog::done(result);
}

void TForm2::bindHandlers() {}
