#include "store/page_encoding.h"
#include "store/files.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

using namespace store;

namespace {

QByteArray encoded(const char* charset, const QString& text)
{
    QStringEncoder encoder(charset);
    return encoder.encode(text);
}

QByteArray pageDeclaring(const QByteArray& charset, const QByteArray& body)
{
    return "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset
        + "\"><TITLE>t</TITLE></HEAD><BODY>" + body + "</BODY></HTML>\r\n";
}

const QString kJapanese = QStringLiteral("カエルの一生と理科のへや");

// A page head followed by nothing on disk (a sparse file) up to size bytes.
QString sparsePage(const TempTree& t, const QString& name, qint64 size)
{
    const QString path = t.write(name, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">"
                                       "<HTML><HEAD><TITLE>big</TITLE></HEAD><BODY>");
    QFile file(path);
    if (!file.resize(size))
        return QString();
    return path;
}

} // namespace

TEST(PageEncoding, MarkAndValidUtf8AreUtf8WhenNoOtherCharsetIsDeclared)
{
    const QByteArray utf8 = pageDeclaring("UTF-8", kJapanese.toUtf8());
    const PageText plain = decodePage(utf8);
    EXPECT_EQ(plain.encoding, PageEncoding::Utf8);
    EXPECT_TRUE(plain.text.contains(kJapanese));
    EXPECT_EQ(decodePage(kJapanese.toUtf8()).encoding, PageEncoding::Utf8);
    // Plain ASCII reads the same whatever is declared.
    EXPECT_EQ(decodePage(pageDeclaring("Shift_JIS", "abc")).encoding, PageEncoding::Utf8);
    const PageText marked = decodePage("\xEF\xBB\xBF" + utf8);
    EXPECT_EQ(marked.encoding, PageEncoding::Utf8);
    EXPECT_TRUE(marked.hasBom);
    EXPECT_TRUE(marked.text.startsWith(u"<HTML>"));
    // A mark followed by broken bytes is no page to rewrite.
    EXPECT_EQ(decodePage("\xEF\xBB\xBF" "abc\xFF").encoding, PageEncoding::Undecidable);
}

TEST(PageEncoding, ADeclaredCharsetWinsOverBytesThatAreAlsoUtf8AndSuchAPageIsNeverRewritten)
{
    // Half-width katakana pairs that are valid UTF-8 too ("ýɰ"): the
    // browser shows the declared Shift_JIS.
    const PageText kana = decodePage(pageDeclaring("Shift_JIS", "\xC3\xBD\xC9\xB0"));
    EXPECT_TRUE(kana.text.contains(QStringLiteral("ﾃｽﾉｰ")));
    EXPECT_FALSE(kana.text.contains(QStringLiteral("ýɰ")));
    EXPECT_FALSE(kana.canRewrite());
    EXPECT_TRUE(kana.readable());
    // A UTF-8 page under an old declaration is not turned into its mojibake either.
    EXPECT_FALSE(decodePage(pageDeclaring("Shift_JIS", kJapanese.toUtf8())).canRewrite());
    const PageText latin = decodePage(pageDeclaring("windows-1252", "Caf\xC3\xA9"));
    EXPECT_EQ(latin.text.contains(QStringLiteral("CafÃ©")), true);
    EXPECT_FALSE(latin.canRewrite());
    // A meta tag naming UTF-16 means UTF-8.
    EXPECT_EQ(decodePage(pageDeclaring("UTF-16", kJapanese.toUtf8())).encoding, PageEncoding::Utf8);
}

TEST(PageEncoding, Utf16WithoutAMarkIsNeverRewritten)
{
    const QString page = QStringLiteral("<META charset=\"UTF-16\"><P>") + kJapanese;
    const PageText le = decodePage(encoded("UTF-16LE", page));
    EXPECT_FALSE(le.canRewrite());
    EXPECT_EQ(le.text, page);
    const PageText be = decodePage(encoded("UTF-16BE", page));
    EXPECT_FALSE(be.canRewrite());
    EXPECT_EQ(be.text, page);
    EXPECT_FALSE(decodePage(encoded("UTF-16LE", QStringLiteral("<P>abc"))).canRewrite());
    // A stray NUL makes no UTF-16.
    EXPECT_EQ(decodePage(QByteArray("<P>abcdefgh\0ijklmnop</P>", 24)).encoding, PageEncoding::Utf8);
}

TEST(PageEncoding, EveryShiftJisAliasInAnyCaseDecodesToTheSameText)
{
    for (const QByteArray alias : {"shift_jis", "SHIFT-JIS", "x-sjis", "Sjis", "windows-31j", "CP932",
                                   "MS_Kanji"}) {
        const PageText page = decodePage(pageDeclaring(alias, encoded("Shift_JIS", kJapanese)));
        EXPECT_EQ(page.encoding, PageEncoding::ShiftJis) << alias.constData();
        EXPECT_TRUE(page.declaresShiftJis()) << alias.constData();
        EXPECT_TRUE(page.canRewrite());
        EXPECT_TRUE(page.text.contains(kJapanese)) << alias.constData();
    }
}

TEST(PageEncoding, DeclarationsComeFromMetaOrXmlNeverFromTextOrComments)
{
    const QByteArray xml = "<?xml version=\"1.0\" encoding='x-sjis'?><html>";
    EXPECT_EQ(declaredCharset(xml).name, "x-sjis");
    EXPECT_EQ(xml.mid(declaredCharset(xml).at, 6), "x-sjis");
    EXPECT_EQ(declaredCharset("<html><head><meta charset=\"EUC-JP\">").name, "EUC-JP");
    EXPECT_TRUE(declaredCharset("<p>we used charset=Shift_JIS once</p>").name.isEmpty());
    EXPECT_TRUE(declaredCharset("<!-- <meta charset=\"Shift_JIS\"> --><p>x</p>").name.isEmpty());
    EXPECT_TRUE(declaredCharset("<head></head><body><meta charset=sjis>").name.isEmpty());
    EXPECT_TRUE(declaredCharset("<metadata charset=sjis>").name.isEmpty());
}

TEST(PageEncoding, UndeclaredShiftJisOnlyWhenEveryByteDecodes)
{
    const PageText sjis = decodePage("<p>" + encoded("Shift_JIS", kJapanese) + "</p>");
    EXPECT_EQ(sjis.encoding, PageEncoding::ShiftJis);
    EXPECT_TRUE(sjis.text.contains(kJapanese));
    // windows-1252 text: "é " is no Shift_JIS pair.
    EXPECT_EQ(decodePage("<p>Caf\xE9 cr\xE8me, used Shift_JIS</p>").encoding, PageEncoding::Undecidable);
    // A lead byte alone at the end of the page.
    EXPECT_EQ(decodePage("<p>\x82\xA0\x82").encoding, PageEncoding::Undecidable);
}

TEST(PageEncoding, AnotherDeclaredCharsetIsReadOnly)
{
    const PageText euc = decodePage(pageDeclaring("EUC-JP", encoded("EUC-JP", kJapanese)
                                                  + "<!-- was Shift_JIS -->"));
    EXPECT_EQ(euc.encoding, PageEncoding::Other);
    EXPECT_FALSE(euc.canRewrite());
    EXPECT_TRUE(euc.text.contains(kJapanese));
    const PageText jis = decodePage(pageDeclaring("ISO-2022-JP", encoded("ISO-2022-JP", kJapanese) + "\x1B(B"));
    EXPECT_EQ(jis.encoding, PageEncoding::Other);
    EXPECT_TRUE(jis.text.contains(kJapanese));
    const PageText latin = decodePage(pageDeclaring("windows-1252", "Caf\xE9"));
    EXPECT_EQ(latin.encoding, PageEncoding::Other);
    EXPECT_TRUE(latin.text.contains(QStringLiteral("Café")));
    EXPECT_EQ(decodePage(pageDeclaring("no-such-charset", "\xFF\xFE\xFD")).encoding,
              PageEncoding::Undecidable);
    EXPECT_EQ(decodePage(pageDeclaring("UTF-8", "\x82\xA0")).encoding, PageEncoding::Undecidable);
    EXPECT_TRUE(decodePage(pageDeclaring("UTF-8", "\x82\xA0")).text.isEmpty());
}

TEST(PageEncoding, AHeadMayEndInsideACharacter)
{
    const QByteArray utf8 = ("<p>" + kJapanese).toUtf8();
    const QByteArray cut = utf8.left(utf8.size() - 1);
    EXPECT_EQ(decodePage(cut).encoding, PageEncoding::Undecidable);
    const PageText head = decodePage(cut, true);
    EXPECT_EQ(head.encoding, PageEncoding::Utf8);
    EXPECT_EQ(head.text, ("<p>" + kJapanese).chopped(1));
    const QByteArray sjis = "<p>" + encoded("Shift_JIS", kJapanese);
    const PageText sjisHead = decodePage(sjis.left(sjis.size() - 1), true);
    EXPECT_EQ(sjisHead.encoding, PageEncoding::ShiftJis);
    EXPECT_EQ(sjisHead.text, ("<p>" + kJapanese).chopped(1));
}

TEST(PageEncoding, RefusalNamesTheFile)
{
    EXPECT_TRUE(undecidablePageMessage("/x/1010_季節の花.html").contains(QStringLiteral("1010_季節の花.html")));
}

TEST(PageEncoding, ReadersThatOnlyLookGetTheDecidedTextAndTheMarkupOfTheRest)
{
    TempTree t;
    const QString sjis = t.write("a.html", "<IMG src=\"a.png\">" + encoded("Shift_JIS", kJapanese));
    EXPECT_EQ(readPageText(sjis).value(), QStringLiteral("<IMG src=\"a.png\">") + kJapanese);
    const QString broken = t.write("b.html", "<IMG src=\"b.png\">Caf\xE9 \xFF");
    EXPECT_TRUE(readPageText(broken).value().startsWith(QStringLiteral("<IMG src=\"b.png\">")));
    EXPECT_FALSE(readPageText(t.path("missing.html")).has_value());

    QString refusal;
    EXPECT_TRUE(readPageToRewrite(sjis, refusal).has_value());
    EXPECT_TRUE(refusal.isEmpty());
    EXPECT_FALSE(readPageToRewrite(broken, refusal).has_value());
    EXPECT_EQ(refusal, undecidablePageMessage(broken));
    EXPECT_FALSE(readPageToRewrite(t.path("missing.html"), refusal).has_value());
    EXPECT_TRUE(refusal.isEmpty());
}

// A file named like a page but larger than any page (a video, or a planted
// sparse file of hundreds of MB) is never read whole for the program's own
// use: every reader of pages gets nothing, and a writer is told why.
TEST(PageEncoding, PagesOverTheLargestPageAreNeverRead)
{
    TempTree t;
    const QString over = sparsePage(t, "over.html", kLargestPage + 1);
    const QString huge = sparsePage(t, "huge.html", qint64(400) << 20);
    const QString atLimit = sparsePage(t, "limit.html", kLargestPage);
    ASSERT_FALSE(over.isEmpty());
    ASSERT_FALSE(huge.isEmpty());
    ASSERT_FALSE(atLimit.isEmpty());
    for (const QString& path : {over, huge}) {
        EXPECT_FALSE(readPageBytes(path).has_value());
        EXPECT_FALSE(readPage(path).has_value());
        EXPECT_FALSE(readPageText(path).has_value());
        EXPECT_TRUE(isOverPageLimit(path));
        QString refusal;
        EXPECT_FALSE(readPageToRewrite(path, refusal).has_value());
        EXPECT_EQ(refusal, oversizedPageMessage(path));
        EXPECT_TRUE(refusal.contains(QFileInfo(path).fileName()));
    }
    EXPECT_EQ(readPageBytes(atLimit).value().size(), kLargestPage);
    EXPECT_FALSE(isOverPageLimit(atLimit));
    EXPECT_FALSE(isOverPageLimit(t.path("missing.html")));
}
