#include "tools/forms/form9.h"

#include <QFileInfo>

TForm9::TForm9(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form9"));
    setFixedSize(360, 420);
    DirectoryListBox1 = new platform::DirectoryListBox(this, QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setBounds(10, 10, 340, 340);
    BitBtn1 = new platform::BitBtn(this, QStringLiteral("BitBtn1"));
    BitBtn1->setCaption(QStringLiteral("OK"));
    BitBtn1->setBounds(60, 366, 110, 36);
    BitBtn1->setModalResult(platform::mrOk);
    BitBtn2 = new platform::BitBtn(this, QStringLiteral("BitBtn2"));
    BitBtn2->setCaption(QStringLiteral("キャンセル"));
    BitBtn2->setBounds(190, 366, 110, 36);
    BitBtn2->setModalResult(platform::mrCancel);
    DirectoryListBox1->onChange = [this] { DirectoryListBox1Change(); };
    BitBtn1->onClick = [this] { BitBtn1Click(); };
}

void TForm9::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormShow();
}

void TForm9::FormShow()
{
    QString start = windowTitle();
    while (start.size() > 1 && start.endsWith(QLatin1Char('/')))
        start.chop(1);
    top_ = QFileInfo(start).isDir() ? start : QString();
    if (!top_.isEmpty())
        DirectoryListBox1->setDirectory(top_);
}

void TForm9::DirectoryListBox1Change()
{
    const QString now = DirectoryListBox1->directory();
    if (top_.isEmpty() || top_ == QLatin1String("/") || now == top_ || now.startsWith(top_ + QLatin1Char('/')))
        return;
    DirectoryListBox1->setDirectory(top_);
}

void TForm9::BitBtn1Click()
{
    const QString chosen = DirectoryListBox1->directory();
    setWindowTitle(chosen.endsWith(QLatin1Char('/')) ? chosen : chosen + QLatin1Char('/'));
}
