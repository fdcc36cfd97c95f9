#include "viewer/forms/form8.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QRegion>

namespace {

// Window systems on which a widget mask shapes the window itself.
bool masksShapeWindows()
{
    const QString p = QGuiApplication::platformName();
    return p == QLatin1String("xcb") || p == QLatin1String("offscreen");
}

} // namespace

TForm8::TForm8(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Pagora"));
    QFont glyphFont(QStringLiteral("ＭＳ Ｐゴシック"));
    glyphFont.setPixelSize(12);
    setFont(glyphFont);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(false);
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFixedSize(371, 63);
    Image2->setScaledContents(true);
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setText(QStringLiteral("Pagora"));
    Image2->hide(); // only the glyph shows through the window's shape
    setWindowState(Qt::WindowMaximized);
}

void TForm8::DrawGlyphPath(QPainterPath& path, int x, int y) const
{
    const QFontMetrics fm(font());
    path.addText(x, y + fm.ascent(), font(), glyphText());
}

QPainterPath TForm8::CreateGlyphRegion(int x, int y) const
{
    QPainterPath path;
    DrawGlyphPath(path, x, y);
    return path;
}

void TForm8::BuildWindowRegion()
{
    if (!masksShapeWindows()) {
        masked_ = false;
        return;
    }
    const QPainterPath glyph = CreateGlyphRegion(0, 0);
    const QRegion region(glyph.toFillPolygon().toPolygon());
    if (region.isEmpty()) {
        masked_ = false;
        return;
    }
    setMask(region);
    masked_ = true;
}

void TForm8::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(CreateGlyphRegion(0, 0));
    p.fillRect(rect(), QColor(255, 0, 0));
}

void TForm8::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (FDrawing)
        return;
    FDrawing = true;
    BuildWindowRegion();
    update();
    FDrawing = false;
}
