#include "tools/forms/form3.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>

TForm3::TForm3(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("ファイルツール"));
    setSizeGripEnabled(true);
    createComponents();
    resize(564, 203);
    placeComponents();
}

TForm3::~TForm3()
{
    if (Form3 == this)
        Form3 = nullptr;
}

void TForm3::createComponents()
{
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setUniformItemSizes(true);

    BitBtn1 = new platform::BitBtn(this, QStringLiteral("BitBtn1"));
    BitBtn1->setCaption(QStringLiteral("ファイルの削除"));
    BitBtn1->setHint(QStringLiteral("ゴミ箱へ捨てる"));
    BitBtn1->setFontColor(Qt::red);
    BitBtn1->onClick = [this] { BitBtn1Click(); };

    BitBtn3 = new platform::BitBtn(this, QStringLiteral("BitBtn3"));
    BitBtn3->setCaption(QStringLiteral("書庫へコピー"));
    BitBtn3->setHint(QStringLiteral("フォルダPACKへコピー"));
    BitBtn3->setFontColor(Qt::blue);
    BitBtn3->setVisible(false);

    BitBtn2 = new platform::BitBtn(this, QStringLiteral("BitBtn2"));
    BitBtn2->setCaption(QStringLiteral("閉じる"));
    BitBtn2->setHint(QStringLiteral("片付けを止めて戻る"));
    BitBtn2->onClick = [this] { BitBtn2Click(); };

    BitBtn4 = new platform::BitBtn(this, QStringLiteral("BitBtn4"));
    BitBtn4->setCaption(QStringLiteral("画像ファイル名変換"));
    BitBtn4->setHint(QStringLiteral("連番で変換"));
    BitBtn4->setFontColor(Qt::red);
    BitBtn4->onClick = [this] { BitBtn4Click(); };

    Edit1 = new QLineEdit(QStringLiteral("pic"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("変換後のファイル名"));

    for (platform::BitBtn* b : {BitBtn1, BitBtn3, BitBtn2, BitBtn4})
        b->setShowHint(true);
}

// The list fills the window above one row of buttons.
void TForm3::placeComponents()
{
    const int rowHeight = 30;
    const int w = width();
    const int h = height();
    const int top = qMax(0, h - rowHeight - 4);
    ListBox1->setGeometry(0, 0, w, top);
    BitBtn1->setBounds(4, top + 2, 140, rowHeight);
    BitBtn3->setBounds(4, top + 2, 140, rowHeight);
    BitBtn4->setBounds(150, top + 2, 160, rowHeight);
    Edit1->setGeometry(316, top + 4, 110, rowHeight - 4);
    BitBtn2->setBounds(qMax(432, w - 124), top + 2, 120, rowHeight);
}

void TForm3::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    placeComponents();
}

void TForm3::setEntries(const QStringList& files, const QStringList& notPreselected)
{
    ListBox1->clear();
    ListBox1->addItems(files);
    notPreselected_ = notPreselected;
}

QStringList TForm3::entries() const
{
    QStringList list;
    for (int i = 0; i < ListBox1->count(); ++i)
        list.append(ListBox1->item(i)->text());
    return list;
}

QStringList TForm3::selectedEntries() const
{
    QStringList list;
    for (int i = 0; i < ListBox1->count(); ++i) {
        if (ListBox1->item(i)->isSelected())
            list.append(ListBox1->item(i)->text());
    }
    return list;
}

void TForm3::clearEntries()
{
    ListBox1->clear();
    notPreselected_.clear();
}

void TForm3::done(int result)
{
    QDialog::done(result);
    clearEntries();
}
