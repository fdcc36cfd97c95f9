#pragma once
// TForm4: the search window. Lists every page and office document below the
// current folder with its title, narrows the list by full-text searches,
// previews the chosen entry in a browser view of its own, and hands the
// results to the main window as a new list level. The LOOK callers use its
// work (tools/search_run.h) without showing it.

#include "platform/controls.h"

#include <QDialog>
#include <QString>
#include <functional>

class QLineEdit;
class QListWidget;
class QSplitter;

namespace platform {
class Browser;
}
namespace tools {
class SearchSession;
}

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    // The mode (0 full text, 1 heading, 2 whole list by keyword length),
    // kept by the shared search session.
    int Tag() const;
    void setTag(int mode);

    // The window shown modally, then activation while it shows; the modal
    // result (QDialog::Accepted after "一覧" with results). The results are
    // in ListBox1()/ListBox2().
    int runModal();
    // Builds the list (scan or cache), sorts it, shows it and previews the
    // first entry; in mode 1 runs the search.
    void activate();
    // What closing leaves: Edit2 emptied, the shown results handed over.
    void FormClose();

    // The hand-over lists (entries relative to the search folder, titles).
    QStringList ListBox1() const;
    QStringList ListBox2() const;
    // Index in ListBox1() of the entry previewed last, -1 when none.
    int previewedIndex() const;
    // The previewed entry's path and URL (the preview's own, never the main window's).
    QString previewPath() const { return previewPath_; }
    QString previewUrl() const { return previewUrl_; }

    // ---- handlers ----
    void ListBox2Click(int index); // preview of a result
    void BitBtn1Click();           // 全文検索
    void BitBtn4Click();           // １つ前
    void BitBtn5Click();           // 全部
    void BitBtn2Click();           // 一覧
    void BitBtn3Click();           // 戻る
    void SpeedButton3Click();      // 起動
    void SpeedButton4Click();      // コピー
    bool WebBrowser1BeforeNavigate2(const QString& url); // true cancels
    // While the list is built or searched the window answers, but its
    // buttons wait, and closing it waits for the work to end.
    bool busy() const { return busy_; }
    void done(int result) override;

    // ---- components ----
    platform::Panel* Pup = nullptr;      // top bar
    platform::BitBtn* BitBtn5 = nullptr; // 全部
    QLineEdit* Edit1 = nullptr;          // search words
    platform::BitBtn* BitBtn1 = nullptr; // 全文検索
    platform::BitBtn* BitBtn4 = nullptr; // １つ前
    platform::Label* Label1 = nullptr;   // result count
    platform::BitBtn* BitBtn2 = nullptr; // 一覧
    platform::BitBtn* BitBtn3 = nullptr; // 戻る
    platform::Panel* Panel11 = nullptr;  // progress while the list is built
    platform::Label* Label2 = nullptr;   // mode 1: the path left out
    QString Edit2;                       // search folder; "" means the current folder
    QSplitter* Splitter1 = nullptr;      // between the preview and the result list
    platform::Panel* Panel4 = nullptr;   // result list
    QListWidget* ShownTitles = nullptr;  // the visible results
    platform::Panel* Panel8 = nullptr;   // preview area
    platform::Browser* WebBrowser1 = nullptr; // preview; made at the first preview
    platform::Panel* Panel3 = nullptr;   // file panel for files the browser does not show
    platform::SpeedButton* SpeedButton3 = nullptr; // 起動
    platform::SpeedButton* SpeedButton4 = nullptr; // コピー
    QString Label3;                      // the file panel's file path

signals:
    // Activation is done; the window is about to be shown modally.
    void activated();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void createComponents();
    void createBar();
    void showResults(bool previewFirst);
    void placeFilePanel();
    void ensureBrowser();
    void releasePreview();
    void place();
    void attachDisplays();
    void detachDisplays();
    void beginWork();
    void endWork();
    void whileBusy(const std::function<void()>& work);
    void closeIfAsked();
    tools::SearchSession& session() const;

    QString previewPath_;
    QString previewUrl_;
    QString previewEntry_; // entry previewed last, as listed
    int previewIndex_ = -1; // its place in the shown results
    bool busy_ = false;
    int closeAsked_ = -1;   // the result of a close asked for while busy
    bool closedEarly_ = false;
};

inline TForm4* Form4 = nullptr;
