#include "tools/forms/form10.h"

#include <QFont>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

platform::SpeedButton* button(platform::Panel* bar, const char* name, const QString& caption,
                              const QString& hint, int left, int width)
{
    auto* b = new platform::SpeedButton(bar, QString::fromLatin1(name));
    b->setCaption(caption);
    b->setHint(hint);
    b->setBounds(left, 6, width, 32);
    return b;
}

} // namespace

TForm10::TForm10(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form10"));
    resize(640, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new platform::Panel(this, QStringLiteral("Panel1"));
    Panel1->setCaption(QStringLiteral("フォルダ名の一覧表"));
    Panel1->setFixedHeight(56);
    Panel1->setCaptionAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1 = new platform::Label(Panel1, QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("フォルダ名\\フォルダ名\\フォルダ名"));
    Label1->setBounds(200, 6, 300, 20);
    Label2 = new platform::Label(Panel1, QStringLiteral("Label2"));
    Label2->setCaption(QStringLiteral("//--- 注釈---"));
    Label2->setBounds(200, 30, 300, 20);
    layout->addWidget(Panel1);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(Memo1, 1);

    Panel2 = new platform::Panel(this, QStringLiteral("Panel2"));
    Panel2->setFixedHeight(44);
    SpeedButton1 = button(Panel2, "SpeedButton1", QStringLiteral("一覧表の上書き保存"),
                          QStringLiteral("_folder.txtの名前で保存"), 8, 150);
    SpeedButton3 = button(Panel2, "SpeedButton3", QStringLiteral("フォルダ作成"),
                          QStringLiteral("一覧表の名前でフォルダを作成"), 166, 120);
    SpeedButton4 = button(Panel2, "SpeedButton4", QStringLiteral("今のフォルダ名の取得"),
                          QStringLiteral("今のフォルダ名を調べて一覧表示する"), 294, 170);
    SpeedButton2 = button(Panel2, "SpeedButton2", QStringLiteral("  閉 じ る"), QStringLiteral("キャンセル"), 472, 110);
    layout->addWidget(Panel2);

    // A speed button's click is the left button only here: none has a right-button action.
    const auto left = [](platform::SpeedButton* b, auto action) {
        b->onClick = [b, action] {
            if (!b->rightPressed())
                action();
        };
    };
    left(SpeedButton1, [this] { SpeedButton1Click(); });
    left(SpeedButton2, [this] { SpeedButton2Click(); });
    left(SpeedButton3, [this] { SpeedButton3Click(); });
    left(SpeedButton4, [this] { SpeedButton4Click(); });
}

QString TForm10::memoText() const
{
    return Memo1->toPlainText();
}

void TForm10::setMemoText(const QString& text)
{
    Memo1->setPlainText(text);
}
