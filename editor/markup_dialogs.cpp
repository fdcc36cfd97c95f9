// What the ruby dialog (TForm13) and the link dialog (TForm15) do.
#include "editor/forms/form13.h"
#include "editor/forms/form15.h"
#include "editor/picture_files.h"
#include "platform/seam.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

void TForm13::clearFields()
{
    Label1->setCaption(QString());
    Edit1->clear();
}

QString TForm13::askReading(const QString& base)
{
    clearFields();
    Label1->setCaption(base);
    Edit1->setFocus();
    // Whatever was typed counts only through OK (or Enter).
    if (platform::execModal(this) != QDialog::Accepted)
        Edit1->clear();
    return Edit1->text();
}

void TForm13::SpeedButton1Click()
{
    accept();
}

void TForm13::SpeedButton2Click()
{
    Edit1->clear();
    reject();
}

QString TForm15::askTarget()
{
    // The target confirmed last time stays in Edit1 to be offered again,
    // but a dialog left without OK inserts nothing.
    caption_.clear();
    Edit1->setFocus();
    Edit1->selectAll();
    caption_ = platform::execModal(this) == QDialog::Accepted ? Edit1->text() : QString();
    return caption_;
}

void TForm15::BitBtn1Click()
{
    caption_ = Edit1->text();
}

void TForm15::BitBtn2Click()
{
    caption_.clear();
}

void TForm15::SpeedButton1Click()
{
    const QFileInfo current(Edit1->text());
    const QString folder = current.isAbsolute() && current.dir().exists() ? current.absolutePath() : QString();
    const QString chosen = platform::openFileName(QStringLiteral("リンク先の参照"), folder, editor::linkDialogFilter());
    if (!chosen.isEmpty())
        Edit1->setText(chosen);
}
