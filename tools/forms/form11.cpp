// The presentation mask's window: borderless, black, hand cursor.
#include "tools/forms/form11.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

TForm11::TForm11(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(objectName());
    setCursor(Qt::PointingHandCursor);
    resize(10, 10);
}

void TForm11::setColor(const QColor& c)
{
    color_ = c;
    update();
}

bool TForm11::shapesSupported()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("offscreen");
}

void TForm11::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), color_);
}

void TForm11::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    FormResize();
}

void TForm11::mousePressEvent(QMouseEvent* e)
{
    platform::MouseArgs a;
    a.button = e->button();
    a.buttons = e->buttons();
    a.modifiers = e->modifiers();
    a.x = e->position().toPoint().x();
    a.y = e->position().toPoint().y();
    a.rightHeld = e->buttons().testFlag(Qt::RightButton);
    FormMouseDown(a);
}

void TForm11::closeEvent(QCloseEvent* e)
{
    FormClose();
    QWidget::closeEvent(e);
}
