// The video window's component tree.
#include "tools/forms/form6.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QSlider>

namespace {

constexpr int kBarHeight = 45;

platform::SpeedButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint)
{
    auto* b = new platform::SpeedButton(parent, QString::fromLatin1(name));
    b->setCaption(caption);
    b->setHint(hint);
    return b;
}

} // namespace

TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form6"));
    createComponents();
}

TForm6::~TForm6() = default;

void TForm6::createComponents()
{
    resize(320, 240 + kBarHeight);
    platform::enableAlign(this);
    Panel3 = new platform::Panel(this, QStringLiteral("Panel3"));
    Panel3->setAlign(platform::Align::Bottom);
    Panel3->setHeight(kBarHeight);
    Panel1 = new platform::Panel(this, QStringLiteral("Panel1"));
    Panel1->setAlign(platform::Align::Client);
    Panel1->setColor(Qt::black);
    TrackBar1 = new QSlider(Qt::Horizontal, Panel3);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setTickPosition(QSlider::NoTicks);
    playbutton = button(Panel3, "playbutton", QStringLiteral("再生"), QStringLiteral("再生（ダブルクリックで最初から）"));
    stopbutton = button(Panel3, "stopbutton", QStringLiteral("停止"), QStringLiteral("停止"));
    plus1 = button(Panel3, "plus1", QStringLiteral("+1"), QStringLiteral("1コマ進む"));
    minus1 = button(Panel3, "minus1", QStringLiteral("-1"), QStringLiteral("1コマ戻る"));
    returnbutton = button(Panel3, "returnbutton", QStringLiteral("最初へ"), QStringLiteral("最初に戻る"));
    Label1 = new platform::Label(Panel3, QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("0000/0000"));
    Timer1 = new platform::Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    Timer1->setEnabled(false);

    const auto left = [](platform::SpeedButton* b, std::function<void()> f) {
        b->onMouseUp = [b, f = std::move(f)](const platform::MouseArgs& a) {
            if (a.button == Qt::LeftButton && b->rect().contains(a.x, a.y))
                f();
        };
    };
    playbutton->onClick = [this] {
        if (!playbutton->rightPressed())
            playbuttonClick();
    };
    playbutton->onDblClick = [this] { playbuttonDblClick(); };
    left(stopbutton, [this] { stopbuttonMouseUp(); });
    left(plus1, [this] { plus1MouseUp(); });
    left(minus1, [this] { minus1MouseUp(); });
    left(returnbutton, [this] { returnbuttonMouseUp(); });
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    Timer1->onTimer = [this] { Timer1Timer(); };
    Panel1->onResize = [this] { Panel1Resize(); };
    Panel3->onResize = [this] { placeBar(); };
    placeBar();
}

// The bar: the position bar along its top, the buttons and the label below.
void TForm6::placeBar()
{
    const int w = Panel3->width();
    TrackBar1->setGeometry(0, 0, w, 20);
    int x = 2;
    for (platform::SpeedButton* b : {playbutton, stopbutton, minus1, plus1, returnbutton}) {
        b->setBounds(x, 21, b == returnbutton || b == playbutton || b == stopbutton ? 44 : 28, 22);
        x += b->width() + 2;
    }
    Label1->setBounds(x + 4, 25, qMax(0, w - x - 6), 18);
}

void TForm6::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TForm6::closeEvent(QCloseEvent* e)
{
    FormClose();
    QWidget::closeEvent(e);
}
