#pragma once
// TForm2 "Pagoraエディター": the page editor. It shows one page of the fixed
// layout as a form: title lines, heading, subheading, framed and unframed
// text, a picture or the 77-cell grid, and tool buttons at the right. The
// window caption holds the page's full path; the page's fields live in
// `page` (the page reader fills them, the page writer builds the page from
// them) and the visible controls show and edit them. Hidden fields of the
// form (ETAGH1, Edit7, TAIHI1 ...) are the model's strings.
//
// The component tree is built in forms/form2*.cpp; the handlers live in
// editor/editor_window_*.cpp.

#include "editor/forms/form2_memo.h"
#include "editor/header_background.h"
#include "editor/image_block.h"
#include "editor/page_on_disk.h"
#include "platform/controls.h"
#include "store/page_model.h"

#include <QDateTime>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <array>
#include <optional>

class QCheckBox;
class QLineEdit;
class QScrollBar;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // ---- the page open in the editor ----
    store::PageModel page;   // fields and page-section values
    editor::ImageView view;  // state of the picture panels
    editor::DecorDialogState decorDialog;  // where the header/background dialog was last used

    // ---- top bar ----
    platform::Panel* Panel1 = nullptr;  // top bar: title edits, width buttons, source view
    platform::Label* Label1 = nullptr;  // "タイトル"
    QLineEdit* Edit1 = nullptr;         // first title line: the page button's name
    platform::Label* Label2 = nullptr;  // "タイトル2行目"
    QLineEdit* Edit5 = nullptr;         // second title line: search words
    platform::Label* Label4 = nullptr;  // "ボタンのヒント"
    QLineEdit* Edit6 = nullptr;         // the page button's hint
    platform::SpeedButton* SpeedButton35 = nullptr;  // "A4サイズ"
    platform::SpeedButton* SpeedButton36 = nullptr;  // "B4サイズ"
    platform::SpeedButton* SpeedButton38 = nullptr;  // "Fitサイズ"
    platform::Panel* Panel17 = nullptr;  // holds the source memo; shown in source view
    editor::EditorMemo* Memo82 = nullptr;  // the whole page source (source view)
    platform::Panel* Panel18 = nullptr;  // holds the source-view toggle
    platform::SpeedButton* SpeedButton28 = nullptr;  // source view on/off; Tag 1 in source view

    // ---- page area ----
    platform::Panel* Panel19 = nullptr;  // the page area; raised bevels on a quiz page
    platform::Panel* Panel5 = nullptr;   // page area below the top bar
    platform::Panel* Panel2 = nullptr;   // texts and picture
    platform::Panel* Panel7 = nullptr;   // upper text area: title block and framed text
    platform::Panel* Panel11 = nullptr;  // heading, subheading and the rule
    editor::EditorMemo* Memo4 = nullptr;  // the heading (H1)
    editor::EditorMemo* Memo5 = nullptr;  // the subheading (H2)
    platform::Panel* Panel10 = nullptr;  // 4-pixel rule under the subheading
    platform::Panel* Panel12 = nullptr;  // framed text area
    editor::EditorMemo* Memo1 = nullptr;  // the framed text (the table's first row)
    platform::Panel* Panel3 = nullptr;   // picture, unframed text or grid
    platform::Panel* Panel6 = nullptr;   // the picture panel; Tag: layout (view.Panel6Tag)
    platform::Panel* PanelImage1 = nullptr;  // frame of the picture at its display size
    platform::Image* Image1 = nullptr;   // the picture, stretched to the frame
    platform::Label* Gname = nullptr;    // shows the picture's file name (page.Gname)
    platform::Panel* Panel4 = nullptr;   // holds the unframed text
    editor::EditorMemo* Memo2 = nullptr;  // the unframed text
    platform::Panel* Panel16 = nullptr;  // the cell grid (table layout)
    // The 77 grid cells in reading order: Memo3, Memo6 .. Memo81.
    std::array<editor::EditorMemo*, 77> cells{};
    editor::EditorMemo *Memo3 = nullptr, *Memo6 = nullptr, *Memo7 = nullptr, *Memo8 = nullptr, *Memo9 = nullptr,
                       *Memo10 = nullptr, *Memo11 = nullptr, *Memo12 = nullptr, *Memo13 = nullptr,
                       *Memo14 = nullptr, *Memo15 = nullptr, *Memo16 = nullptr, *Memo17 = nullptr,
                       *Memo18 = nullptr, *Memo19 = nullptr, *Memo20 = nullptr, *Memo21 = nullptr,
                       *Memo22 = nullptr, *Memo23 = nullptr, *Memo24 = nullptr, *Memo25 = nullptr,
                       *Memo26 = nullptr, *Memo27 = nullptr, *Memo28 = nullptr, *Memo29 = nullptr,
                       *Memo30 = nullptr, *Memo31 = nullptr, *Memo32 = nullptr, *Memo33 = nullptr,
                       *Memo34 = nullptr, *Memo35 = nullptr, *Memo36 = nullptr, *Memo37 = nullptr,
                       *Memo38 = nullptr, *Memo39 = nullptr, *Memo40 = nullptr, *Memo41 = nullptr,
                       *Memo42 = nullptr, *Memo43 = nullptr, *Memo44 = nullptr, *Memo45 = nullptr,
                       *Memo46 = nullptr, *Memo47 = nullptr, *Memo48 = nullptr, *Memo49 = nullptr,
                       *Memo50 = nullptr, *Memo51 = nullptr, *Memo52 = nullptr, *Memo53 = nullptr,
                       *Memo54 = nullptr, *Memo55 = nullptr, *Memo56 = nullptr, *Memo57 = nullptr,
                       *Memo58 = nullptr, *Memo59 = nullptr, *Memo60 = nullptr, *Memo61 = nullptr,
                       *Memo62 = nullptr, *Memo63 = nullptr, *Memo64 = nullptr, *Memo65 = nullptr,
                       *Memo66 = nullptr, *Memo67 = nullptr, *Memo68 = nullptr, *Memo69 = nullptr,
                       *Memo70 = nullptr, *Memo71 = nullptr, *Memo72 = nullptr, *Memo73 = nullptr,
                       *Memo74 = nullptr, *Memo75 = nullptr, *Memo76 = nullptr, *Memo77 = nullptr,
                       *Memo78 = nullptr, *Memo79 = nullptr, *Memo80 = nullptr, *Memo81 = nullptr;

    // ---- bottom bar: picture link and size ----
    platform::Panel* Panel9 = nullptr;   // picture link, display size, width slider
    platform::SpeedButton* SpeedButton17 = nullptr;  // "画像へのリンク": link the picture (right: unlink)
    QLineEdit* Edit2 = nullptr;          // the file the picture links to
    platform::Label* Label6 = nullptr;   // "横"
    QLineEdit* GX = nullptr;             // display width (digits)
    platform::Label* Label7 = nullptr;   // "縦"
    QLineEdit* GY = nullptr;             // display height (digits)
    QScrollBar* ScrollBar1 = nullptr;    // picture width slider

    // ---- tool column ----
    platform::Panel* Panel8 = nullptr;   // tool column at the right, 112 wide
    platform::Panel* GroupBox5 = nullptr;  // alignment buttons
    platform::SpeedButton* SpeedButton4 = nullptr;   // heading left
    platform::SpeedButton* SpeedButton5 = nullptr;   // heading centred
    platform::SpeedButton* SpeedButton6 = nullptr;   // heading right
    platform::SpeedButton* SpeedButton7 = nullptr;   // subheading left
    platform::SpeedButton* SpeedButton8 = nullptr;   // subheading centred
    platform::SpeedButton* SpeedButton9 = nullptr;   // subheading right
    platform::SpeedButton* SpeedButton19 = nullptr;  // "枠文字左": framed text left
    platform::SpeedButton* SpeedButton20 = nullptr;  // "枠文字中央": framed text centred
    platform::SpeedButton* SpeedButton21 = nullptr;  // "文字左枠右": text left, frame right
    platform::Panel* GroupBox1 = nullptr;  // style buttons; the style itself is page.GroupBox1Tag
    platform::SpeedButton* SpeedButton13 = nullptr;  // "表紙": style 4
    platform::SpeedButton* SpeedButton18 = nullptr;  // "アイテム": style 3
    platform::SpeedButton* SpeedButton14 = nullptr;  // "プレゼン": style 2
    platform::SpeedButton* SpeedButton15 = nullptr;  // "ノート": style 1
    platform::Panel* GroupBox4 = nullptr;  // markup buttons for the marked memo
    platform::SpeedButton* SpeedButton24 = nullptr;  // selection red
    platform::SpeedButton* SpeedButton26 = nullptr;  // selection blue
    platform::SpeedButton* SpeedButton25 = nullptr;  // selection underlined
    platform::SpeedButton* SpeedButton32 = nullptr;  // selection bold
    platform::SpeedButton* SpeedButton33 = nullptr;  // selection larger
    platform::SpeedButton* SpeedButton30 = nullptr;  // subscript
    platform::SpeedButton* SpeedButton29 = nullptr;  // superscript
    platform::SpeedButton* SpeedButton31 = nullptr;  // ruby
    platform::SpeedButton* SpeedButton34 = nullptr;  // picture tag before the selection
    platform::SpeedButton* SpeedButton16 = nullptr;  // "リンクの挿入": link before the selection
    platform::SpeedButton* SpeedButton27 = nullptr;  // "TOP画像の挿入": header picture
    platform::Panel* GroupBox6 = nullptr;  // layout buttons
    platform::SpeedButton* SpeedButton3 = nullptr;   // text only (right: empty heading, subheading, text)
    platform::SpeedButton* SpeedButton23 = nullptr;  // table (right: empty the grid)
    platform::SpeedButton* SpeedButton10 = nullptr;  // picture left, text right
    platform::SpeedButton* SpeedButton11 = nullptr;  // picture centred above the text
    platform::SpeedButton* SpeedButton12 = nullptr;  // text left, picture right
    platform::SpeedButton* SpeedButton40 = nullptr;  // "背景": background picture
    platform::Panel* GroupBox3 = nullptr;  // picture tools
    platform::SpeedButton* SpeedButton1 = nullptr;   // load a picture (right: to the trash)
    platform::SpeedButton* SpeedButton2 = nullptr;   // paint the picture (right: a new one)
    platform::SpeedButton* SpeedButton37 = nullptr;  // link the picture (right: unlink)
    platform::Panel* GroupBox2 = nullptr;  // page kind, date and reset
    platform::Label* Label8 = nullptr;     // "(正解|選１/選２/・・・)"
    QCheckBox* CheckBox1 = nullptr;        // "CAIボタン": quiz page
    QCheckBox* CheckBox2 = nullptr;        // "アンケート回答": questionnaire answer page
    platform::SpeedButton* SpeedButton41 = nullptr;  // today's date into the heading
    platform::SpeedButton* SpeedButton39 = nullptr;  // "初期化": empty the fields
    platform::BitBtn* BitBtn4 = nullptr;   // "上書き保存": save over the page and close
    platform::BitBtn* BitBtn1 = nullptr;   // "名付けて保存": save under a chosen name and close
    platform::SpeedButton* SpeedButton22 = nullptr;  // the folder's editing notes in the memo window
    platform::BitBtn* BitBtn2 = nullptr;   // "閉じる": close without saving

    // ---- the page's folder and path ----
    QString pagePath() const { return windowTitle(); }
    // Folder of the page being edited: its pictures and notes live there.
    QString currentFolder() const;

    // ---- opening and showing (editor_window_show.cpp) ----
    void FormShow();
    void SyncControlsFromPage();
    void ApplyPageStyle();
    void SpeedButton28Click();
    void CheckBox1Click();
    void CheckBox2Click();
    static QString ExtractSrcValue(const QString& tag);
    editor::TrashOutcome gomi(const QString& file);
    // The model's fields into the visible controls (after the reader or a
    // button changed them).
    void showFields();
    // The picture panels after the image block changed view.
    void showImageView();
    void resetSlider();
    // The image block of the page open, bound to this window.
    editor::ImageBlock imageBlock();

    // ---- text memos and grid (editor_window_text.cpp) ----
    void Memo4Change();
    void Memo5Change();
    void Memo1Change();
    void Panel12Resize();
    void Panel16Resize();

    // ---- alignment, notes, close (editor_window_align.cpp) ----
    void alignHeading(int button);     // SpeedButton4 .. 6 released
    void alignSubheading(int button);  // SpeedButton7 .. 9 released
    void SpeedButton19Click();
    void SpeedButton20Click();
    void SpeedButton21Click();
    void SpeedButton22Click();
    void BitBtn2Click();

    // ---- save, close, widths, styles (editor_window_save.cpp) ----
    void BitBtn4Click();
    void BitBtn1Click();
    void Button1Click();        // B4
    void Button2Click();        // A4
    void SpeedButton38Click();  // Fit
    void setPageStyle(int style);  // the four style buttons
    void FormClose();
    // The main window's width the Fit button and the window size follow.
    int mainWindowWidth() const;
    // Whether the page differs from what was opened.
    bool pageChanged();
    // Every way out passes here: Escape, the close box and "閉じる" ask
    // first when the page was changed; FormClose runs once.
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void createComponents();
    void createTopBar();
    void createPageArea();
    void createGrid();
    void createBottomBar();
    void createToolColumn();
    void createAlignmentGroup();
    void createStyleGroup();
    void createMarkupGroup();
    void createLayoutGroup();
    void createKindGroup();
    void bindHandlers();
    void bindTextFields();
    void bindImageButtons();

    // The pressed look and memo alignment of the heading and subheading rows.
    void alignHeadingView(int button, Qt::Alignment align);
    void alignSubheadingView(int button, Qt::Alignment align);
    // The framed-text row: the pressed button, Memo1's placement in Panel12
    // (None: centred) and the text alignment, when given, of Memo1 and
    // Memo2 (and of the grid cells with cellsToo).
    void showFramePlacement(int button, platform::Align placement, std::optional<Qt::Alignment> textAlign,
                            bool cellsToo = false);
    int clientHeightOfWindow() const;
    void borrowNotesWindow(QWidget* notes);
    void returnNotesWindow();
    void applyStyleButtons(int pressed);
    bool askBeforeClosing();  // false: the window stays open
    bool savePageTo(const QString& path, const QStringList& within);
    bool mayWriteOver(const QString& path);  // read-only or changed by another program

    void setPageWidth(int width, const QString& sizeMeta);

public:
    // Set by whoever opens the editor: a new page must not be saved over a
    // file that appeared at its path meanwhile.
    bool newPage = false;
    // Whether the last show ended with a save.
    bool savedLastTime() const { return saved_; }

private:
    bool showing_ = false;    // fields are being set from the model
    bool closing_ = false;    // FormClose ran for this show
    bool saved_ = false;      // a save closed the window
    QString openedHtml_;      // the page as built right after opening
    QDateTime openedAt_;      // dates a daily report in that comparison
    QString readPath_;             // the page as the editor read it ...
    editor::PageOnDisk readState_; // ... and what its file held then
    QPointer<QWidget> notesBorrowed_;  // the memo window while it is the editor's
    QPointer<QWidget> notesHome_;      // its owner before
};

inline TForm2* Form2 = nullptr;
