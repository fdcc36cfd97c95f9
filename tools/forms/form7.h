#pragma once
// TForm7: a small name input ("名前の入力"): an edit, "名前登録" accepts,
// "閉じる" cancels. Created at start; no command shows it today.

#include "platform/controls.h"

#include <QDialog>

class QLineEdit;

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;          // the name
    platform::BitBtn* BitBtn1 = nullptr; // "名前登録": OK
    platform::BitBtn* BitBtn2 = nullptr; // "閉じる": Cancel
};

inline TForm7* Form7 = nullptr;
