#pragma once
// TForm11: the presentation mask. A black, borderless, stay-on-top window
// over the whole screen with a hole (a window shape) where the main window's
// pages are; clicks on it turn the pages. Tag is 1 while presentation mode is
// on. Handlers: tools/presentation.cpp.

#include "platform/controls.h"

#include <QColor>
#include <QWidget>

class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);

    int Tag = 0; // 1 while presentation mode is on; keeps the memo window hidden

    QColor color() const { return color_; }
    void setColor(const QColor& c);

    void FormResize();                              // the hole over the pages
    void FormMouseDown(const platform::MouseArgs& a); // page turns, leaving
    void FormClose();                               // shrinks to 10 x 10

    // Whether the window system can cut a hole into a window (X11, and the
    // test platform); elsewhere the mask is not shown, so it never hides the page.
    static bool shapesSupported();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QColor color_ = Qt::black;
};

inline TForm11* Form11 = nullptr;
