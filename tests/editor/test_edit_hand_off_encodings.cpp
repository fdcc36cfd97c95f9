// Pages in other encodings through the edit hand-off: Shift_JIS under any of
// its names (or none) reaches the editor as its text and is saved unchanged
// with that text; a page that decodes no way is refused, named and left.
#include "viewer/page_display_fixture.h"
#include "support/write_bounds.h"

#include "editor/edit_hand_off.h"
#include "store/page_encoding.h"
#include "store/page_file.h"

#include <QStringEncoder>

namespace {

const QString kTitle = QStringLiteral("かえるの一生");
const QString kBody = QStringLiteral("<H1>おたまじゃくし</H1><P>池の中で<A href=\"$DIR 2000_理科\">理科のへや</A></P>");

QByteArray pageIn(const char* encoding, const QByteArray& charset)
{
    const QByteArray meta = charset.isEmpty() ? QByteArray()
        : "<META http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset + "\">";
    QStringEncoder encoder(encoding);
    return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML><HEAD>" + meta
        + "<TITLE>" + encoder.encode(kTitle) + "</TITLE></HEAD><BODY>" + encoder.encode(kBody)
        + "</BODY></HTML>\r\n";
}

} // namespace

class EditHandOffEncodings : public PageDisplayTest {
protected:
    void SetUp() override
    {
        PageDisplayTest::SetUp();
        editor::handOffParts() = editor::HandOffParts{};
        editor::handOffParts().applyLookLinks = [](TForm1&, int, const QString& text) { return text; };
        // The editor closed with 上書き保存 and nothing changed: the page is
        // read into the fields and written from them again.
        editor::handOffParts().runEditor = [this](TForm1&, const QString& path, const QString& source,
                                                  bool) -> std::optional<QString> {
            handed << source;
            store::PageModel m;
            m.Memo82 = source;
            store::LoadPageIntoEditor(m, path);
            EXPECT_TRUE(store::SavePage(m, path, tempBounds()));
            return path;
        };
    }
    void TearDown() override
    {
        editor::handOffParts() = editor::HandOffParts{};
        PageDisplayTest::TearDown();
    }
    QStringList messages() const
    {
        QStringList out;
        for (const auto& e : platform::events())
            if (e.kind == QLatin1String("message"))
                out << e.text;
        return out;
    }
    QStringList handed;
};

TEST_F(EditHandOffEncodings, ShiftJisUnderEveryNameSavesUnchangedWithItsText)
{
    writePage("a.html", "A");
    TForm1& w = start();
    for (const QByteArray charset : {"x-sjis", "sjis", "shift-jis", "windows-31j", ""}) {
        SCOPED_TRACE(charset.constData());
        // Written after the listing, which would convert a declared page.
        const QString path = rootFile("b.html");
        writeFile(path, pageIn("Shift_JIS", charset));
        handed.clear();
        platform::clearEvents();
        editor::EditPageFile(w, path, QString());
        ASSERT_EQ(handed.size(), 1);
        EXPECT_TRUE(handed.first().contains(kTitle));
        EXPECT_TRUE(handed.first().contains(kBody));
        const store::PageText saved = store::decodePage(files::readBytes(path).value());
        EXPECT_EQ(saved.encoding, store::PageEncoding::Utf8);
        EXPECT_TRUE(saved.text.contains(QStringLiteral("<TITLE>") + kTitle + QStringLiteral("</TITLE>")));
        EXPECT_TRUE(saved.text.contains(QStringLiteral("おたまじゃくし")));
        EXPECT_TRUE(saved.text.contains(QStringLiteral("$DIR 2000_理科")));
        EXPECT_FALSE(saved.text.contains(QChar(0xFFFD)));
        EXPECT_TRUE(messages().isEmpty()) << messages().join(' ').toStdString();
    }
}

TEST_F(EditHandOffEncodings, PagesThatDecodeNoWayAreRefusedByName)
{
    writePage("a.html", "A");
    TForm1& w = start();
    const QByteArray euc = pageIn("EUC-JP", "EUC-JP");
    const QByteArray broken = pageIn("Shift_JIS", "") + "Caf\xE9 cr\xE8me\r\n";
    for (const QByteArray& bytes : {euc, broken}) {
        const QString path = rootFile("c.html");
        writeFile(path, bytes);
        handed.clear();
        platform::clearEvents();
        editor::EditPageFile(w, path, QString());
        EXPECT_TRUE(handed.isEmpty());
        EXPECT_EQ(messages(), QStringList{store::undecidablePageMessage(path)});
        EXPECT_TRUE(messages().value(0).contains(QStringLiteral("c.html")));
        EXPECT_EQ(files::readBytes(path).value(), bytes);
        EXPECT_FALSE(editor::editInProgress());
    }
}

TEST_F(EditHandOffEncodings, AnUndeclaredEucJpPageIsReadAsEucJpAndNeverRewritten)
{
    // Old Japanese pages from Unix often declare nothing; many of them would
    // also pass as Shift_JIS, as half-width katakana.
    QStringEncoder euc("EUC-JP");
    const QByteArray full = pageIn("EUC-JP", "");
    const QByteArray shortPage = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                                 "<HTML><HEAD><TITLE>" + euc.encode(QStringLiteral("季節の花"))
        + "</TITLE></HEAD><BODY>" + euc.encode(QStringLiteral("おたまじゃくし")) + "</BODY></HTML>\r\n";
    writeFile(rootFile("c.html"), full);
    writeFile(rootFile("d.html"), shortPage);
    TForm1& w = start();
    EXPECT_EQ(w.levels.topTitles(), QStringList({kTitle, QStringLiteral("季節の花")}));
    for (const auto& [name, bytes] : {std::pair{"c.html", full}, std::pair{"d.html", shortPage}}) {
        const QString path = rootFile(name);
        handed.clear();
        platform::clearEvents();
        editor::EditPageFile(w, path, QString());
        EXPECT_TRUE(handed.isEmpty()) << name;
        EXPECT_EQ(messages(), QStringList{store::undecidablePageMessage(path)});
        EXPECT_EQ(files::readBytes(path).value(), bytes);
    }
    // A Shift_JIS page of the same text stays Shift_JIS.
    EXPECT_EQ(store::decodePage(pageIn("Shift_JIS", "")).encoding, store::PageEncoding::ShiftJis);
}
