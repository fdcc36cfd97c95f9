#pragma once
// TForm23: the launcher of the programming environment Zorbland, with a
// start button, a close button and a panel that opens the environment's
// web page.

#include "platform/controls.h"

#include <QDialog>

class TForm23 : public QDialog {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);

    void FormShow();
    void BitBtn3Click(); // start: the answer "ZORB"
    void BitBtn1Click(); // close: no answer
    void Label6Click();  // the web page; the dialog stays open
    void Panel3Click();

    platform::BitBtn* BitBtn3 = nullptr; // "Zorblandの起動"
    platform::BitBtn* BitBtn1 = nullptr; // "とじる"
    platform::Panel* Panel3 = nullptr;   // the web page panel
    platform::Label* Label1 = nullptr;   // "LOGOでプログラミング"
    platform::Label* Label8 = nullptr;   // the invitation
    platform::Label* Label6 = nullptr;   // the web address, a link

protected:
    void showEvent(QShowEvent* e) override;
};

inline TForm23* Form23 = nullptr;
