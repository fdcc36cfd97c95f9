// The tools as a teacher reaches them from the main window, over pages like
// the ones the program ships: keyword links, the search level and friends.
#include "tools_window_fixture.h"

#include "tools/find_command.h"
#include "tools/forms/form4.h"
#include "tools/look_command.h"
#include "tools/look_link_commands.h"

#include <QLineEdit>
#include <QProcess>
#include <memory>

class ToolSeamsTest : public ToolsWindowTest {
protected:
    void TearDown() override
    {
        form.reset();
        Form4 = nullptr;
        ToolsWindowTest::TearDown();
    }
    TForm1& open()
    {
        TForm1& w = shown();
        form = std::make_unique<TForm4>(&w);
        Form4 = form.get();
        return w;
    }
    std::unique_ptr<TForm4> form;
};

TEST_F(ToolSeamsTest, KeywordLinksOnAPageWithOtherLinks)
{
    put("1000_カエルの一生.html", page(QStringLiteral("カエルの一生#たまご おたまじゃくし?生きもの")));
    put("1010_季節の花.html", page(QStringLiteral("季節の花")));
    put("3000_ことば調べ.html",
        page(QStringLiteral("ことば調べ#しらべる"),
             QStringLiteral("<H1>ことば調べ</H1>\r\n<P>おたまじゃくし はカエルの子です。季節の花 も見てみましょう。</P>\r\n"
                            "<P><A href=\"$LOOK たまご\">LOOK たまご</A>　<A href=\"/$LOOK カエルの一生\">LOOK カエルの一生</A></P>\r\n"
                            "<P><A href=\"movie.avi\">ビデオを見る</A></P>\r\n")));
    TForm1& w = open();
    QObject::connect(form.get(), &TForm4::activated, form.get(), [&] {
        form->Edit1->setText(QStringLiteral("カエ"));
        form->BitBtn1Click();
        form->BitBtn2Click();
        platform::setNextModalResult(form->result());
    });
    tools::Find1Click(w);
    ASSERT_EQ(w.levels.depth(), 2);
    w.PBanSave(w.levels.topEntries().indexOf(QStringLiteral("3000_ことば調べ.html")));
    tools::AddLookLinks(w);
    const QString linked = QString::fromUtf8(read("3000_ことば調べ.html"));
    EXPECT_TRUE(linked.contains(QStringLiteral("<A href=\"/$LOOK 季節の花\">季節の花</A>"))) << qPrintable(linked);
}
