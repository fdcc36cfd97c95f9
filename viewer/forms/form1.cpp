// The main window's component tree: every component with its given name,
// place, size at rest, captions and hints, and the bindings of the events
// whose handlers the window has.
#include "viewer/forms/form1.h"
#include "viewer/main_window.h"

#include "platform/browser.h"

#include <QFont>
#include <cmath>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

using platform::Align;

namespace {

const QColor kCream(255, 251, 226);
const QColor kBarColour(224, 232, 240);

// The small pictures of the window: patrol glyphs, back, forward, refresh
// and the two default page-button icons, drawn here so the program carries
// no picture files of its own.
QPixmap drawnPicture(const QString& kind, int w, int h)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(2, 2, w - 4, h - 4);
    auto dot = [&](const QColor& c) {
        p.setPen(QPen(c.darker(150), 1));
        p.setBrush(c);
        p.drawEllipse(r);
    };
    if (kind == QLatin1String("off"))
        dot(QColor(200, 60, 50));
    else if (kind == QLatin1String("on"))
        dot(QColor(40, 170, 70));
    else if (kind == QLatin1String("editing"))
        dot(QColor(240, 170, 20));
    else if (kind == QLatin1String("patrolling"))
        dot(QColor(40, 120, 220));
    else if (kind == QLatin1String("back") || kind == QLatin1String("forward")) {
        const bool back = kind == QLatin1String("back");
        QPolygonF tri;
        tri << QPointF(back ? r.right() : r.left(), r.top()) << QPointF(back ? r.left() : r.right(), r.center().y())
            << QPointF(back ? r.right() : r.left(), r.bottom());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 110, 170));
        p.drawPolygon(tri);
    } else if (kind == QLatin1String("refresh")) {
        p.setPen(QPen(QColor(30, 140, 90), 2.5));
        p.drawArc(r.adjusted(2, 2, -2, -2), 60 * 16, 280 * 16);
        p.setBrush(QColor(30, 140, 90));
        p.drawPolygon(QPolygonF() << QPointF(r.right() - 1, r.top()) << QPointF(r.right() - 1, r.top() + 7)
                                  << QPointF(r.right() - 8, r.top() + 4));
    } else if (kind == QLatin1String("page")) {
        p.setPen(QPen(Qt::darkGray, 1));
        p.setBrush(Qt::white);
        p.drawRect(r.adjusted(2, 0, -2, 0));
        p.drawLine(QPointF(r.left() + 5, r.top() + 5), QPointF(r.right() - 5, r.top() + 5));
        p.drawLine(QPointF(r.left() + 5, r.top() + 9), QPointF(r.right() - 5, r.top() + 9));
    } else if (kind == QLatin1String("star")) {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double a = 3.14159265 / 5 * i - 3.14159265 / 2;
            const double rad = (i % 2 ? 0.4 : 1.0) * r.width() / 2;
            const QPointF pt(r.center().x() + rad * std::cos(a), r.center().y() + rad * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 180, 20));
        p.drawPath(star);
    }
    return pm;
}

platform::Panel* panel(QWidget* parent, const char* name, Align align, int w, int h)
{
    auto* p = new platform::Panel(parent, QString::fromLatin1(name));
    p->setBounds(0, 0, w, h);
    p->setAlign(align);
    return p;
}

platform::SpeedButton* speedButton(QWidget* parent, const char* name, const QString& caption,
                                   const QString& hint, int left, int width, int height)
{
    auto* b = new platform::SpeedButton(parent, QString::fromLatin1(name));
    b->setCaption(caption);
    b->setHint(hint);
    b->setFlat(true);
    b->setBounds(left, 0, width, height);
    return b;
}

platform::Image* image(QWidget* parent, const char* name, const QString& hint, const QPixmap& picture)
{
    auto* im = new platform::Image(parent, QString::fromLatin1(name));
    im->setHint(hint);
    im->setPicture(picture);
    im->setBounds(0, 0, picture.width(), picture.height());
    return im;
}

} // namespace

void TForm1::createComponents()
{
    setObjectName(QStringLiteral("Form1"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    resize(form1::kBaseWidth, form1::kBaseHeight);

    kabeBASE = panel(this, "kabeBASE", Align::None, form1::kBaseWidth, form1::kBaseHeight);

    createBottomBar();
    createFolderPane();
    createButtonColumn();
    createPageArea();
    createHiddenComponents();
    createMenus();
}

// The bottom bar spans the whole width below the panes.
void TForm1::createBottomBar()
{
    kabedown = panel(kabeBASE, "kabedown", Align::Bottom, form1::kBaseWidth, form1::kBottomBarHeight);
    kabedown->setColor(kBarColour);
    kabedown->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 8));
    const int bh = form1::kBottomBarHeight - 2;
    // Left to right at rest; the layout handlers place them again.
    const struct { platform::SpeedButton** button; const char* name; const char* caption; const char* hint; int left, width; }
        bottomButtons[] = {
            {&SpeedButton11, "SpeedButton11", "ファイル", "[ファイル] 終了、ページの新規作成・・・", 2, 52},
            {&SpeedButton2, "SpeedButton2", "フォルダ", "フォルダ", 58, 52},
            {&SpeedButton9, "SpeedButton9", "閉じる", "閉じる", 58, 52},
            {&SpeedButton13, "SpeedButton13", "コピー", "コピー", 145, 44},
            {&SpeedButton5, "SpeedButton5", "コピー", "コピー", 204, 44},
            {&SpeedButton14, "SpeedButton14", "【　】を開く", "【　】を開く", 263, 72},
            {&SpeedButton3, "SpeedButton3", "プログラミング", "プログラミング", 350, 84},
            {&SpeedButton4, "SpeedButton4", "", "左：機密　/　右：プレゼンモード", 449, 24},
            {&SpeedButton20, "SpeedButton20", "撮る", "画面を画像で保存＆クリップボードへ", 0, 36},
            {&SpeedButton19, "SpeedButton19", "描く", "左：画面に描く　/右：前回描いた画面へ", 0, 36},
            {&SpeedButton8, "SpeedButton8", "終わる", "左：画面を残してページに戻る／右：画面を消して戻る", 0, 36},
            {&SpeedButton22, "SpeedButton22", "線の色", "線色の変更", 0, 40},
            {&SpeedButton10, "SpeedButton10", "ボタン", "ボタン", 0, 70},
            {&SpeedButton6, "SpeedButton6", "ボタンを閉じる", "ボタンを閉じる", 0, 70},
            {&SpeedButton7, "SpeedButton7", "", "このページのメモ", 0, 16}};
    for (const auto& b : bottomButtons)
        *b.button = speedButton(kabedown, b.name, QString::fromUtf8(b.caption), QString::fromUtf8(b.hint), b.left,
                                b.width, bh);
    Image6 = image(kabedown, "Image6", QStringLiteral("戻る"), drawnPicture(QStringLiteral("back"), 22, 22));
    Panel8 = panel(kabedown, "Panel8", Align::None, 140, bh);
    Panel7 = panel(kabedown, "Panel7", Align::None, 60, bh);
    Panel7->setCaption(QStringLiteral("0 / 0"));
    Image7 = image(kabedown, "Image7", QStringLiteral("進む"), drawnPicture(QStringLiteral("forward"), 22, 22));
    Image10 = image(kabedown, "Image10", QStringLiteral("ブラウザのリフレッシュ"), drawnPicture(QStringLiteral("refresh"), 22, 22));
    SpeedButton7->setGlyph(drawnPicture(QStringLiteral("page"), 16, 16));
    // The column toggle sits in the last 90 pixels of the bar together with the memo button.
    for (platform::SpeedButton* b : {SpeedButton6, SpeedButton10})
        b->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 7));
    SpeedButton8->setVisible(false);
    SpeedButton22->setVisible(false);
    SpeedButton9->setVisible(false);
    SpeedButton10->setVisible(false);
}

// The folder pane, closed at rest.
void TForm1::createFolderPane()
{
    hyoushi = panel(kabeBASE, "hyoushi", Align::Left, 0, form1::kBaseHeight);
    hyoushiup = panel(hyoushi, "hyoushiup", Align::Client, form1::kFolderPaneWidth, form1::kBaseHeight);
    Panel5 = panel(hyoushiup, "Panel5", Align::Top, form1::kFolderPaneWidth, form1::kFolderButtonsHeight);
    SpeedButton17 = speedButton(Panel5, "SpeedButton17", QStringLiteral("日報"), QStringLiteral("[日報]に戻る"), 2, 60, 31);
    SpeedButton21 = speedButton(Panel5, "SpeedButton21", QStringLiteral("開く"), QString(), 66, 60, 31);
    SpeedButton1 = speedButton(Panel5, "SpeedButton1", QStringLiteral("コピー"), QString(), 130, 60, 31);
    Panel6 = panel(hyoushiup, "Panel6", Align::Client, form1::kFolderPaneWidth, 100);
    DirectoryListBox1 = new platform::DirectoryListBox(Panel6, QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setAlign(Align::Client);
}

// The page-button column, open at rest.
void TForm1::createButtonColumn()
{
    kabeRight = panel(kabeBASE, "kabeRight", Align::Right, form1::kColumnWidth, form1::kBaseHeight);
    Panel3 = panel(kabeRight, "Panel3", Align::Top, form1::kColumnWidth, form1::kColumnButtonsHeight);
    SpeedButton18 = speedButton(Panel3, "SpeedButton18", QStringLiteral("編集"), QStringLiteral("編集メニュー"), 2, 48, 34);
    SpeedButton15 = speedButton(Panel3, "SpeedButton15", QStringLiteral("ページ"), QStringLiteral("ページの編集"), 52, 48, 34);
    SpeedButton16 = speedButton(Panel3, "SpeedButton16", QStringLiteral("投稿"), QStringLiteral("このページに投稿"), 102, 40, 34);
    SpeedButton12 = speedButton(Panel3, "SpeedButton12", QStringLiteral("巡回中止"), QStringLiteral("公開ファイルのチェック"), 144, 74, 34);
    SpeedButton12->setLayout(platform::GlyphLayout::Right);
    SpeedButton16->setEnabled(false);
    ScrollBox1 = new platform::ScrollBox(kabeRight, QStringLiteral("ScrollBox1"));
    ScrollBox1->setAlign(Align::Client);
}

// The page area: browsers, message panel, picture viewer, open-externally panel.
void TForm1::createPageArea()
{
    kabe = panel(kabeBASE, "kabe", Align::Client, 790, 725);
    kabe->setColor(Qt::white);
    kabeBrowser = panel(kabe, "kabeBrowser", Align::Client, 790, 725);
    Image1 = new platform::Image(kabe, QStringLiteral("Image1"));
    Image1->setVisible(false);
    WebBrowser1 = platform::createBrowser(kabeBrowser);
    kabeKR = panel(kabeBrowser, "kabeKR", Align::None, 790, 0);
    Panel9 = panel(kabeKR, "Panel9", Align::None, 782, 0);
    WebBrowser2 = platform::createBrowser(Panel9);
    WebBrowser3 = platform::createBrowser(kabeBrowser);
    BitBtn1 = new platform::BitBtn(kabeBrowser, QStringLiteral("BitBtn1"));
    BitBtn1->setCaption(QStringLiteral("録音再生"));
    BitBtn1->setBounds(0, 4, 80, 26);
    BitBtn1->setVisible(false);
    Pmathub = panel(kabeBrowser, "Pmathub", Align::None, 520, 64);
    Pmathub->setBounds(40, 40, 520, 64);
    Pmathub->setColor(QColor(30, 110, 170));
    Pmathu = panel(Pmathub, "Pmathu", Align::Client, 516, 60);
    Pmathu->setColor(QColor(255, 255, 240));
    Pmathu->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 16));
    Label2 = new platform::Label(Pmathub, QStringLiteral("Label2"));
    Label2->setCaption(QStringLiteral("Now loading・・・"));
    Label2->setVisible(false);
    Pmathub->setVisible(false);
    Pmathu->setVisible(false);

    // Picture viewer and open-externally panel lie over the browser.
    Panel10 = panel(kabe, "Panel10", Align::Client, 790, 725);
    Panel10->setVisible(false);
    ScrollBox2 = new platform::ScrollBox(Panel10, QStringLiteral("ScrollBox2"));
    ScrollBox2->setAlign(Align::Client);
    Image11 = new platform::Image(ScrollBox2, QStringLiteral("Image11"));
    Image8 = new platform::Image(Panel10, QStringLiteral("Image8"));
    Image8->setVisible(false);
    Image8->setAutoSize(true);
    Image9 = new platform::Image(Panel10, QStringLiteral("Image9"));
    Image9->setVisible(false);

    Panel1 = panel(kabe, "Panel1", Align::Client, 790, 725);
    Panel1->setColor(kCream);
    Panel1->setVisible(false);
    Label1 = new platform::Label(Panel1, QStringLiteral("Label1"));
    Label1->setVisible(false);
    const struct { platform::Label** label; const char* name; int top; int size; } infoLabels[] = {
        {&Label3, "Label3", 60, 16}, {&Label4, "Label4", 110, 11}, {&Label7, "Label7", 135, 11},
        {&Label5, "Label5", 170, 14}, {&Label6, "Label6", 220, 12}, {&Label8, "Label8", 250, 12}};
    for (const auto& l : infoLabels) {
        *l.label = new platform::Label(Panel1, QString::fromLatin1(l.name));
        (*l.label)->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), l.size));
        (*l.label)->setBounds(40, l.top, 700, 28);
    }
}

// The presentation cover, glyph pictures, file lists and timers.
void TForm1::createHiddenComponents()
{
    Panel4 = panel(this, "Panel4", Align::None, form1::kBaseWidth, form1::kBaseHeight);
    Panel4->setColor(Qt::black);
    Panel4->setVisible(false);

    // Glyph pictures and default icons.
    const struct { platform::Image** img; const char* name; const char* kind; } glyphs[] = {
        {&Image12, "Image12", "off"}, {&Image14, "Image14", "on"},
        {&Image15, "Image15", "editing"}, {&Image16, "Image16", "patrolling"}};
    for (const auto& g : glyphs) {
        *g.img = image(this, g.name, QString(), drawnPicture(QString::fromLatin1(g.kind), 16, 16));
        (*g.img)->setVisible(false);
    }
    ImageList1 = {drawnPicture(QStringLiteral("star"), 16, 16), drawnPicture(QStringLiteral("page"), 16, 16)};

    // Data-only components.
    FileListBox1 = new platform::FileListBox(this, QStringLiteral("FileListBox1"));
    FileListBox2 = new platform::FileListBox(this, QStringLiteral("FileListBox2"));
    FileListBox3 = new platform::FileListBox(this, QStringLiteral("FileListBox3"));
    FileListBox4 = new platform::FileListBox(this, QStringLiteral("FileListBox4"));
    FileListBox6 = new platform::FileListBox(this, QStringLiteral("FileListBox6"));
    FileListBox6->setMask(QStringLiteral("*.html"));
    FileListBox7 = new platform::FileListBox(this, QStringLiteral("FileListBox7"));
    FileListBox7->setMask(QStringLiteral("*.htm*"));

    Timer1 = new platform::Timer(this, QStringLiteral("Timer1"));
    Timer2 = new platform::Timer(this, QStringLiteral("Timer2"));
    Timer3 = new platform::Timer(this, QStringLiteral("Timer3"));
    Timer4 = new platform::Timer(this, QStringLiteral("Timer4"));
    Timer5 = new platform::Timer(this, QStringLiteral("Timer5"));
    Timer6 = new platform::Timer(this, QStringLiteral("Timer6"));
    // Nothing ticks before the first showing decides what runs.
    for (platform::Timer* t : {Timer1, Timer2, Timer3, Timer4, Timer5, Timer6})
        t->setEnabled(false);
    Timer5->setInterval(1000);
    Timer6->setInterval(1000);
}

// The File menu and the page menu.
void TForm1::createMenus()
{
    PopupMenu2 = new platform::PopupMenu(this, QStringLiteral("PopupMenu2"));
    Pagora1 = PopupMenu2->add(QStringLiteral("Pagora1"), QStringLiteral("【使い方】"));
    N4 = PopupMenu2->add(QStringLiteral("N4"), QStringLiteral("プレゼンテーションモード"));
    Find1 = PopupMenu2->add(QStringLiteral("Find1"), QStringLiteral("検索"));
    N1 = PopupMenu2->add(QStringLiteral("N1"), QStringLiteral("今のフォルダ"));
    N3 = PopupMenu2->add(QStringLiteral("N3"), QStringLiteral("フォルダの作成"));
    Paste2 = PopupMenu2->add(QStringLiteral("Paste2"), QStringLiteral("文書を選んで保存"));
    N2 = PopupMenu2->add(QStringLiteral("N2"), QStringLiteral("新規ページ作成"));
    N8 = N2->add(QStringLiteral("N8"), QStringLiteral("上に作成"));
    N9 = N2->add(QStringLiteral("N9"), QStringLiteral("下に作成"));
    PopupMenu2->addSeparator(QStringLiteral("N5"));
    Exit1 = PopupMenu2->add(QStringLiteral("Exit1"), QStringLiteral("終了"));
    PageMenu = new platform::PopupMenu(this, QStringLiteral("PageMenu"));

    PopupMenu1 = new platform::PopupMenu(this, QStringLiteral("PopupMenu1"));
    N18 = PopupMenu1->add(QStringLiteral("N18"), QStringLiteral("ビュアで表示"));
    PopupMenu1->addSeparator(QStringLiteral("N20"));
    N10 = PopupMenu1->add(QStringLiteral("N10"), QStringLiteral("赤ペン"));
    N11 = PopupMenu1->add(QStringLiteral("N11"), QStringLiteral("青ペン"));
    N12 = PopupMenu1->add(QStringLiteral("N12"), QStringLiteral("黄ペン"));
    N13 = PopupMenu1->add(QStringLiteral("N13"), QStringLiteral("白ペン"));
    N14 = PopupMenu1->add(QStringLiteral("N14"), QStringLiteral("黒ペン"));
    PopupMenu1->addSeparator(QStringLiteral("N21"));
    N16 = PopupMenu1->add(QStringLiteral("N16"), QStringLiteral("太いペン"));
    N17 = PopupMenu1->add(QStringLiteral("N17"), QStringLiteral("標準のペン"));
    PopupMenu1->addSeparator(QStringLiteral("N22"));
    N19 = PopupMenu1->add(QStringLiteral("N19"), QStringLiteral("赤い部分だけ消去"));
    N15 = PopupMenu1->add(QStringLiteral("N15"), QStringLiteral("このページを画像で保存"));
}

void TForm1::bindEvents()
{
    kabeBASE->onResize = [this] { kabeRightResize(); kabedownResize(); };
    hyoushi->onResize = [this] { hyoushiResize(); };
    kabe->onResize = [this] { kabeResize(); };
    kabeRight->onResize = [this] { kabeRightResize(); };
    kabedown->onResize = [this] { kabedownResize(); };
    SpeedButton2->onClick = [this] { Panel11MouseEnter(); };
    SpeedButton9->onClick = [this] { Panel11MouseEnter(); };
    SpeedButton10->onClick = [this] { Panel12MouseEnter(); };
    SpeedButton6->onClick = [this] { Panel12MouseEnter(); };
    SpeedButton11->onClick = [this] { SpeedButton11Click(); };
    Image10->onClick = [this] { Image10Click(); };
    auto rightFlag = [this](const platform::MouseArgs& a) { Panel1MouseDown(a.rightHeld); };
    Panel1->onMouseDown = rightFlag;
    for (platform::Label* l : {Label1, Label3, Label4, Label5, Label6, Label7, Label8})
        l->onMouseDown = rightFlag;
    SpeedButton7->onMouseDown = rightFlag;
    Exit1->onClick = [this] { Exit1Click(); };
    bindPageEvents();
}
