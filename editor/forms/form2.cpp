#include "editor/forms/form2.h"

#include "editor/markup_buttons.h"

#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScrollBar>

namespace {

QFont pixelFont(const QString& family, int px)
{
    QFont f(family);
    f.setPixelSize(px);
    return f;
}

platform::Panel* panel(QWidget* parent, const char* name, platform::Align align, int width, int height)
{
    auto* p = new platform::Panel(parent, QString::fromLatin1(name));
    p->setBounds(0, 0, width, height);
    p->setAlign(align);
    return p;
}

platform::Panel* group(QWidget* parent, const char* name, int top, int height)
{
    auto* g = new platform::Panel(parent, QString::fromLatin1(name));
    g->setBevelOuter(platform::Bevel::Lowered);
    g->setBounds(2, top, 108, height);
    return g;
}

platform::SpeedButton* speed(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                             int left, int top, int width, int height)
{
    auto* b = new platform::SpeedButton(parent, QString::fromLatin1(name));
    b->setCaption(caption);
    b->setHint(hint);
    b->setShowHint(true);
    b->setFlat(true);
    b->setBounds(left, top, width, height);
    return b;
}

platform::Label* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width)
{
    auto* l = new platform::Label(parent, QString::fromLatin1(name));
    l->setCaption(caption);
    l->setBounds(left, top, width, 16);
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, const QString& hint, const QRect& r)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setToolTip(hint);
    e->setGeometry(r);
    return e;
}

editor::EditorMemo* memo(QWidget* parent, const QString& name, const QString& hint)
{
    auto* m = new editor::EditorMemo(parent, name);
    m->setToolTip(hint);
    return m;
}

platform::BitBtn* bitBtn(QWidget* parent, const char* name, const QString& caption, const QString& hint, int top,
                         int modalResult)
{
    auto* b = new platform::BitBtn(parent, QString::fromLatin1(name));
    b->setCaption(caption);
    b->setHint(hint);
    b->setShowHint(true);
    b->setBounds(4, top, 104, 28);
    b->setModalResult(modalResult);
    return b;
}

// A caption wider than its control is drawn in a smaller font, never over
// a neighbour.
template <class C>
void fitCaption(C* c)
{
    const QString text = c->caption();
    if (text.isEmpty())
        return;
    QFont f = c->font();
    int px = f.pixelSize() > 0 ? f.pixelSize() : 12;
    while (px > 8 && QFontMetrics(f).horizontalAdvance(text) > c->width() - 4) {
        f.setPixelSize(--px);
    }
    if (f != c->font())
        c->setFont(f);
}

} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    // The caption carries the page's path; it stays empty until a page is handed over.
    setWindowTitle(QString());
    setFont(pixelFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    setModal(true);
    resize(926, 715);
    platform::enableAlign(this);
    createComponents();
    // Buttons fit their captions as they paint; labels are fitted once here.
    for (platform::Label* l : findChildren<platform::Label*>()) {
        if (!l->wordWrap())
            fitCaption(l);
    }
    bindHandlers();
    editor::bindMarkupButtons(*this);
}

TForm2::~TForm2()
{
    returnNotesWindow();
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::createComponents()
{
    createTopBar();
    Panel8 = panel(this, "Panel8", platform::Align::Right, 112, 691);
    createToolColumn();
    Panel19 = panel(this, "Panel19", platform::Align::Client, 814, 691);
    createPageArea();
}

void TForm2::createTopBar()
{
    Panel1 = panel(this, "Panel1", platform::Align::Top, 926, 24);
    Label1 = label(Panel1, "Label1", QStringLiteral("タイトル"), 4, 5, 44);
    Edit1 = edit(Panel1, "Edit1", QStringLiteral("タイトル2行目が無ければLOOKで検索"), QRect(50, 2, 170, 21));
    Label2 = label(Panel1, "Label2", QStringLiteral("タイトル2行目"), 226, 5, 72);
    Edit5 = edit(Panel1, "Edit5", QStringLiteral("優先してLOOKで検索"), QRect(300, 2, 150, 21));
    Label4 = label(Panel1, "Label4", QStringLiteral("ボタンのヒント"), 456, 5, 72);
    Edit6 = edit(Panel1, "Edit6", QStringLiteral("カーソルが入るとヒントを表示"), QRect(530, 2, 150, 21));
    SpeedButton35 = speed(Panel1, "SpeedButton35", QStringLiteral("A4サイズ"), QString(), 686, 1, 64, 22);
    SpeedButton36 = speed(Panel1, "SpeedButton36", QStringLiteral("B4サイズ"), QString(), 752, 1, 64, 22);
    SpeedButton38 = speed(Panel1, "SpeedButton38", QStringLiteral("Fitサイズ"), QString(), 818, 1, 64, 22);
    for (platform::SpeedButton* b : {SpeedButton35, SpeedButton36, SpeedButton38})
        b->setFlat(false);

    Panel17 = panel(Panel1, "Panel17", platform::Align::None, 600, 24);
    Panel17->setVisible(false);
    Memo82 = memo(Panel17, QStringLiteral("Memo82"), QString());
    Memo82->setFont(pixelFont(QStringLiteral("ＭＳ ゴシック"), 15));
    Memo82->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo82->setAlign(platform::Align::Client);

    Panel18 = panel(Panel1, "Panel18", platform::Align::Right, 26, 24);
    SpeedButton28 = speed(Panel18, "SpeedButton28", QStringLiteral("HTML"), QStringLiteral("ソースの編集"), 1, 1, 24, 22);
    SpeedButton28->setAlign(platform::Align::Client);
}

void TForm2::createPageArea()
{
    Panel5 = panel(Panel19, "Panel5", platform::Align::Client, 814, 691);
    Panel9 = panel(Panel5, "Panel9", platform::Align::Bottom, 814, 26);
    createBottomBar();
    Panel2 = panel(Panel5, "Panel2", platform::Align::Client, 814, 665);

    Panel7 = panel(Panel2, "Panel7", platform::Align::Top, 814, 200);
    Panel11 = panel(Panel7, "Panel11", platform::Align::Top, 814, 110);
    Panel10 = panel(Panel11, "Panel10", platform::Align::Bottom, 814, 4);
    Memo4 = memo(Panel11, QStringLiteral("Memo4"), QStringLiteral("ファイル名に”日報”があると、 [日付] を自動挿入"));
    Memo4->setBounds(0, 0, 814, 59);
    Memo4->setAlign(platform::Align::Top);
    Memo5 = memo(Panel11, QStringLiteral("Memo5"), QStringLiteral("小見出し"));
    Memo5->setAlign(platform::Align::Client);
    Panel12 = panel(Panel7, "Panel12", platform::Align::Client, 814, 90);
    Memo1 = memo(Panel12, QStringLiteral("Memo1"), QStringLiteral("外枠あり"));
    Memo1->setBounds(0, 0, page.PageWidth, 90);
    Memo1->setAlign(platform::Align::Left);

    Panel3 = panel(Panel2, "Panel3", platform::Align::Client, 814, 465);
    Panel6 = panel(Panel3, "Panel6", platform::Align::Left, editor::kSideFrameWidth, 465);
    Panel6->setVisible(false);
    PanelImage1 = new platform::Panel(Panel6, QStringLiteral("PanelImage1"));
    PanelImage1->setBounds(0, 0, editor::kSideFrameWidth, editor::kSideFrameHeight);
    PanelImage1->setColor(QColor(192, 192, 192));
    PanelImage1->setCaption(QStringLiteral("Image"));
    Image1 = new platform::Image(PanelImage1, QStringLiteral("Image1"));
    Image1->setAlign(platform::Align::Client);
    Image1->setStretch(true);
    Gname = new platform::Label(Panel6, QStringLiteral("Gname"));
    Gname->setHint(QStringLiteral("画像ファイル名"));
    Gname->setShowHint(true);
    Gname->setBounds(2, 2, 200, 16);
    Panel4 = panel(Panel3, "Panel4", platform::Align::Client, 534, 465);
    Memo2 = memo(Panel4, QStringLiteral("Memo2"), QStringLiteral("枠無し"));
    Memo2->setAlign(platform::Align::Client);
    createGrid();
}

void TForm2::createGrid()
{
    Panel16 = panel(Panel3, "Panel16", platform::Align::Client, 814, 465);
    Panel16->setVisible(false);
    std::array<editor::EditorMemo**, 77> places = {
        &Memo3,  &Memo6,  &Memo7,  &Memo8,  &Memo9,  &Memo10, &Memo11, &Memo12, &Memo13, &Memo14, &Memo15,
        &Memo16, &Memo17, &Memo18, &Memo19, &Memo20, &Memo21, &Memo22, &Memo23, &Memo24, &Memo25, &Memo26,
        &Memo27, &Memo28, &Memo29, &Memo30, &Memo31, &Memo32, &Memo33, &Memo34, &Memo35, &Memo36, &Memo37,
        &Memo38, &Memo39, &Memo40, &Memo41, &Memo42, &Memo43, &Memo44, &Memo45, &Memo46, &Memo47, &Memo48,
        &Memo49, &Memo50, &Memo51, &Memo52, &Memo53, &Memo54, &Memo55, &Memo56, &Memo57, &Memo58, &Memo59,
        &Memo60, &Memo61, &Memo62, &Memo63, &Memo64, &Memo65, &Memo66, &Memo67, &Memo68, &Memo69, &Memo70,
        &Memo71, &Memo72, &Memo73, &Memo74, &Memo75, &Memo76, &Memo77, &Memo78, &Memo79, &Memo80, &Memo81};
    for (size_t i = 0; i < places.size(); ++i) {
        const int number = i == 0 ? 3 : int(i) + 5;
        auto* cell = memo(Panel16, QStringLiteral("Memo%1").arg(number), QString());
        cell->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (i < 8)  // the header row
            cell->setColors(QColor(0xA6, 0xCA, 0xF0), Qt::black);
        *places[i] = cell;
        cells[i] = cell;
        if (i > 0)
            setTabOrder(cells[i - 1], cell);
    }
}

void TForm2::createBottomBar()
{
    SpeedButton17 = speed(Panel9, "SpeedButton17", QStringLiteral("画像へのリンク"), QStringLiteral("画像へのリンク"), 2,
                          2, 96, 22);
    SpeedButton17->setFlat(false);
    Edit2 = edit(Panel9, "Edit2", QStringLiteral("リンクファイル名"), QRect(100, 3, 260, 21));
    Label6 = label(Panel9, "Label6", QStringLiteral("横"), 368, 6, 14);
    GX = edit(Panel9, "GX", QString(), QRect(384, 3, 48, 21));
    Label7 = label(Panel9, "Label7", QStringLiteral("縦"), 438, 6, 14);
    GY = edit(Panel9, "GY", QString(), QRect(454, 3, 48, 21));
    // A display size is a whole number of pixels.
    const QRegularExpression digits(QStringLiteral("[0-9]{0,5}"));
    GX->setValidator(new QRegularExpressionValidator(digits, GX));
    GY->setValidator(new QRegularExpressionValidator(digits, GY));
    ScrollBar1 = new QScrollBar(Qt::Horizontal, Panel9);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(510, 4, 290, 18);
    ScrollBar1->setRange(editor::kSliderMinimum, view.WindowWidth);
    ScrollBar1->setVisible(false);
}

void TForm2::createToolColumn()
{
    createAlignmentGroup();
    createStyleGroup();
    createMarkupGroup();
    createLayoutGroup();
    GroupBox3 = group(Panel8, "GroupBox3", 420, 30);
    SpeedButton1 = speed(GroupBox3, "SpeedButton1", QStringLiteral("読込"),
                         QStringLiteral("左クリック：画像の読み込み／右クリック：画像削除"), 3, 3, 34, 24);
    SpeedButton2 = speed(GroupBox3, "SpeedButton2", QStringLiteral("修正"),
                         QStringLiteral("左クリックで修正／右クリックで新規作成"), 37, 3, 34, 24);
    SpeedButton37 = speed(GroupBox3, "SpeedButton37", QStringLiteral("リンク"),
                          QStringLiteral("左クリックで画像にリンク／右クリックで解除"), 71, 3, 34, 24);
    for (platform::SpeedButton* b : {SpeedButton1, SpeedButton2, SpeedButton37})
        b->setFlat(false);
    createKindGroup();

    BitBtn4 = bitBtn(Panel8, "BitBtn4", QStringLiteral("上書き保存 　"), QStringLiteral("上書き保存して終了"), 554,
                     platform::mrNone);
    BitBtn1 = bitBtn(Panel8, "BitBtn1", QStringLiteral("名付けて保存"), QStringLiteral("メニューで保存して終了"), 584,
                     platform::mrNone);
    SpeedButton22 = speed(Panel8, "SpeedButton22", QStringLiteral("覚え書き"), QStringLiteral("編集での覚え書き"), 4,
                          616, 104, 24);
    SpeedButton22->setFlat(false);
    BitBtn2 = bitBtn(Panel8, "BitBtn2", QStringLiteral("閉じる"), QStringLiteral("保存しないで終了"), 644,
                     platform::mrNone);
}

void TForm2::createAlignmentGroup()
{
    GroupBox5 = group(Panel8, "GroupBox5", 2, 84);
    const QString left = QStringLiteral("左よせ"), centre = QStringLiteral("中央"), right = QStringLiteral("右よせ");
    SpeedButton4 = speed(GroupBox5, "SpeedButton4", QStringLiteral("H1左"), left, 3, 3, 34, 25);
    SpeedButton5 = speed(GroupBox5, "SpeedButton5", QStringLiteral("中"), centre, 37, 3, 34, 25);
    SpeedButton6 = speed(GroupBox5, "SpeedButton6", QStringLiteral("右"), right, 71, 3, 34, 25);
    SpeedButton7 = speed(GroupBox5, "SpeedButton7", QStringLiteral("H2左"), left, 3, 29, 34, 25);
    SpeedButton8 = speed(GroupBox5, "SpeedButton8", QStringLiteral("中"), centre, 37, 29, 34, 25);
    SpeedButton9 = speed(GroupBox5, "SpeedButton9", QStringLiteral("右"), right, 71, 29, 34, 25);
    SpeedButton19 = speed(GroupBox5, "SpeedButton19", QStringLiteral("枠左"), QStringLiteral("枠文字左"), 3, 55, 34, 25);
    SpeedButton20 = speed(GroupBox5, "SpeedButton20", QStringLiteral("枠中"), QStringLiteral("枠文字中央"), 37, 55, 34, 25);
    SpeedButton21 = speed(GroupBox5, "SpeedButton21", QStringLiteral("枠右"), QStringLiteral("文字左枠右"), 71, 55, 34, 25);
}

void TForm2::createStyleGroup()
{
    // One column: the captions are padded with blanks to line up.
    GroupBox1 = group(Panel8, "GroupBox1", 88, 94);
    SpeedButton13 = speed(GroupBox1, "SpeedButton13", QStringLiteral("表紙　　 　"), QString(), 3, 3, 102, 22);
    SpeedButton18 = speed(GroupBox1, "SpeedButton18", QStringLiteral("アイテム　"), QString(), 3, 25, 102, 22);
    SpeedButton14 = speed(GroupBox1, "SpeedButton14", QStringLiteral("プレゼン　"), QString(), 3, 47, 102, 22);
    SpeedButton15 = speed(GroupBox1, "SpeedButton15", QStringLiteral("ノート　　　"), QString(), 3, 69, 102, 22);
}

void TForm2::createMarkupGroup()
{
    GroupBox4 = group(Panel8, "GroupBox4", 186, 134);
    SpeedButton24 = speed(GroupBox4, "SpeedButton24", QStringLiteral("赤"), QStringLiteral("選択文字を赤色"), 3, 3, 26, 24);
    SpeedButton24->setFontColor(Qt::red);
    SpeedButton26 = speed(GroupBox4, "SpeedButton26", QStringLiteral("青"), QStringLiteral("選択文字を青色"), 29, 3, 26, 24);
    SpeedButton26->setFontColor(Qt::blue);
    SpeedButton25 = speed(GroupBox4, "SpeedButton25", QStringLiteral("下線"), QStringLiteral("選択文字に下線"), 55, 3, 26, 24);
    SpeedButton32 = speed(GroupBox4, "SpeedButton32", QStringLiteral("太"), QStringLiteral("選択文字を太字"), 81, 3, 24, 24);
    SpeedButton33 = speed(GroupBox4, "SpeedButton33", QStringLiteral("大"), QStringLiteral("選択文字を大きく"), 3, 27, 26, 24);
    SpeedButton30 = speed(GroupBox4, "SpeedButton30", QStringLiteral("下付"), QStringLiteral("下付き"), 29, 27, 26, 24);
    SpeedButton29 = speed(GroupBox4, "SpeedButton29", QStringLiteral("上付"), QStringLiteral("上付き"), 55, 27, 26, 24);
    SpeedButton31 = speed(GroupBox4, "SpeedButton31", QStringLiteral("ルビ"), QStringLiteral("ルビ"), 81, 27, 24, 24);
    SpeedButton34 = speed(GroupBox4, "SpeedButton34", QStringLiteral("画像"), QStringLiteral("画像の挿入"), 3, 51, 102, 24);
    SpeedButton16 = speed(GroupBox4, "SpeedButton16", QStringLiteral("リンクの挿入　　"), QString(), 3, 77, 102, 26);
    SpeedButton27 = speed(GroupBox4, "SpeedButton27", QStringLiteral("TOP画像の挿入"), QStringLiteral("タイトル画像の読み込み"),
                          3, 105, 102, 26);
}

void TForm2::createLayoutGroup()
{
    GroupBox6 = group(Panel8, "GroupBox6", 324, 92);
    SpeedButton3 = speed(GroupBox6, "SpeedButton3", QStringLiteral("文字"),
                         QStringLiteral("左クリック：文字だけ配置／右クリック：枠無し文字の削除"), 3, 3, 51, 28);
    SpeedButton23 = speed(GroupBox6, "SpeedButton23", QStringLiteral("表"),
                          QStringLiteral("左クリック：表／右クリック：表内文字削除"), 54, 3, 51, 28);
    SpeedButton10 = speed(GroupBox6, "SpeedButton10", QStringLiteral("画左"), QStringLiteral("左に画像、右に文字を配置"), 3,
                          31, 34, 28);
    SpeedButton11 = speed(GroupBox6, "SpeedButton11", QStringLiteral("画中"), QStringLiteral("中央に文字と画像を配置"), 37,
                          31, 34, 28);
    SpeedButton12 = speed(GroupBox6, "SpeedButton12", QStringLiteral("画右"), QStringLiteral("左に文字、右に画像を配置"),
                          71, 31, 34, 28);
    SpeedButton40 = speed(GroupBox6, "SpeedButton40", QStringLiteral("背景"), QStringLiteral("背景画像の読み込み"), 3, 61,
                          102, 28);
    SpeedButton40->setFlat(false);
}

void TForm2::createKindGroup()
{
    GroupBox2 = group(Panel8, "GroupBox2", 454, 96);
    Label8 = label(GroupBox2, "Label8", QStringLiteral("(正解|選１/選２/・・・)"), 3, 2, 104);
    Label8->setWordWrap(true);
    Label8->setFont(pixelFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    Label8->setHeight(27);
    CheckBox1 = new QCheckBox(QStringLiteral("CAIボタン"), GroupBox2);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(4, 28, 102, 18);
    CheckBox2 = new QCheckBox(QStringLiteral("アンケート回答"), GroupBox2);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setGeometry(4, 46, 102, 18);
    for (QCheckBox* c : {CheckBox1, CheckBox2})
        c->setFont(pixelFont(QStringLiteral("ＭＳ Ｐゴシック"), 11));
    SpeedButton41 = speed(GroupBox2, "SpeedButton41", QStringLiteral("日付"), QStringLiteral("今日の日付"), 3, 66, 51, 26);
    SpeedButton39 = speed(GroupBox2, "SpeedButton39", QStringLiteral("初期化"), QStringLiteral("初期化"), 54, 66, 51, 26);
    SpeedButton41->setFlat(false);
    SpeedButton39->setFlat(false);
}
