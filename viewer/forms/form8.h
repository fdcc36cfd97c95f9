#pragma once
// The splash window shown while the program's windows are created: a
// borderless, stay-on-top window whose visible shape is the outline of its
// glyph text, painted red inside that outline.

#include <QPainterPath>
#include <QWidget>

class QLabel;

class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    // Outline of the glyph text with its origin at (x, y).
    QPainterPath CreateGlyphRegion(int x, int y) const;
    // Cuts the window's shape from the glyph outline where the window system
    // allows masks (X11, offscreen); elsewhere the window stays rectangular.
    void BuildWindowRegion();
    bool masked() const { return masked_; }

    QLabel* Image2 = nullptr; // start-up picture
    static QString glyphText() { return QStringLiteral("."); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void DrawGlyphPath(QPainterPath& path, int x, int y) const;
    bool FDrawing = false; // a rebuild is in progress; keeps repaints from re-entering it
    bool masked_ = false;
};
