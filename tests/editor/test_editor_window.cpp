// The page editor window on real pages in a temporary folder: opening and
// saving unchanged, styles and widths, save-as, failed saves, the close
// question on every way out, alignment, focus marks, growth and the grid.
#include "editor/editor_layout.h"
#include "support/write_bounds.h"
#include "editor/editor_window_run.h"
#include "editor/forms/form2.h"
#include "platform/picture_bomb.h"
#include "platform/seam.h"
#include "store/clock.h"
#include "store/files.h"
#include "store/page_file.h"
#include "support/temp_tree.h"
#include "viewer/later_windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QDirIterator>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

// The sample pages beside the sources. The compiler ran in the build folder,
// where the test program lies, so a relative source path starts there.
QString examplesFolder()
{
    const QString source = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(__FILE__));
    return QDir::cleanPath(QFileInfo(source).absolutePath() + QStringLiteral("/../../examples"));
}

// The examples copied into a temporary folder, pictures included.
void copyExamples(const TempTree& tree)
{
    const QString kExamples = examplesFolder();
    ASSERT_TRUE(QFileInfo(kExamples + QStringLiteral("/index.html")).isFile()) << kExamples.toStdString();
    QDirIterator it(kExamples, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString rel = QDir(kExamples).relativeFilePath(from);
        ASSERT_FALSE(tree.write(rel, *files::readBytes(from)).isEmpty()) << rel.toStdString();
    }
}

QStringList examplePages(const TempTree& tree)
{
    QStringList pages;
    QDirIterator it(tree.path(), {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        pages << it.next();
    pages.sort();
    return pages;
}

QByteArray bytesOf(const QString& path) { return files::readBytes(path).value_or(QByteArray()); }

// What the page model alone makes of a page read and saved again. It is saved
// in place, under its own name (a daily report is re-dated by its name) and
// beside its pictures, and then given its old bytes back.
QByteArray storeRoundTrip(const QString& path)
{
    const QByteArray original = bytesOf(path);
    store::PageModel m;
    m.Memo82 = *files::readUtf8(path);
    store::LoadPageIntoEditor(m, path);
    EXPECT_TRUE(store::SavePage(m, path, tempBounds()));
    const QByteArray bytes = bytesOf(path);
    EXPECT_TRUE(files::writeBytes(path, original, tempBounds()));
    return bytes;
}

int countEvents(const QString& kind)
{
    int n = 0;
    for (const platform::SeamEvent& e : platform::events())
        n += e.kind == kind ? 1 : 0;
    return n;
}

class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setTestMode(true);
        platform::clearEvents();
        // A day unlike any date in the examples: saves re-date daily reports.
        store::clock::setFixed(QDateTime(QDate(2031, 5, 6), QTime(9, 30, 0)));
        main = std::make_unique<QWidget>();
        main->resize(1265, 800);
        form = new TForm2(main.get());
        form->page.WriteBounds = tempBounds();
        copyExamples(tree);
    }
    void TearDown() override
    {
        if (form->isVisible()) {
            if (form->pageChanged())  // an unused answer would stay queued for the next test
                platform::setNextAnswer(platform::Answer::No);
            form->done(QDialog::Rejected);
        }
        main.reset();
        store::clock::clearFixed();
        laterwindows::hooks().editNotes = nullptr;
        platform::setTestMode(false);
    }

    // Opens the page the way the hand-off does, without blocking.
    void open(const QString& path)
    {
        const auto text = files::readUtf8(path);
        ASSERT_TRUE(text) << path.toStdString();
        form->setWindowTitle(path);
        form->page.Memo82 = *text;
        form->show();
        QApplication::processEvents();
        ASSERT_TRUE(form->isVisible());
    }

    QString page(const char* name) const { return tree.path(QString::fromUtf8(name)); }

    TempTree tree;
    std::unique_ptr<QWidget> main;
    TForm2* form = nullptr;
};

} // namespace

TEST_F(EditorWindow, EveryExamplePageSavesUnchangedAsTheModelDoes)
{
    const QStringList pages = examplePages(tree);
    ASSERT_GE(pages.size(), 5);
    for (const QString& path : pages) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray before = bytesOf(path);
        const QByteArray expected = storeRoundTrip(path);
        open(path);
        form->BitBtn4->click();
        EXPECT_FALSE(form->isVisible());
        EXPECT_TRUE(form->savedLastTime());
        const QByteArray after = bytesOf(path);
        EXPECT_EQ(after, expected);
        // A page the editor wrote keeps its bytes through the window.
        if (before == expected) {
            EXPECT_EQ(after, before);
        }
    }
}

TEST_F(EditorWindow, RichPageKeepsItsBytesThroughTheWindow)
{
    const QString path = page("1010_季節の花.html");
    const QByteArray first = storeRoundTrip(path);
    tree.write(QStringLiteral("1010_季節の花.html"), first);
    open(path);
    // The picture of the page was found in its folder and shown.
    EXPECT_EQ(form->page.Gname, QStringLiteral("flower.png"));
    EXPECT_EQ(form->Image1->tag(), 1);
    EXPECT_FALSE(form->Image1->picture().isNull());
    EXPECT_FALSE(form->SpeedButton11->flat());
    EXPECT_EQ(form->GX->text(), QStringLiteral("192"));
    EXPECT_EQ(form->PanelImage1->width(), 192);
    EXPECT_EQ(form->PanelImage1->x(), (form->Panel6->width() - 192) / 2);
    form->BitBtn4->click();
    EXPECT_EQ(bytesOf(path), first);
    // Closing let go of the picture.
    EXPECT_EQ(form->page.GXTag, 0);
    EXPECT_TRUE(form->Image1->picture().isNull());
    EXPECT_EQ(form->Image1->tag(), 0);
}

TEST_F(EditorWindow, PageInASubFolderFindsItsOwnPicture)
{
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(tree.path(QStringLiteral("2000_理科/sub.png"))));
    const QString path = page("2000_理科/1000_水の三態.html");
    open(path);
    form->page.Edit7 = QStringLiteral("<IMG src=\"sub.png\" width=\"30\" height=\"20\" align=\"center\">");
    form->SyncControlsFromPage();
    EXPECT_EQ(form->page.Gname, QStringLiteral("sub.png"));
    EXPECT_EQ(form->Image1->tag(), 1);
    EXPECT_EQ(form->currentFolder(), tree.path(QStringLiteral("2000_理科")));
}

TEST_F(EditorWindow, StyleAndWidthButtonsChangeTheSavedPage)
{
    const QString path = page("1000_カエルの一生.html");
    open(path);
    form->SpeedButton13->click();  // 表紙
    EXPECT_EQ(form->page.GroupBox1Tag, 4);
    EXPECT_FALSE(form->SpeedButton13->flat());
    EXPECT_TRUE(form->SpeedButton15->flat());
    EXPECT_TRUE(form->SpeedButton16->flat());
    EXPECT_EQ(form->Memo4->pointSize(), 24);
    EXPECT_EQ(form->Memo4->backgroundColor(), editor::skyBlue());
    EXPECT_EQ(form->Memo1->textColor(), QColor(Qt::black));
    EXPECT_EQ(form->Memo3->pointSize(), 22);

    form->SpeedButton35->click();  // A4
    EXPECT_EQ(form->page.PageWidth, 686);
    EXPECT_EQ(form->Memo1->width(), 686);
    form->SpeedButton15->click();  // ノート: the width stays
    EXPECT_EQ(form->page.PageWidth, 686);
    EXPECT_EQ(form->Memo4->backgroundColor(), editor::teal());
    form->BitBtn4->click();

    const QString saved = *files::readUtf8(path);
    EXPECT_TRUE(saved.contains(QStringLiteral("CONTENT=\"Pagora_TEXT_A4\"")));
    EXPECT_TRUE(saved.contains(QStringLiteral("<!--STYLE_IN1-->")));
    EXPECT_FALSE(saved.contains(QStringLiteral("<!--STYLE_IN4-->")));

    // Fit follows the main window less the tool column.
    open(path);
    EXPECT_EQ(form->page.PageWidth, 686);  // read back from the page
    form->SpeedButton38->click();
    EXPECT_EQ(form->page.PageWidth, 1265 - 112);
    EXPECT_EQ(form->page.PageSizeMetaSection, store::kSizeMetaFit);
    // A right click on a left-click button does nothing.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(form->SpeedButton36, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3), QPointF(3, 3), Qt::RightButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(form->SpeedButton36, &release);
    EXPECT_EQ(form->page.PageWidth, 1265 - 112);
}

TEST_F(EditorWindow, SaveUnderANewName)
{
    const QString path = page("1000_カエルの一生.html");
    const QByteArray before = bytesOf(path);
    open(path);
    form->Memo2->setText(QStringLiteral("新しい本文"));

    // Cancelled: nothing written, the editor stays.
    form->BitBtn1->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), path);
    ASSERT_GE(countEvents(QStringLiteral("save")), 1);
    EXPECT_EQ(platform::events().constLast().args.value(0), path);  // seeded with the page

    const QString target = tree.path(QStringLiteral("2000_理科/1500_新しい"));
    platform::setNextFileName(target);
    form->BitBtn1->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), target + QStringLiteral(".html"));
    EXPECT_EQ(bytesOf(path), before);
    const auto written = files::readUtf8(target + QStringLiteral(".html"));
    ASSERT_TRUE(written);
    EXPECT_TRUE(written->contains(QStringLiteral("新しい本文")));
}

TEST_F(EditorWindow, FailedSaveKeepsTheEditorAndTheOldPage)
{
    const QString path = page("1000_カエルの一生.html");
    const QByteArray before = bytesOf(path);
    open(path);
    form->Memo2->setText(QString(4000, QChar(u'あ')));

    // A file-size limit below the page makes every write fail.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 512;
    setrlimit(RLIMIT_FSIZE, &small);
    form->BitBtn4->click();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->savedLastTime());
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(form->Memo2->text().size(), 4000);
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().constLast().kind, QStringLiteral("message"));
    EXPECT_TRUE(platform::events().constLast().text.contains(QStringLiteral("1000_カエルの一生.html")));

    // Save-as into a folder that is not there: the caption comes back.
    platform::setNextFileName(tree.path(QStringLiteral("nowhere/x.html")));
    form->BitBtn1->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), path);

    // Once the disk takes it again, the same text is saved.
    form->BitBtn4->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(files::readUtf8(path)->contains(QString(4000, QChar(u'あ'))));
}

TEST_F(EditorWindow, ClosingAChangedPageAsksOnEveryWayOut)
{
    const QString path = page("1000_カエルの一生.html");
    const QByteArray before = bytesOf(path);

    // Unchanged: no question at all.
    open(path);
    form->BitBtn2->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(countEvents(QStringLiteral("ask")), 0);

    using Exit = std::function<void(TForm2*)>;
    const std::vector<std::pair<const char*, Exit>> exits = {
        {"button", [](TForm2* f) { f->BitBtn2->click(); }},
        {"escape", [](TForm2* f) { f->reject(); }},
        {"close box", [](TForm2* f) { f->close(); }},
    };
    for (const auto& [name, exit] : exits) {
        SCOPED_TRACE(name);
        open(path);
        form->Memo4->setText(QStringLiteral("変えた見出し"));
        platform::clearEvents();
        platform::setNextAnswer(platform::Answer::Cancel);
        exit(form);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(countEvents(QStringLiteral("ask")), 1);
        EXPECT_EQ(form->Memo4->text(), QStringLiteral("変えた見出し"));

        platform::setNextAnswer(platform::Answer::No);
        exit(form);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(countEvents(QStringLiteral("ask")), 2);  // "いいえ" is asked once, not again
        EXPECT_EQ(bytesOf(path), before);
        EXPECT_EQ(form->page.GXTag, 0);  // the close event ran
    }

    open(path);
    form->Memo4->setText(QStringLiteral("保存する見出し"));
    platform::setNextAnswer(platform::Answer::Yes);
    form->reject();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(files::readUtf8(path)->contains(QStringLiteral("保存する見出し")));
}

TEST_F(EditorWindow, NewPageIsNotSavedOverAFileThatAppeared)
{
    const QString path = tree.path(QStringLiteral("1040_新.html"));
    store::PageModel blank;
    blank.Memo82 = files::readUtf8(page("1000_カエルの一生.html")).value_or(QString());
    form->newPage = true;
    form->setWindowTitle(path);
    form->page.Memo82 = blank.Memo82;
    form->show();
    tree.write(QStringLiteral("1040_新.html"), "someone else's");
    form->BitBtn4->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(bytesOf(path), QByteArray("someone else's"));
    form->newPage = false;
}

// Another program wrote the page while the editor was open: the save asks,
// "いいえ" keeps the other version and the editor's text, "はい" writes over
// it. Every way to save asks, closing with "保存する" too.
TEST_F(EditorWindow, APageChangedOnDiskMeanwhileIsWrittenOverOnlyWhenSaidSo)
{
    const QString path = page("1000_カエルの一生.html");
    open(path);
    form->Memo2->setText(QStringLiteral("編集した本文"));
    tree.write(QStringLiteral("1000_カエルの一生.html"), "written by another program");
    platform::clearEvents();

    platform::setNextAnswer(platform::Answer::No);
    form->BitBtn4->click();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(countEvents(QStringLiteral("ask")), 1);
    EXPECT_TRUE(platform::events().constLast().text.contains(QStringLiteral("1000_カエルの一生.html")));
    EXPECT_EQ(bytesOf(path), QByteArray("written by another program"));
    EXPECT_EQ(form->Memo2->text(), QStringLiteral("編集した本文"));

    platform::setNextAnswer(platform::Answer::Yes); // close: save?
    platform::setNextAnswer(platform::Answer::No);  // ... over the other version? no
    form->reject();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(countEvents(QStringLiteral("ask")), 3);
    EXPECT_EQ(bytesOf(path), QByteArray("written by another program"));

    platform::setNextAnswer(platform::Answer::Yes);
    form->BitBtn4->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(files::readUtf8(path)->contains(QStringLiteral("編集した本文")));

    // Unchanged on disk: saved without a question.
    open(path);
    form->Memo2->setText(QStringLiteral("もう一度"));
    platform::clearEvents();
    form->BitBtn4->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(countEvents(QStringLiteral("ask")), 0);
}

// A page made read-only is not replaced: the person is told, the editor
// keeps the text, and a save under another name still works.
TEST_F(EditorWindow, AReadOnlyPageIsNotWrittenOver)
{
    const QString path = page("1000_カエルの一生.html");
    const QByteArray before = bytesOf(path);
    open(path);
    form->Memo2->setText(QStringLiteral("編集した本文"));
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, readOnly));
    platform::clearEvents();
    form->BitBtn4->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_FALSE(QFile::permissions(path) & QFileDevice::WriteOwner);
    ASSERT_EQ(countEvents(QStringLiteral("message")), 1);
    EXPECT_TRUE(platform::events().constLast().text.contains(QStringLiteral("読み取り専用")));
    EXPECT_TRUE(platform::events().constLast().text.contains(QStringLiteral("1000_カエルの一生.html")));

    platform::setNextFileName(tree.path(QStringLiteral("1001_写し.html")));
    form->BitBtn1->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(files::readUtf8(tree.path(QStringLiteral("1001_写し.html")))->contains(QStringLiteral("編集した本文")));
}

TEST_F(EditorWindow, AlignmentRowsSetTagsAndPlacement)
{
    const QString path = page("1000_カエルの一生.html");
    open(path);
    form->resize(1265, 800);
    QApplication::processEvents();

    form->alignHeading(5);
    EXPECT_EQ(form->page.ETAGH1, QStringLiteral("<H1 align=\"center\">"));
    EXPECT_FALSE(form->SpeedButton5->flat());
    EXPECT_TRUE(form->SpeedButton4->flat());
    EXPECT_EQ(form->Memo4->alignment(), Qt::AlignHCenter);
    form->alignSubheading(9);
    EXPECT_EQ(form->page.ETAGH2, QStringLiteral("<H2 align=\"right\">"));

    form->SpeedButton35->click();  // A4
    form->SpeedButton20->click();
    EXPECT_EQ(form->page.ETAGP1, QStringLiteral("<P align=\"center\">"));
    EXPECT_EQ(form->page.ETAGHYO1, QStringLiteral("align=\"center\""));
    EXPECT_EQ(form->Memo1->width(), 686);
    EXPECT_EQ(form->Memo1->x(), (form->Panel12->width() - 686) / 2);
    EXPECT_EQ(form->Memo1->height(), form->Panel12->height());
    EXPECT_EQ(form->Memo81->alignment(), Qt::AlignHCenter);

    form->SpeedButton21->click();
    EXPECT_EQ(form->page.ETAGP1, QStringLiteral("<P align=\"left\">"));
    EXPECT_EQ(form->page.ETAGHYO1, QStringLiteral("align=\"right\""));
    EXPECT_EQ(form->Memo1->x() + form->Memo1->width(), form->Panel12->width());
    form->BitBtn4->click();

    // Reopened, the frame row shows the right-aligned frame.
    open(path);
    EXPECT_FALSE(form->SpeedButton21->flat());
    EXPECT_TRUE(form->SpeedButton19->flat());
    EXPECT_FALSE(form->SpeedButton5->flat());
    EXPECT_FALSE(form->SpeedButton9->flat());
    EXPECT_EQ(form->Memo1->align(), platform::Align::Right);
}

TEST_F(EditorWindow, FocusMarkSurvivesToolButtonsAndOtherWindows)
{
    open(page("1000_カエルの一生.html"));
    form->activateWindow();
    QApplication::setActiveWindow(form);
    form->Memo4->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(form->Memo4->tag(), 1);

    form->SpeedButton24->click();  // a markup button takes no focus
    QApplication::processEvents();
    EXPECT_EQ(form->Memo4->tag(), 1);

    // A dialog of the program taking the focus is no exit.
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(form->Memo4, &away);
    EXPECT_EQ(form->Memo4->tag(), 1);

    form->Memo2->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(form->Memo4->tag(), 0);
    EXPECT_EQ(form->Memo2->tag(), 1);
    form->Edit1->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    for (editor::EditorMemo* m : {form->Memo4, form->Memo5, form->Memo1, form->Memo2})
        EXPECT_EQ(m->tag(), 0) << m->objectName().toStdString();
}

TEST_F(EditorWindow, MemosGrowAndKeepTheirText)
{
    open(page("1000_カエルの一生.html"));
    form->Memo4->setText(QStringLiteral("一\r\n二\r\n三"));
    EXPECT_EQ(form->Memo4->height(), 117);
    EXPECT_EQ(form->Panel11->height(), 117 + form->Memo5->height() + 4);
    EXPECT_EQ(form->Panel7->height(), form->Panel11->height() + form->Panel12->height());
    form->Memo5->setText(QStringLiteral("小"));
    EXPECT_EQ(form->Memo5->height(), 47);
    EXPECT_EQ(form->Memo4->height(), 117);
    form->Memo1->setText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(form->Panel7->height(), 2 * 21 + form->Panel11->height() + 40);

    // A line too long for the memo counts as the lines it wraps into.
    form->resize(1000, 800);
    QApplication::processEvents();
    const int oneLine = form->Memo4->height();
    form->Memo4->setText(QString(400, QChar(u'長')));
    EXPECT_GT(form->Memo4->lineCount(), 2);
    EXPECT_EQ(form->Memo4->height(), form->Memo4->lineCount() * 29 + 30);
    EXPECT_GT(form->Memo4->height(), oneLine);

    // CR LF in the model, non-breaking spaces kept.
    const QString nbsp = QStringLiteral("a\u00A0b\r\nc");
    form->Memo2->setText(nbsp);
    EXPECT_EQ(form->page.Memo2, nbsp);
    form->Memo2->selectAll();
    EXPECT_EQ(form->Memo2->selText(), nbsp);
}

TEST_F(EditorWindow, TableLayoutShowsTheGrid)
{
    open(page("1000_カエルの一生.html"));
    form->resize(1000, 800);
    form->SpeedButton23->onMouseDown(platform::MouseArgs{});
    form->SpeedButton23->onMouseUp(platform::MouseArgs{});
    QApplication::processEvents();
    ASSERT_TRUE(form->Panel16->isVisible());
    EXPECT_FALSE(form->SpeedButton23->flat());
    const auto rects = editor::gridCellRects(form->Panel16->width(), form->Panel16->height());
    EXPECT_EQ(form->Memo3->geometry(), rects[0]);
    EXPECT_EQ(form->Memo81->geometry(), rects[76]);
    EXPECT_EQ(form->Memo3->backgroundColor(), editor::skyBlue());

    // A right click empties the cells (the framed text stays).
    form->Memo1->setText(QStringLiteral("表題"));
    form->Memo40->setText(QStringLiteral("セル"));
    EXPECT_EQ(form->page.Memo40, QStringLiteral("セル"));
    form->SpeedButton23->onMouseDown(platform::MouseArgs{Qt::RightButton, Qt::RightButton, {}, 1, 1, true});
    form->SpeedButton23->onMouseUp(platform::MouseArgs{});
    EXPECT_TRUE(form->Memo40->text().isEmpty());
    EXPECT_EQ(form->Memo1->text(), QStringLiteral("表題"));
}

TEST_F(EditorWindow, SourceViewEditsTheFields)
{
    const QString path = page("1000_カエルの一生.html");
    open(path);
    form->SpeedButton28->click();
    EXPECT_EQ(form->SpeedButton28->tag(), 1);
    EXPECT_TRUE(form->Panel17->visible());
    EXPECT_EQ(form->SpeedButton28->hint(), QStringLiteral("戻る"));
    const QString heading = form->page.Memo4;
    ASSERT_FALSE(heading.isEmpty());
    QString source = form->Memo82->text();
    ASSERT_TRUE(source.contains(heading));
    source.replace(heading, QStringLiteral("ソースで変えた"));
    form->Memo82->setText(source);
    form->SpeedButton28->click();
    EXPECT_EQ(form->SpeedButton28->tag(), 0);
    EXPECT_FALSE(form->Panel17->visible());
    EXPECT_EQ(form->Panel1->height(), 26);
    EXPECT_EQ(form->Memo4->text(), QStringLiteral("ソースで変えた"));
}

TEST_F(EditorWindow, PageKindsStayExclusive)
{
    open(page("1000_カエルの一生.html"));
    form->CheckBox2->setChecked(true);
    form->CheckBox1->setChecked(true);
    EXPECT_FALSE(form->CheckBox2->isChecked());
    EXPECT_TRUE(form->page.CheckBox1);
    EXPECT_FALSE(form->page.CheckBox2);
    form->CheckBox1->setChecked(false);
    EXPECT_FALSE(form->CheckBox2->isChecked());
}

TEST_F(EditorWindow, TypedSizesAreDigitsOnly)
{
    open(page("1010_季節の花.html"));
    form->GX->clear();
    form->GX->insert(QStringLiteral("12"));
    form->GX->insert(QStringLiteral("a"));
    EXPECT_EQ(form->GX->text(), QStringLiteral("12"));
    form->GX->clear();
    form->GY->setText(QStringLiteral("0"));
    // An empty or zero size means the picture's own size (96 x 80).
    form->SpeedButton10->click();
    EXPECT_EQ(form->page.GX, QStringLiteral("96"));
    EXPECT_EQ(form->page.GY, QStringLiteral("80"));
    EXPECT_FALSE(form->SpeedButton10->flat());
    EXPECT_EQ(form->Panel6->align(), platform::Align::Left);
    EXPECT_EQ(form->Panel6->width(), 96);
    form->ScrollBar1->setValue(192);
    EXPECT_EQ(form->GX->text(), QStringLiteral("192"));
    EXPECT_EQ(form->GY->text(), QStringLiteral("160"));
    EXPECT_EQ(form->PanelImage1->width(), 192);
    EXPECT_EQ(form->Panel6->width(), 192);
}

TEST_F(EditorWindow, NotesOpenInTheMemoWindow)
{
    const QString path = page("2000_理科/1000_水の三態.html");
    open(path);
    form->SpeedButton22->click();
    EXPECT_EQ(platform::events().constLast().kind, QStringLiteral("message"));  // no memo window yet

    QString shown;
    laterwindows::hooks().editNotes = [&shown](const QString& p) {
        shown = p;
        return true;
    };
    QWidget notes(main.get(), Qt::Window);
    laterwindows::hooks().memoWindow = &notes;
    notes.show();
    form->SpeedButton22->click();
    EXPECT_EQ(shown, tree.path(QStringLiteral("2000_理科/_Edit.txt")));
    // Beside the modal editor the memo window takes input: it is the editor's now.
    EXPECT_EQ(notes.parentWidget(), form);
    EXPECT_EQ(notes.size(), QSize(840, 600));
    form->BitBtn2->click();
    EXPECT_FALSE(notes.isVisible());  // closed with the editor
    EXPECT_EQ(notes.parentWidget(), main.get());
    laterwindows::hooks().memoWindow = nullptr;
}

TEST_F(EditorWindow, HandOffShowsTheEditorOnThePage)
{
    const QString path = page("1000_カエルの一生.html");
    platform::clearEvents();
    const auto caption = editor::runPageEditor(form, path, QStringLiteral("src"), false, tempBounds());
    ASSERT_TRUE(caption);
    EXPECT_EQ(*caption, path);
    EXPECT_EQ(form->page.Memo82, QStringLiteral("src"));
    EXPECT_EQ(countEvents(QStringLiteral("modal")), 1);
    EXPECT_FALSE(editor::runPageEditor(nullptr, path, QString(), false, tempBounds()));
}

TEST_F(EditorWindow, SyncChoosesTheLayoutFromTheTags)
{
    open(page("1010_季節の花.html"));

    // A tag without src: no picture, text only.
    form->page.Edit7 = QStringLiteral("<IMG width=\"4\" align=\"right\">");
    form->page.ETAGHYO1Tag = 0;
    form->SyncControlsFromPage();
    EXPECT_TRUE(form->page.Gname.isEmpty());
    EXPECT_TRUE(form->Image1->picture().isNull());
    EXPECT_EQ(form->Panel6->tag(), editor::kLayoutNoPicture);
    EXPECT_FALSE(form->Panel6->visible());
    EXPECT_FALSE(form->SpeedButton3->flat());

    // Grid cells win over the picture's align.
    form->page.Edit7 = QStringLiteral("<IMG src=\"flower.png\" width=\"96\" height=\"80\" align=\"left\">");
    form->page.ETAGHYO1Tag = 1;
    form->SyncControlsFromPage();
    EXPECT_EQ(form->page.Gname, QStringLiteral("flower.png"));
    EXPECT_TRUE(form->Panel16->visible());
    EXPECT_FALSE(form->Panel6->visible());
    EXPECT_FALSE(form->SpeedButton23->flat());
    EXPECT_TRUE(form->SpeedButton10->flat());

    // A style marker changed in the source changes the style, not the colours.
    form->page.ETAGHYO1Tag = 0;
    const QColor before = form->Memo4->backgroundColor();
    form->SpeedButton28->click();
    QString source = form->Memo82->text();
    source.replace(QStringLiteral("<!--STYLE_IN1-->"), QStringLiteral("<!--STYLE_IN4-->"));
    form->Memo82->setText(source);
    form->SpeedButton28->click();
    EXPECT_EQ(form->page.GroupBox1Tag, 4);
    EXPECT_EQ(form->GroupBox1->tag(), 4);
    EXPECT_EQ(form->Memo4->backgroundColor(), before);
}

namespace {

void mouseUp(QWidget* button)
{
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &e);
    }
}

} // namespace

// A link kept aside on one page is not put on a picture of the next page.
TEST_F(EditorWindow, APictureLinkOfAnEarlierPageDoesNotComeBack)
{
    open(page("1020_理科のへや.html"));
    form->BitBtn2->click(); // closed unchanged
    ASSERT_FALSE(form->isVisible());

    const QString path = page("1000_カエルの一生.html");
    open(path);
    form->SpeedButton11->click(); // 画中
    platform::setNextFileName(tree.path(QStringLiteral("flower.png")));
    mouseUp(form->SpeedButton1); // 読込
    ASSERT_EQ(form->page.Gname, QStringLiteral("flower.png"));
    form->SpeedButton10->click(); // 画左
    EXPECT_TRUE(form->page.Edit2.isEmpty());
    EXPECT_TRUE(form->page.Edit3.isEmpty());
    form->BitBtn4->click();
    const QString saved = *files::readUtf8(path);
    EXPECT_TRUE(saved.contains(QStringLiteral("flower.png")));
    EXPECT_FALSE(saved.contains(QStringLiteral("2000_理科")));
}

// The size boxes and the slider of a page without a picture are what a fresh
// editor shows there, whatever page was open before.
TEST_F(EditorWindow, APageWithoutAPictureDoesNotKeepThePreviousSizes)
{
    const QString plain = page("1000_カエルの一生.html");
    open(plain);
    ASSERT_TRUE(form->page.Gname.isEmpty());
    const QString freshGX = form->GX->text(), freshGY = form->GY->text();
    const int freshSlider = form->ScrollBar1->value();
    const bool freshSliderShown = form->ScrollBar1->isVisibleTo(form);
    form->BitBtn2->click();

    open(page("1010_季節の花.html"));
    ASSERT_EQ(form->GX->text(), QStringLiteral("192"));
    ASSERT_NE(form->ScrollBar1->value(), freshSlider);
    form->BitBtn2->click();

    open(plain);
    EXPECT_EQ(form->GX->text(), freshGX);
    EXPECT_EQ(form->GY->text(), freshGY);
    EXPECT_EQ(form->ScrollBar1->value(), freshSlider);
    EXPECT_EQ(form->ScrollBar1->isVisibleTo(form), freshSliderShown);
    EXPECT_EQ(form->page.PanelImage1Width, 0);
}

// 上書き保存 on an unchanged page keeps a picture from a web address.
TEST_F(EditorWindow, AnUnchangedSaveKeepsPicturesFromWebAddresses)
{
    const QString path = page("1000_カエルの一生.html");
    QString source = *files::readUtf8(path);
    const QString img = QStringLiteral("<IMG src=\"https://example.com/frog.png\" width=\"120\" height=\"90\" align=\"center\">");
    source.replace(QStringLiteral("<P></P><P>たまご"), QStringLiteral("<P align=\"center\">") + img + QStringLiteral("</P><P>たまご"));
    ASSERT_TRUE(source.contains(img));
    ASSERT_TRUE(files::writeBytes(path, source.toUtf8(), tempBounds()));
    open(path);
    form->BitBtn4->click();
    EXPECT_TRUE(files::readUtf8(path)->contains(img));
}

// A picture over the decode limit named in a page (a small file claiming
// 30000x30000 pixels) is a missing picture to the editor: nothing shown,
// no size taken from its header.
TEST_F(EditorWindow, APictureOverTheDecodeLimitIsShownAsMissing)
{
    ASSERT_TRUE(writePngBomb(page("flower.png"), 30000, 30000));
    open(page("1010_季節の花.html"));
    EXPECT_TRUE(form->Image1->picture().isNull());
    EXPECT_EQ(form->page.Image1Tag, 0);
    EXPECT_EQ(form->page.Image1Width, 0);
    EXPECT_EQ(form->page.Image1Height, 0);
    EXPECT_NE(form->GX->text(), QStringLiteral("30000"));
    EXPECT_LE(form->PanelImage1->width(), 1265);
    form->BitBtn2->click();

    // Without sizes in the tag the frame is the empty one, not 30000 wide.
    QString source = *files::readUtf8(page("1010_季節の花.html"));
    source.replace(QStringLiteral("<IMG src=\"flower.png\" width=\"192\" height=\"160\""), QStringLiteral("<IMG src=\"flower.png\""));
    ASSERT_TRUE(source.contains(QStringLiteral("<IMG src=\"flower.png\" vspace")));
    ASSERT_TRUE(files::writeTextBom(page("1020_bomb.html"), source, tempBounds()));
    open(page("1020_bomb.html"));
    EXPECT_TRUE(form->Image1->picture().isNull());
    EXPECT_EQ(form->page.Image1Width, 0);
    EXPECT_LE(form->page.PanelImage1Width, 1265);
    EXPECT_LE(form->PanelImage1->width(), 1265);
    EXPECT_NE(form->GX->text(), QStringLiteral("30000"));
    EXPECT_NE(form->GY->text(), QStringLiteral("30000"));
}
