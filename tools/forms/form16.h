#pragma once
// TForm16: a post into the page whose path Label2 holds. The date is stamped
// at every opening; the poster and the text stay from the last time.

#include "platform/controls.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

class TForm16 : public QDialog {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);

    // The page (caption: its file name) and the addressee line with its title.
    // The post is written only inside within.
    void setPage(const QString& pagePath, const QString& title, const QStringList& within);

    void FormShow();
    void FormResize();
    void SpeedButton1Click(); // "日時の更新"
    void SpeedButton2Click(); // "投稿": write and close
    void SpeedButton3Click(); // "キャンセル"

    platform::Label* Label1 = nullptr; // "日 時"
    QLineEdit* Edit1 = nullptr;        // date text
    platform::SpeedButton* SpeedButton1 = nullptr; // re-stamps the date
    platform::Label* Label3 = nullptr; // "投稿者"
    QLineEdit* Edit2 = nullptr;        // poster name
    platform::Label* Label4 = nullptr; // addressee line
    QPlainTextEdit* Memo1 = nullptr;   // the post text
    platform::Panel* Panel3 = nullptr; // bottom bar with the two buttons
    platform::SpeedButton* SpeedButton2 = nullptr; // "投稿"
    platform::SpeedButton* SpeedButton3 = nullptr; // "キャンセル"
    QString Label2;                    // full path of the page
    QStringList WriteBounds;           // the folders the page may be written in

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};

inline TForm16* Form16 = nullptr;
