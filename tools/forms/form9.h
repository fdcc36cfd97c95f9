#pragma once
// TForm9: a folder chooser. It opens at the folder named in its caption,
// keeps the choice inside that folder, and on OK leaves the chosen folder
// + "/" in its caption. Created at start; no command shows it today.

#include "platform/controls.h"

#include <QDialog>

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    void FormShow();
    // Moves the list back inside the starting folder when it left it.
    void DirectoryListBox1Change();
    void BitBtn1Click(); // OK: the choice into the caption

    platform::DirectoryListBox* DirectoryListBox1 = nullptr;
    platform::BitBtn* BitBtn1 = nullptr; // OK
    platform::BitBtn* BitBtn2 = nullptr; // cancel

protected:
    void showEvent(QShowEvent* e) override;

private:
    QString top_; // the folder the choice stays in
};

inline TForm9* Form9 = nullptr;
