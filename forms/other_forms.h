#pragma once
// The program's other windows, created once at start-up after the main window
// and living until exit. Until their own code lands they are plain empty
// windows with their class names; some carry data in their caption, so those
// start with an empty one.

#include <QWidget>

class TForm2 : public QWidget { // page editor
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
};

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};

class TForm4 : public QWidget { // search window; also serves LOOK
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};

class TForm6 : public QWidget { // video window; a non-empty caption means a video is open
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
};

class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
};

class TForm9 : public QWidget {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
};

class TForm10 : public QWidget {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);
};

class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
};

class TForm12 : public QWidget { // page memo window
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);
};

class TForm13 : public QWidget { // ruby dialog of the editor
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
};

class TForm15 : public QWidget {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
};

class TForm16 : public QWidget {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);
};

class TForm17 : public QWidget {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);
};

class TForm18 : public QWidget {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);
};

class TForm23 : public QWidget {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);
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
