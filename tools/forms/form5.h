#pragma once
// TForm5 ("順番の変更"): picks the new place of the current page; its third
// button asks for the order prefixes to be removed instead (Tag 1).

#include "platform/controls.h"

#include <QDialog>

class QLineEdit;
class QScrollBar;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    void FormShow();              // Tag := 0
    void ScrollBar1Change();      // the place, 1-based, into Memo1
    void SpeedButton1Click();     // "順番数字_　の削除": Tag := 1, then as BitBtn2

    QScrollBar* ScrollBar1 = nullptr;        // the new place, 0-based
    QLineEdit* Memo1 = nullptr;              // the new place, 1-based (read-only)
    platform::BitBtn* BitBtn1 = nullptr;     // " 移 動"
    platform::BitBtn* BitBtn2 = nullptr;     // "閉じる"
    platform::SpeedButton* SpeedButton1 = nullptr; // "順番数字_　の削除"
    int Tag = 0;                             // 1: remove the prefixes

protected:
    void showEvent(QShowEvent* e) override;
};

inline TForm5* Form5 = nullptr;
