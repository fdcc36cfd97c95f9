// The page memo window on a started main window: the memo button's states,
// saving and deleting the ".%xt" file, following the page display, the
// start-up timer and the presentation mask keeping it hidden.
#include "media_window_fixture.h"

#include "store/files.h"
#include "tools/memo.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QStandardPaths>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

class MemoTest : public MediaWindowTest {
protected:
    static void leftClickMemoButton(TForm1& w)
    {
        w.RightClickFlag = false;
        memo::textup(w);
    }
    static bool trashHolds(const QString& name)
    {
        const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash/files";
        return QFileInfo::exists(files::joinPath(trash, name));
    }
};

} // namespace

TEST_F(MemoTest, BlankMemoIsWrittenSavedAndThenCarriesItsTime)
{
    writePage("a.html", "a");
    TForm1& w = startBound();
    EXPECT_EQ(Form12->windowTitle(), QStringLiteral("白紙"));
    EXPECT_EQ(Form12->Edit1, rootFile("a.%xt"));

    leftClickMemoButton(w); // hidden -> shown, empty
    EXPECT_EQ(w.Tag, 1);
    EXPECT_EQ(w.SpeedButton7->hint(), QStringLiteral("メモの非表示"));
    EXPECT_TRUE(Form12->isVisible());
    EXPECT_TRUE(Form12->Memo1->toPlainText().isEmpty());

    leftClickMemoButton(w); // shown with "白紙" -> a blank memo being written
    EXPECT_EQ(w.Tag, 2);
    EXPECT_TRUE(Form12->isVisible());
    Form12->Memo1->setPlainText(QString::fromUtf8("一行目\n二行目\xC2\xA0です"));
    Form12->SpeedButton1->click();
    EXPECT_EQ(files::readBytes(rootFile("a.%xt")).value_or(QByteArray()),
              kBom + QString::fromUtf8("一行目\r\n二行目\xC2\xA0です\r\n").toUtf8());

    w.Timer5Timer(); // the patrol finds the memo: its time, and the memo loaded again
    EXPECT_TRUE(Form12->windowTitle().startsWith(QLatin1Char(' ')));
    EXPECT_TRUE(Form12->windowTitle().endsWith(QStringLiteral("秒")));
    EXPECT_TRUE(Form12->isVisible());

    leftClickMemoButton(w); // the page has a memo now: hidden
    EXPECT_EQ(w.Tag, 0);
    EXPECT_EQ(w.SpeedButton7->hint(), QStringLiteral("メモの表示"));
    EXPECT_FALSE(Form12->isVisible());
}

TEST_F(MemoTest, RightClickHidesAndAFailedSaveIsReported)
{
    writePage("a.html", "a");
    TForm1& w = startBound();
    leftClickMemoButton(w);
    ASSERT_TRUE(Form12->isVisible());
    w.RightClickFlag = true;
    memo::textup(w);
    EXPECT_EQ(w.Tag, 0);
    EXPECT_FALSE(Form12->isVisible());

    // A memo whose folder has gone cannot be saved: the user hears of it.
    Form12->Edit1 = files::joinPath(dir.path(), QStringLiteral("gone/a.%xt"));
    platform::clearEvents();
    Form12->SpeedButton1Click();
    ASSERT_EQ(platform::events().size(), 1);
    EXPECT_EQ(platform::events()[0].kind, QStringLiteral("message"));
    EXPECT_FALSE(QFileInfo::exists(Form12->Edit1));
}

TEST_F(MemoTest, FollowsThePagesShownAfterTheStartTimer)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    // Saved on Japanese Windows: Shift_JIS, and the name's letter case not kept.
    writeFile(rootFile("A.%XT"), files::encodeShiftJis(QStringLiteral("発表のメモ")));
    TForm1& w = startBound();
    EXPECT_EQ(w.Tag, 0);
    EXPECT_FALSE(Form12->isVisible());
    EXPECT_EQ(Form12->Memo1->toPlainText(), QStringLiteral("発表のメモ"));

    w.Timer6->fire(); // one second after start: shown
    EXPECT_EQ(w.Tag, 1);
    EXPECT_TRUE(Form12->isVisible());

    showPage(w, 1); // no memo: closed
    EXPECT_EQ(Form12->windowTitle(), QStringLiteral("白紙"));
    EXPECT_FALSE(Form12->isVisible());

    leftClickMemoButton(w); // a blank memo on b ...
    EXPECT_EQ(w.Tag, 2);
    showPage(w, 0); // ... ends with the display, a's memo shows
    EXPECT_EQ(w.Tag, 1);
    EXPECT_TRUE(Form12->isVisible());
    EXPECT_EQ(Form12->Memo1->toPlainText(), QStringLiteral("発表のメモ"));
    // Read, not rewritten: it stays Shift_JIS until saved.
    EXPECT_EQ(files::readBytes(rootFile("A.%XT")).value_or(QByteArray()),
              files::encodeShiftJis(QStringLiteral("発表のメモ")));
}

TEST_F(MemoTest, MemosOfTheSameTimeStillFollowThePage)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    const QDateTime copied(QDate(2024, 5, 1), QTime(9, 0));
    writeFile(rootFile("a.%xt"), kBom + QByteArray("memo a\r\n"));
    writeFile(rootFile("b.%xt"), kBom + QByteArray("memo b\r\n"));
    setModified(rootFile("a.%xt"), copied);
    setModified(rootFile("b.%xt"), copied);
    TForm1& w = startBound();
    w.Timer6->fire();
    EXPECT_EQ(Form12->Memo1->toPlainText(), QStringLiteral("memo a"));
    const QString caption = Form12->windowTitle();
    showPage(w, 1);
    EXPECT_EQ(Form12->windowTitle(), caption);
    EXPECT_EQ(Form12->Memo1->toPlainText(), QStringLiteral("memo b"));
    Form12->SpeedButton1Click();
    EXPECT_EQ(files::readBytes(rootFile("a.%xt")).value_or(QByteArray()), kBom + QByteArray("memo a\r\n"));
}

TEST_F(MemoTest, PresentationMaskKeepsTheMemoHidden)
{
    writePage("a.html", "a");
    writeFile(rootFile("a.%xt"), kBom + QByteArray("memo\r\n"));
    TForm1& w = startBound();
    w.Timer6->fire();
    ASSERT_TRUE(Form12->isVisible());
    Form12->close();
    Form11->Tag = 1;
    memo::LoadPageMemo(w, rootFile("a.%xt"));
    EXPECT_FALSE(Form12->isVisible());
    Form11->Tag = 0;
    memo::LoadPageMemo(w, rootFile("a.%xt"));
    EXPECT_TRUE(Form12->isVisible());
}

TEST_F(MemoTest, DeleteSendsTheMemoToTheTrash)
{
    writePage("a.html", "a");
    writeFile(rootFile("a.%xt"), kBom + QByteArray("memo\r\n"));
    TForm1& w = startBound();
    w.Timer6->fire();
    ASSERT_TRUE(Form12->isVisible());
    Form12->SpeedButton2->click();
    EXPECT_FALSE(QFileInfo::exists(rootFile("a.%xt")));
    EXPECT_TRUE(trashHolds(QStringLiteral("a.%xt")));
    EXPECT_TRUE(Form12->Edit1.isEmpty());
    EXPECT_TRUE(Form12->Memo1->toPlainText().isEmpty());
    EXPECT_FALSE(Form12->isVisible());
    w.Timer5Timer();
    EXPECT_EQ(Form12->windowTitle(), QStringLiteral("白紙"));
}

TEST_F(MemoTest, ShowsAlongTheBottomOfTheMainWindow)
{
    writePage("a.html", "a");
    TForm1& w = startBound();
    w.setGeometry(100, 80, 1000, 700);
    Form12->show();
    EXPECT_EQ(Form12->width(), w.frameGeometry().width() - 320);
    EXPECT_EQ(Form12->x(), w.frameGeometry().left() + 50);
    EXPECT_EQ(Form12->frameGeometry().bottom() + 1,
              w.frameGeometry().top() + w.frameGeometry().height() - 50);
}

TEST_F(MemoTest, EditorNotesOpenEmptyAndSaveCreatesTheFile)
{
    writePage("a.html", "a");
    startBound();
    const QString notes = rootFile("_Edit.txt");
    ASSERT_TRUE(laterwindows::hooks().editNotes);
    ASSERT_TRUE(laterwindows::hooks().editNotes(notes));
    EXPECT_EQ(Form12->windowTitle(), notes);
    EXPECT_EQ(Form12->Edit1, notes);
    EXPECT_TRUE(Form12->Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(Form12->isVisible());
    Form12->setMemoText("覚え書き");
    Form12->SpeedButton1->click();
    EXPECT_EQ(files::readBytes(notes).value_or(""), kBom + QByteArray("覚え書き\r\n"));
    // Opened again, the notes come back as written.
    Form12->setMemoText("");
    ASSERT_TRUE(laterwindows::hooks().editNotes(notes));
    EXPECT_EQ(Form12->Memo1->toPlainText(), QStringLiteral("覚え書き"));
}
