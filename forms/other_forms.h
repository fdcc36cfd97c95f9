#pragma once
// The program's other windows, created once at start-up after the main window
// and living until exit. Until their own code lands they are plain empty
// windows with their class names; some carry data in their caption, so those
// start with an empty one.

#include <QString>
#include <QWidget>

// What every later window shares until it has its own code: its object name
// "Form" + number, and a caption that is empty when the caption carries data.
template <int Number, bool CaptionCarriesData = false>
class LaterWindow : public QWidget {
public:
    explicit LaterWindow(QWidget* parent = nullptr) : QWidget(parent, Qt::Window)
    {
        setObjectName(QStringLiteral("Form%1").arg(Number));
        if (!CaptionCarriesData)
            setWindowTitle(objectName());
    }
};

// The windows themselves. An inherited constructor keeps the base's public access.
class TForm2 : public LaterWindow<2, true> { // page editor
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm3 : public LaterWindow<3> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm4 : public LaterWindow<4> { // search window; also serves LOOK
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm5 : public LaterWindow<5> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm6 : public LaterWindow<6, true> { // video window; a caption means a video is open
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm7 : public LaterWindow<7> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm9 : public LaterWindow<9> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm10 : public LaterWindow<10> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm11 : public LaterWindow<11> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm12 : public LaterWindow<12, true> { // page memo window
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm13 : public LaterWindow<13> { // ruby dialog of the editor
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm15 : public LaterWindow<15> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm16 : public LaterWindow<16> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm17 : public LaterWindow<17> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm18 : public LaterWindow<18> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};
class TForm23 : public LaterWindow<23> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

extern TForm2* Form2;
extern TForm3* Form3;
extern TForm4* Form4;
extern TForm5* Form5;
extern TForm6* Form6;
extern TForm7* Form7;
extern TForm9* Form9;
extern TForm10* Form10;
extern TForm11* Form11;
extern TForm12* Form12;
extern TForm13* Form13;
extern TForm15* Form15;
extern TForm16* Form16;
extern TForm17* Form17;
extern TForm18* Form18;
extern TForm23* Form23;

// Creates the windows in start-up order: TForm2, TForm3, ... TForm23.
void createOtherForms(QWidget* owner = nullptr);
// Frees them again (tests; the program keeps them until exit).
void destroyOtherForms();
