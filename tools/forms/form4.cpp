// The search window's component tree: the bar with the search words and
// the buttons, the progress panel over its left, the preview with its file
// panel, and the result list on the right.
#include "tools/forms/form4.h"

#include "platform/browser.h"

#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QVBoxLayout>

using platform::Align;

TForm4::TForm4(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form4"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    createComponents();
}

TForm4::~TForm4()
{
    detachDisplays();
    if (Form4 == this)
        Form4 = nullptr;
    releasePreview();
}

void TForm4::createBar()
{
    Pup = new platform::Panel(this, QStringLiteral("Pup"));
    Pup->setFixedHeight(32);
    auto button = [this](const QString& name, const QString& caption, const QString& hint) {
        auto* b = new platform::BitBtn(Pup, name);
        b->setCaption(caption);
        b->setHint(hint);
        b->setBounds(0, 3, 84, 26);
        return b;
    };
    BitBtn5 = button(QStringLiteral("BitBtn5"), QStringLiteral("全部"), QString());
    BitBtn5->setWidth(56);
    Edit1 = new QLineEdit(Pup);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("半角 / でOR検索"));
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("全文検索"), QStringLiteral("ページのテキストを検索"));
    BitBtn4 = button(QStringLiteral("BitBtn4"), QStringLiteral("１つ前"), QStringLiteral("検索結果を取り消す"));
    Label1 = new platform::Label(Pup, QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("一覧"), QStringLiteral("検索結果一覧からタブを作る"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("戻る"), QStringLiteral("閉じる"));

    Panel11 = new platform::Panel(Pup, QStringLiteral("Panel11"));
    Panel11->setColor(QColor(255, 251, 226));
    Panel11->setBevelOuter(platform::Bevel::Raised);
    Panel11->setVisible(false);
    Label2 = new platform::Label(Panel11, QStringLiteral("Label2"));
    Label2->setVisible(false);
}

void TForm4::createComponents()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createBar();
    layout->addWidget(Pup);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Panel8 = new platform::Panel(Splitter1, QStringLiteral("Panel8"));
    Panel8->setColor(Qt::white);
    Panel4 = new platform::Panel(Splitter1, QStringLiteral("Panel4"));
    Splitter1->addWidget(Panel8);
    Splitter1->addWidget(Panel4);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setSizes({600, 120});
    layout->addWidget(Splitter1, 1);

    ShownTitles = new QListWidget(Panel4);
    ShownTitles->setObjectName(QStringLiteral("ShownTitles"));
    ShownTitles->setToolTip(QStringLiteral("検索結果"));
    ShownTitles->setCursor(Qt::PointingHandCursor);
    auto* listLayout = new QVBoxLayout(Panel4);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(ShownTitles);

    Panel3 = new platform::Panel(Panel8, QStringLiteral("Panel3"));
    Panel3->setColor(QColor(240, 240, 240));
    Panel3->setVisible(false);
    SpeedButton3 = new platform::SpeedButton(Panel3, QStringLiteral("SpeedButton3"));
    SpeedButton3->setCaption(QStringLiteral("起動"));
    SpeedButton3->setHint(QStringLiteral("登録された環境で起動する"));
    SpeedButton3->setBounds(0, 0, 90, 28);
    SpeedButton4 = new platform::SpeedButton(Panel3, QStringLiteral("SpeedButton4"));
    SpeedButton4->setCaption(QStringLiteral("コピー"));
    SpeedButton4->setHint(QStringLiteral("このファイルをコピー"));
    SpeedButton4->setBounds(0, 0, 90, 28);

    BitBtn5->onClick = [this] { BitBtn5Click(); };
    BitBtn1->onClick = [this] { BitBtn1Click(); };
    BitBtn4->onClick = [this] { BitBtn4Click(); };
    BitBtn2->onClick = [this] { BitBtn2Click(); };
    BitBtn3->onClick = [this] { BitBtn3Click(); };
    SpeedButton3->onClick = [this] { SpeedButton3Click(); };
    SpeedButton4->onClick = [this] { SpeedButton4Click(); };
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { BitBtn1Click(); });
    connect(ShownTitles, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox2Click(ShownTitles->row(item)); });
}

// The bar's controls from the left; the count and the two closing buttons
// keep to the right edge.
void TForm4::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    const int w = width();
    BitBtn5->setLeft(4);
    Edit1->setGeometry(64, 4, qMax(120, w / 3), 24);
    BitBtn1->setLeft(Edit1->geometry().right() + 6);
    BitBtn4->setLeft(BitBtn1->left() + BitBtn1->width() + 4);
    BitBtn3->setLeft(w - BitBtn3->width() - 4);
    BitBtn2->setLeft(BitBtn3->left() - BitBtn2->width() - 4);
    Label1->setBounds(BitBtn4->left() + BitBtn4->width() + 4, 8, qMax(0, BitBtn2->left() - BitBtn4->left() - BitBtn4->width() - 12), 18);
    Panel11->setBounds(0, 0, qMax(200, w / 2), Pup->height());
    placeFilePanel();
}
