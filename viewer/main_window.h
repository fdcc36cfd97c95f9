#pragma once
// The main window: the page area with its three browser views, the folder
// pane, the page-button column and the bottom bar, the level stack of the
// shown lists, and the state every window of the program reads from it.
// Its component tree is built in forms/form1.cpp; its handlers live in the
// viewer/ files of the code that owns them (start-up, layout, page display,
// page commands ...).

#include "platform/controls.h"
#include "platform/shell.h"
#include "store/page_levels.h"

#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace platform {
class Browser;
}

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // exePath: the program's executable; the data root and every folder
    // follow from it. Empty: the running program's own path.
    explicit TForm1(const QString& exePath = QString(), QWidget* parent = nullptr);
    ~TForm1() override;

    // The one main window; nullptr before it is created and after it is gone.
    static TForm1* instance();

    // ---- folders and names (start-up) ----
    QString ExeBaseName;      // executable's file name up to its last "."
    QString ExeFolder;        // folder of the executable, no trailing "/"
    QString RootFolder;       // data root ExeFolder/ExeBaseName.data, no trailing "/"
    QString WorkFolder;       // RootFolder/00_RESUME
    QString DailyReportStoreName = QStringLiteral("00_日報の保存");
    QString DailyReportStore; // RootFolder/00_日報の保存
    QString CopyFolder;       // desktop/【ExeBaseName】
    QString HelpFileName = QStringLiteral("_help.html");
    platform::SpreadsheetPath ExcelPath; // spreadsheet program, or ""; asked for when first read
    QString ProgrammingEnvExe;    // ZORB/zorb of the programming environment, or ""
    QString ProgrammingEnvFolder; // folder holding it, or ""
    int FolderWriteFailed = 0;    // 1 when the data folders cannot be created
    int MergePageWidth = 640;
    int ButtonMargin = 2;
    int WindowWidth = 0;          // main-window width, at most 1265
    int StartWindowWidth = 0;
    int StartWindowHeight = 0;
    int CommandLineMode = 0;      // 1 while importing the files of the command line
    QStringList CommandLineFiles; // files given on the command line (set before the first show)
    int ShutdownPauseMs = 2000;   // pause at shutdown that lets the views wind down

    // ---- shown page and lists ----
    store::PageLevels levels;     // MidashiF, MidashiT, PBanList, CurrentFolder
    int PBan() const { return levels.PBan(); }
    int PBanSu() const { return levels.PBanSu(); }
    void PBanSave(int i) { levels.PBanSave(i); }
    QString CurrentFolder() const { return levels.CurrentFolder; }
    void setCurrentFolder(const QString& folder) { levels.CurrentFolder = folder; }
    // Makes folder current, pushes or replaces its level, and points the
    // window's file lists at it.
    void OpenFolder(const QString& folder, int pageIndex, bool push);
    // The same with a folder read elsewhere (the patrol's worker).
    void OpenListedFolder(const store::ListedFolder& listed, int pageIndex, bool push);
    void PopLevel();

    QString SelectedFolder;       // folder the folder buttons act on
    QString ShownFilePath;        // path of the shown file
    QString ShownUrl;             // address of the shown page
    QString ViewerImagePath;      // picture in the picture viewer, or ""
    int PageCounter = 0;          // counter of the page commands
    QString HistoryName = QStringLiteral("$history/history");
    int HighlightCurrent = 1;     // 1: the current page button stands out
    bool RightClickFlag = false;  // the right button was held at the last press
    QString SearchCacheKey = QStringLiteral("xxx"); // "xxx": the search list is rebuilt
    int VideoCount = 0;
    int DrawingMode = 0;          // 1 while the drawing layout is on
    int LowerPaneHeight = 0;      // height of the lower browser pane
    int Tag = 0;                  // page memo: 0 hidden, 1 shown, 2 blank memo

    // The caption carries the shown URL; other windows read the page from it.
    QString caption() const { return caption_; }
    void setCaption(const QString& text);

    // ---- browser views ----
    platform::Browser* WebBrowser1 = nullptr; // the page
    platform::Browser* WebBrowser2 = nullptr; // the lower pane
    platform::Browser* WebBrowser3 = nullptr; // printing
    // Placement of a view inside its panel (kept also for stand-ins without a widget).
    QRect browserBounds(const platform::Browser* b) const;
    void setBrowserBounds(platform::Browser* b, const QRect& r);

    // ---- patrol ----
    void pausePatrol();   // Timer5 off, "巡回中止"
    void resumePatrol();  // Timer5 on, "巡回開始"

    // ---- start-up and shutdown (startup.cpp) ----
    void FormCreate();
    void FormShow();
    // FormShow once, as the first showing runs it; a failure is told, not thrown.
    // The program runs it just before it shows the window (see showEvent).
    void firstShow();
    void FormShowICHI();
    void FormCloseQuery();
    void ExitProgram();
    void Exit1Click();
    void createDataFolders();
    void restoreDailyReport();
    void lookUpProgrammingEnv();
    void sizeToScreen();
    void runCommandLineImport();
    // Width and height of the window for a screen work area.
    static QSize startWindowSize(const QSize& workArea);
    // The daily-report restore's source and target for a day.
    static QString dailyReportSource(const QString& store, const QStringList& storeNames, const QString& compactDate);
    static QString dailyReportTarget(const QString& root, const QStringList& rootNames);
    bool shutdownFailed() const { return shutdownFailed_; }

    // ---- layout (main_window_layout.cpp) ----
    void FormResize();
    void hyoushiResize();
    void kabeResize();
    void kabeRightResize();
    void kabedownResize();
    // The page counter of the bottom bar ("3 / 120"), always shown whole.
    void showPageCounter(const QString& text);
    void ArrangeToolbar();
    void SetDrawingLayout(int on);
    void Panel11MouseEnter();   // folder pane toggle
    void Panel12MouseEnter();   // page-button column toggle
    void Image10Click();        // refresh
    void SpeedButton11Click();  // File menu
    void Panel1MouseDown(bool rightHeld);
    void placeBitBtn1();
    // Screen point where the File menu pops up.
    QPoint fileMenuPoint() const;
    void prepareFileMenu();

    // The page context menu of the current page (built by the page-menu code).
    void BuildPageMenu();

    // ---- components (forms/form1.cpp) ----
    platform::Panel* kabeBASE = nullptr;     // everything; centred in the window
    platform::Panel* hyoushi = nullptr;      // folder pane, 0 wide when closed
    platform::Panel* hyoushiup = nullptr;
    platform::Panel* Panel5 = nullptr;       // folder pane's buttons
    platform::Panel* Panel6 = nullptr;       // folder pane's folder list
    platform::Panel* kabeRight = nullptr;    // page-button column
    platform::Panel* Panel3 = nullptr;       // column's buttons
    platform::Panel* kabe = nullptr;         // page area
    platform::Panel* kabeBrowser = nullptr;  // holds WebBrowser1
    platform::Panel* Pmathub = nullptr;      // frame of the timed message
    platform::Panel* Pmathu = nullptr;       // timed message
    platform::Panel* kabeKR = nullptr;       // lower pane
    platform::Panel* Panel9 = nullptr;       // holds WebBrowser2
    platform::Panel* kabedown = nullptr;     // bottom bar
    platform::Panel* Panel10 = nullptr;      // picture viewer
    platform::Panel* Panel1 = nullptr;       // open-externally panel
    platform::Panel* Panel4 = nullptr;       // presentation cover
    platform::Panel* Panel7 = nullptr;       // page counter
    platform::Panel* Panel8 = nullptr;       // folder name

    platform::SpeedButton* SpeedButton1 = nullptr;  // copy the selected folder to the desktop
    platform::SpeedButton* SpeedButton2 = nullptr;  // open the folder pane
    platform::SpeedButton* SpeedButton3 = nullptr;  // programming environment
    platform::SpeedButton* SpeedButton4 = nullptr;  // secret / presentation mode
    platform::SpeedButton* SpeedButton5 = nullptr;  // copy the page to the copy folder
    platform::SpeedButton* SpeedButton6 = nullptr;  // close the page-button column
    platform::SpeedButton* SpeedButton7 = nullptr;  // page memo
    platform::SpeedButton* SpeedButton8 = nullptr;  // leave drawing
    platform::SpeedButton* SpeedButton9 = nullptr;  // close the folder pane
    platform::SpeedButton* SpeedButton10 = nullptr; // open the page-button column
    platform::SpeedButton* SpeedButton11 = nullptr; // File menu
    platform::SpeedButton* SpeedButton12 = nullptr; // patrol on/off
    platform::SpeedButton* SpeedButton13 = nullptr; // open the shown folder
    platform::SpeedButton* SpeedButton14 = nullptr; // open the copy folder
    platform::SpeedButton* SpeedButton15 = nullptr; // edit the page
    platform::SpeedButton* SpeedButton16 = nullptr; // post into the page
    platform::SpeedButton* SpeedButton17 = nullptr; // back to the data root
    platform::SpeedButton* SpeedButton18 = nullptr; // edit menu
    platform::SpeedButton* SpeedButton19 = nullptr; // draw
    platform::SpeedButton* SpeedButton20 = nullptr; // capture the screen
    platform::SpeedButton* SpeedButton21 = nullptr; // open the selected folder
    platform::SpeedButton* SpeedButton22 = nullptr; // line colour of the drawing
    platform::BitBtn* BitBtn1 = nullptr;            // play the page's recording

    platform::Label* Label1 = nullptr; // open-externally panel: the file path (hidden)
    platform::Label* Label2 = nullptr; // "Now loading・・・"
    platform::Label* Label3 = nullptr; // file name
    platform::Label* Label4 = nullptr; // created
    platform::Label* Label5 = nullptr; // being-viewed mark
    platform::Label* Label6 = nullptr; // left-click hint
    platform::Label* Label7 = nullptr; // updated
    platform::Label* Label8 = nullptr; // right-click hint

    platform::Image* Image1 = nullptr;  // drawing picture over the page
    platform::Image* Image6 = nullptr;  // back
    platform::Image* Image7 = nullptr;  // forward
    platform::Image* Image8 = nullptr;  // picture loader (hidden)
    platform::Image* Image9 = nullptr;  // working picture (hidden)
    platform::Image* Image10 = nullptr; // refresh
    platform::Image* Image11 = nullptr; // shown picture of the viewer
    platform::Image* Image12 = nullptr; // glyph: patrol off
    platform::Image* Image14 = nullptr; // glyph: patrol on
    platform::Image* Image15 = nullptr; // glyph: being edited
    platform::Image* Image16 = nullptr; // glyph: patrolling
    QList<QPixmap> ImageList1;          // default page-button icons 0 and 1

    platform::ScrollBox* ScrollBox1 = nullptr; // page buttons
    platform::ScrollBox* ScrollBox2 = nullptr; // picture viewer

    platform::DirectoryListBox* DirectoryListBox1 = nullptr;
    platform::FileListBox* FileListBox1 = nullptr; // page files of the current folder
    platform::FileListBox* FileListBox2 = nullptr;
    platform::FileListBox* FileListBox3 = nullptr;
    platform::FileListBox* FileListBox4 = nullptr;
    platform::FileListBox* FileListBox6 = nullptr; // daily-report store, "*.html"
    platform::FileListBox* FileListBox7 = nullptr; // data root, "*.htm*"

    platform::PopupMenu* PopupMenu2 = nullptr; // File menu
    platform::MenuItem* Pagora1 = nullptr;     // 【使い方】
    platform::MenuItem* N4 = nullptr;          // プレゼンテーションモード
    platform::MenuItem* Find1 = nullptr;       // 検索
    platform::MenuItem* N1 = nullptr;          // 今のフォルダ
    platform::MenuItem* N3 = nullptr;          // フォルダの作成
    platform::MenuItem* Paste2 = nullptr;      // 文書を選んで…保存
    platform::MenuItem* N2 = nullptr;          // 新規ページ作成
    platform::MenuItem* N8 = nullptr;          // 上に作成
    platform::MenuItem* N9 = nullptr;          // 下に作成
    platform::MenuItem* Exit1 = nullptr;       // 終了
    platform::PopupMenu* PageMenu = nullptr;   // page context menu

    platform::Timer* Timer1 = nullptr; // hides the timed message
    platform::Timer* Timer2 = nullptr;
    platform::Timer* Timer3 = nullptr;
    platform::Timer* Timer4 = nullptr;
    platform::Timer* Timer5 = nullptr; // patrol
    platform::Timer* Timer6 = nullptr; // shows the page memo once after start

    // Hidden lists and edits that only carry data.
    QStringList CommandList;
    QStringList DIRList;
    QStringList ListBox1; // files to import
    QStringList ListBox2;
    QStringList ListBox3; // shortcut files
    QString Edit1;
    QStringList Memo1;
    QStringList Memo2;
    QString PictureDialogFolder; // first folder of the picture dialogs

    // ==== page display, page buttons, patrol, way home (owned by the page-display code) ====
    void PageClick(int updown, bool y);
    void ReMake();
    void BuildPageButtons();
    void RefreshPageButton(int i);
    void GoHome();
    void GoUpLevel();
    void modoruMouseUp();
    void hTOPMouseDown(bool rightHeld);
    void Timer5Timer();
    void Timer6Timer();
    void SpeedButton12Click();
    QString ShowFileStatus(const QString& path, const QString& previous);
    void RememberShownFile(const QString& url, const QString& previous);
    void ImportListedFiles(const QString& folder, bool fromCommandLine);
    // Binds Timer5, Timer6, SpeedButton12 and SpeedButton17 (called by bindPageEvents).
    void bindPageDisplayEvents();
    // The message page "_XXX.html" in the current folder, shown in WebBrowser1.
    void ShowPlaceholderPage(const QString& message);
    void PageButtonMouseDown(int index, quint64 generation, const platform::MouseArgs& args);
    void PageButtonKeyPress(int index, quint64 generation, int key);
    void PageButtonEnter(int index, quint64 generation);
    bool CMDialogKey(int index, quint64 generation, int key, bool shift); // true: handled
    QList<platform::BitBtn*> PageButtons;   // one per entry of the top level; item i is page i
    quint64 PageButtonGeneration = 0;       // bumped at every rebuild; older buttons act on nothing
    bool RebuildingPageButtons = false;     // focus moves during a rebuild select nothing
    bool GoHomeRunning = false;             // a missing page at home shows the placeholder
    int PreviousPageIndex = -1;             // PBan at the last display
    int NavDirection = 0;                   // -1 / +1: the last button press went back / forward
    QString PatrolFile;                     // file the patrol follows
    QString PatrolDateText = QStringLiteral("0"); // its last modification-time text
    int MemoAvailable = 0;                  // the page memo window is usable
    // The shown page's memo as the patrol last saw it: its path (also when
    // there is none yet) and the memo window's caption for it (" " + its
    // time, or "白紙"). The memo window is made only when it is shown, and
    // takes both from here.
    QString MemoPath;
    QString MemoCaption;
    int MemoRestore = 0;                    // restore MemoState at the next display
    int MemoState = 0;
    // ==== end of page display block ====

    // ==== page commands, page loads, back/forward, messages (owned by the page-command code) ====
    // Where a command came from: web pages may only navigate, count and find.
    enum class CommandSource { Program, LocalPage, WebPage };
    // Binds the before-navigate and document-complete events of WebBrowser1
    // and WebBrowser2, Timer1, Image6, Image7 and DirectoryListBox1 (called by bindPageEvents).
    void bindPageCommandEvents();
    // Before-navigate of WebBrowser1 and WebBrowser2; true cancels.
    // requesterUnknown: no local document is known to have raised it
    // (redirect, refresh, frame); it then has a web page's trust.
    bool WebBrowser1BeforeNavigate2(platform::Browser* sender, const QString& url,
                                    const QString& sourceUrl, bool programInitiated,
                                    bool requesterUnknown = false);
    void WebBrowser1DocumentComplete(const QString& url);
    void WebBrowser2DocumentComplete(const QString& url);
    // documentUrl: the address of the document text was read from ("": the
    // one WebBrowser1 shows); its links are resolved and trusted by it.
    void ProcessLinkPage(const QString& text, const QString& documentUrl = QString());
    void FindInLowerBrowser(const QString& text, bool find);
    void ShowFlashMessage(const QString& text, int milliseconds);
    void Timer1Timer();
    void KRNcommand(const QString& command); // the program's own commands
    void runCommand(const QString& command, CommandSource source);
    void RunCommandList(const QString& list, CommandSource source = CommandSource::LocalPage);
    QString SelectConditionalCommand(const QString& piece) const;
    bool ApplyCounterOp(const QString& piece); // false: not a number, the list stops
    void SetTextFileValue(const QString& fileName, const QString& entry);
    void PlayWaveFile(const QString& fileName);
    bool DownloadUrlToFile(const QString& url, const QString& fileName);
    void Image6Click();
    void Image7Click();
    void DirectoryListBox1Click();
    int DirPageOffset = 0;        // added to the page index by "DIR"; page display resets it
    QString LastDocumentUrl;      // last handled completion; a page-button click clears it
    bool LowerPaneRefreshing = false; // the lower pane's next completion is its own refresh
    // ==== end of page command block ====

    // ==== capture, drawing and printing (handlers owned by the tools' capture code) ====
    platform::PopupMenu* PopupMenu1 = nullptr; // pen menu of the drawing
    platform::MenuItem* N18 = nullptr;  // ビュアで表示
    platform::MenuItem* N10 = nullptr;  // 赤ペン
    platform::MenuItem* N11 = nullptr;  // 青ペン
    platform::MenuItem* N12 = nullptr;  // 黄ペン
    platform::MenuItem* N13 = nullptr;  // 白ペン
    platform::MenuItem* N14 = nullptr;  // 黒ペン
    platform::MenuItem* N16 = nullptr;  // 太いペン
    platform::MenuItem* N17 = nullptr;  // 標準のペン
    platform::MenuItem* N19 = nullptr;  // wipes the pen colour off the drawing
    platform::MenuItem* N15 = nullptr;  // このページを画像で保存
    QString DrawSavePath;         // drawing file of the shown page
    int PenColorIndex = 0;        // 0 red, 1 blue, 2 yellow, 3 white, 4 black
    int PenWidth = 0;             // 0: not chosen yet, the first stroke takes 5
    int LastPopupX = -1;          // X of the press that last opened the pen menu
    QPoint PenLastPoint;          // where the pen was last, on the drawing surface
    int PrintPending = 0;         // WebBrowser3's tag: 1 = a preview waits for its page
    // ==== end of capture block ====

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // The file lists and the patrol's count follow a folder just opened.
    void followOpenedFolder(const QStringList& listed);
    void createComponents(); // forms/form1.cpp
    void createBottomBar();
    void createFolderPane();
    void createButtonColumn();
    void createPageArea();
    void createHiddenComponents();
    void createMenus();
    void bindEvents();       // forms/form1.cpp
    void bindPageEvents();   // forms/form1_page_events.cpp: handlers of the page code
    void setExecutablePath(const QString& exePath);

    QString caption_;
    bool shown_ = false;
    bool closing_ = false;
    bool shutdownFailed_ = false;
    QRect browserRects_[3];
};

// The main window as the other windows reach it.
extern TForm1* Form1;
