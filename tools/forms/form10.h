#pragma once
// TForm10: the folder-list editor. Its caption holds the path of the list
// file "_folder.txt"; the list is edited as plain text, saved, filled from
// the folders that exist, and its folders are made under the program's folder.

#include "platform/controls.h"

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);

    // The folder the list is relative to (the program's folder); set by the caller.
    QString BaseFolder;

    QString listFile() const { return windowTitle(); }
    // The list as it stands in Memo1, and replaced.
    QString memoText() const;
    void setMemoText(const QString& text);

    // Handlers (tools/folder_list_editor.cpp).
    void FormShow(int mainClientWidth, int mainRightPanelWidth, int mainClientHeight);
    void SpeedButton1Click(); // save
    void SpeedButton2Click(); // close
    void SpeedButton3Click(); // make the folders
    void SpeedButton4Click(); // collect the existing folders

    platform::Panel* Panel1 = nullptr;    // title "フォルダ名の一覧表"
    platform::Panel* Panel2 = nullptr;    // bottom bar with the buttons
    platform::Label* Label1 = nullptr;    // "フォルダ名\フォルダ名\フォルダ名"
    platform::Label* Label2 = nullptr;    // "//--- 注釈---"
    QPlainTextEdit* Memo1 = nullptr;      // the list
    QStringList ListBox1;                 // the collected folders
    platform::SpeedButton* SpeedButton1 = nullptr; // save the list
    platform::SpeedButton* SpeedButton2 = nullptr; // close
    platform::SpeedButton* SpeedButton3 = nullptr; // make the folders
    platform::SpeedButton* SpeedButton4 = nullptr; // collect the existing folders
};

inline TForm10* Form10 = nullptr;
