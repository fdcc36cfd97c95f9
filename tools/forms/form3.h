#pragma once
// TForm3 "ファイルツール": a list of full paths of which the selected ones
// are deleted to the trash, or, for pictures, renamed to a numbered base
// name with their references fixed in the selected pages. It opens with
// every entry selected except those the caller marks to stay; the person
// deselects what is to stay. Handlers: tools/file_tool_window.cpp.

#include "platform/controls.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    QListWidget* ListBox1 = nullptr;       // the files, full paths, multi-select
    platform::BitBtn* BitBtn1 = nullptr;   // "ファイルの削除": selected entries to the trash
    platform::BitBtn* BitBtn3 = nullptr;   // "書庫へコピー": under BitBtn1, always hidden
    platform::BitBtn* BitBtn2 = nullptr;   // "閉じる"
    platform::BitBtn* BitBtn4 = nullptr;   // "画像ファイル名変換": numbered picture names
    QLineEdit* Edit1 = nullptr;            // base name for the renaming, "pic"

    // Fills the list; entries in notPreselected stay unselected when shown.
    void setEntries(const QStringList& files, const QStringList& notPreselected = {});
    QStringList entries() const;
    QStringList selectedEntries() const;
    void clearEntries();

    void FormShow();    // selects every entry but the ones marked to stay
    void BitBtn1Click(); // delete the selected entries
    void BitBtn2Click(); // empty the list and close
    void BitBtn4Click(); // rename the selected pictures
    // Deletes the selected entries to the trash after one question; closes.
    void kataduke();

    void done(int result) override; // closing empties the list

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void createComponents();
    void placeComponents();
    QStringList notPreselected_;

public:
    QStringList WriteBounds; // the folders renames and rewritten pages stay in
};

inline TForm3* Form3 = nullptr;
