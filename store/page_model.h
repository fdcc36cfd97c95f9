#pragma once
// The page editor's fields and the page-section values of the page open in
// the editor, as plain data. The page reader fills them from a page source,
// the editor window binds its controls to them, and the page writer builds
// the page back from them. Names follow the editor's controls.

#include <QString>
#include <QStringList>
#include <array>

namespace store {

// Page widths in pixels for the page-size values of the author META.
constexpr int kPageWidthB4 = 906;
constexpr int kPageWidthA4 = 686;
// A table that is neither centred nor right-aligned is this much narrower.
constexpr int kTableWidthMargin = 46;
constexpr int kTableFieldCount = 78;  // caption + 77 grid cells

struct PageModel {
    // ---- page-section values (one set, for the page open in the editor) ----
    QString PageHeadStart;        // head up to and including `<META NAME="author" ` (with its blank)
    QString PageSizeMetaSection;  // CONTENT="Pagora_TEXT_B4" / _A4 / _Fit
    QString PageHeadRest;         // head from the META's ">" up to the title
    QString PageTitleSection;     // title text as read; TITLE element once written
    QString TitlePrefix;          // icon part of the title with its quotes, or ""
    QString PageBodyTagSection;   // after "</TITLE>" (less the first style block) through the BODY tag
    QString PageBodyLead;         // text carried over right after the BODY tag
    QString PageHeaderSection;    // header block with its markers, or ""
    QString PageH1Section;        // heading text as read; H1 element once written
    QString PageNoteLead;         // free note text before the subheading
    QString PageH2Section;        // subheading text as read; H2 element once written
    QString PageBodySection;      // table, image paragraph, text paragraph (written)
    QString PageFooterSection;    // footer block with its markers, or ""
    QString PageTail;             // from "</BODY>" to the end
    int PageWidth = kPageWidthB4;

    // ---- title ----
    QString Edit1;  // title name (page button caption)
    QString Edit5;  // second title line: search words
    QString Edit6;  // page button hint

    // ---- heading, subheading, paragraphs ----
    QString Memo4, ETAGH1 = QStringLiteral("<H1>");  // heading text and start tag
    QString Memo5, ETAGH2 = QStringLiteral("<H2>");  // subheading text and start tag
    QString Memo2, ETAGP1 = QStringLiteral("<P>");   // text paragraph and start tag

    // ---- framed table: caption Memo1, grid cells Memo3, Memo6 .. Memo81 ----
    QString Memo1, Memo3, Memo6, Memo7, Memo8, Memo9, Memo10, Memo11, Memo12, Memo13, Memo14, Memo15,
        Memo16, Memo17, Memo18, Memo19, Memo20, Memo21, Memo22, Memo23, Memo24, Memo25, Memo26, Memo27,
        Memo28, Memo29, Memo30, Memo31, Memo32, Memo33, Memo34, Memo35, Memo36, Memo37, Memo38, Memo39,
        Memo40, Memo41, Memo42, Memo43, Memo44, Memo45, Memo46, Memo47, Memo48, Memo49, Memo50, Memo51,
        Memo52, Memo53, Memo54, Memo55, Memo56, Memo57, Memo58, Memo59, Memo60, Memo61, Memo62, Memo63,
        Memo64, Memo65, Memo66, Memo67, Memo68, Memo69, Memo70, Memo71, Memo72, Memo73, Memo74, Memo75,
        Memo76, Memo77, Memo78, Memo79, Memo80, Memo81;
    int Memo1Width = kPageWidthB4;  // the framed text is as wide as the page
    QString ETAGHYO1;               // table alignment: "", align="left"/"center"/"right"
    int ETAGHYO1Tag = 0;            // 1 when the page read holds grid cells

    // ---- image or link paragraph ----
    QString ETAGSRC1;      // start tag of the image paragraph
    QString Edit7;         // the IMG tag (or the link text of a text link)
    QString Edit2;         // link target
    QString Edit3;         // link text
    QString Gname;         // picture file name in the page's folder, or ""
    QString GX, GY;        // display width and height, decimal text
    int GXTag = 0;         // 1 when the display size is set and a load keeps it
    int Image1Tag = 0;     // 1 when the picture was loaded and measured
    QString Image1File;    // full path of the picture shown, "" when none
    int Image1Width = 0;   // size of the picture control (natural size once loaded)
    int Image1Height = 0;
    int PanelImage1Width = 0;   // frame of the picture in the editor
    int PanelImage1Height = 0;
    QString TAIHI1, TAIHI2, TAIHI3, TAIHI4, TAIHI5;  // saved ETAGSRC1, Edit7, Gname, Edit2, Edit3

    // ---- page kind and style ----
    int GroupBox1Tag = 0;     // page style 0..4
    bool CheckBox1 = false;   // "CAIボタン": quiz page
    bool CheckBox2 = false;   // "アンケート回答": questionnaire answer button
    bool Panel19Raised = false;  // the editor panel shows raised bevels on a quiz page

    // ---- source and hand-over ----
    QString Memo82;          // whole page source: reader input, writer output
    QString Label3;          // daily-report store name left by the writer
    QString Label5;          // the page path the reader was last given
    QString PageFolder;      // folder of the page read: its pictures live there
    QStringList WriteBounds; // the folders the editor may write pages and pictures in
    QString SearchCacheKey;  // the reader sets "xxx": the search list must be rebuilt

    // The 78 table fields in document order: Memo1, Memo3, Memo6 .. Memo81.
    std::array<QString*, kTableFieldCount> tableFields();
    std::array<const QString*, kTableFieldCount> tableFields() const;
};

} // namespace store
