// The programming environment: found beside the program or in the data
// root, started through the seam (never for real), and the launcher dialog's
// answers.
#include "viewer/page_display_fixture.h"

#include "tools/forms/form23.h"
#include "tools/main_window_bindings.h"
#include "tools/programming_env.h"

#include <QDialog>
#include <memory>

class ProgrammingEnvTest : public PageDisplayTest {
protected:
    void SetUp() override
    {
        PageDisplayTest::SetUp();
        launcher = std::make_unique<TForm23>();
        Form23 = launcher.get();
    }
    void TearDown() override
    {
        Form23 = nullptr;
        launcher.reset();
        platform::setProgramHandler({});
        PageDisplayTest::TearDown();
    }
    // A stand-in environment at folder/ZORB/zorb.
    void installEnvironment(const QString& folder)
    {
        const QString exe = files::joinPath(folder, QStringLiteral("ZORB/zorb"));
        writeFile(exe, "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    TForm1& open()
    {
        TForm1& w = start();
        tools::bindMainWindow(w);
        platform::clearEvents();
        return w;
    }
    QList<platform::SeamEvent> eventsOf(const QString& kind) const
    {
        QList<platform::SeamEvent> out;
        for (const auto& e : platform::events())
            if (e.kind == kind)
                out << e;
        return out;
    }

    std::unique_ptr<TForm23> launcher;
};

TEST_F(ProgrammingEnvTest, TheLaunchersAnswerStartsTheEnvironmentWithAnEmptyArgument)
{
    installEnvironment(dir.path());
    installEnvironment(root()); // the data root's copy wins
    TForm1& w = open();
    ASSERT_EQ(w.ProgrammingEnvExe, rootFile("ZORB/zorb"));
    EXPECT_EQ(w.SpeedButton3->hint(), QStringLiteral("プログラミング"));

    platform::setNextModalResult(QDialog::Accepted); // "Zorblandの起動"
    w.SpeedButton3->click();
    EXPECT_EQ(tools::LauncherResult, QStringLiteral("ZORB"));
    ASSERT_EQ(eventsOf("modal").size(), 1);
    const auto starts = eventsOf("start");
    ASSERT_EQ(starts.size(), 1);
    EXPECT_EQ(starts[0].text, rootFile("ZORB/zorb"));
    EXPECT_EQ(starts[0].args, QStringList{QString()});

    // "とじる" or the window frame: nothing starts.
    platform::clearEvents();
    platform::setNextModalResult(QDialog::Rejected);
    w.SpeedButton3->click();
    EXPECT_TRUE(tools::LauncherResult.isEmpty());
    EXPECT_EQ(eventsOf("modal").size(), 1);
    EXPECT_TRUE(eventsOf("start").isEmpty());
}

TEST_F(ProgrammingEnvTest, WithoutTheEnvironmentTheButtonSaysSoAndDoesNothing)
{
    TForm1& w = open();
    EXPECT_TRUE(w.ProgrammingEnvExe.isEmpty());
    EXPECT_FALSE(w.SpeedButton3->enabled());
    EXPECT_EQ(w.SpeedButton3->hint(), QStringLiteral("ZORBを入れるとプログラミングできます。"));
    tools::RunProgrammingLauncher(w);
    tools::RunInProgrammingEnv(w, rootFile("a.zbx"));
    EXPECT_TRUE(platform::events().isEmpty());
}

TEST_F(ProgrammingEnvTest, FolderWriteFailureKeepsTheLauncherShut)
{
    installEnvironment(dir.path());
    TForm1& w = open();
    w.FolderWriteFailed = 1;
    platform::setNextModalResult(QDialog::Accepted);
    tools::RunProgrammingLauncher(w);
    EXPECT_TRUE(platform::events().isEmpty());
}

TEST_F(ProgrammingEnvTest, AnEnvironmentThatWillNotStartIsReported)
{
    installEnvironment(dir.path());
    TForm1& w = open();
    platform::setProgramHandler([](const QString&, const QStringList&) { return false; });
    tools::RunInProgrammingEnv(w, rootFile("a.zbx"));
    const auto starts = eventsOf("start");
    ASSERT_EQ(starts.size(), 1);
    EXPECT_EQ(starts[0].args, QStringList{rootFile("a.zbx")});
    EXPECT_EQ(eventsOf("message").size(), 1);
}

TEST_F(ProgrammingEnvTest, TheLauncherWindowAnswersAndOffersTheWebPage)
{
    EXPECT_EQ(launcher->BitBtn3->caption(), QStringLiteral("Zorblandの起動"));
    EXPECT_EQ(launcher->BitBtn1->caption(), QStringLiteral("とじる"));
    EXPECT_EQ(launcher->Label6->caption(), tools::kZorblandWebPage);
    tools::LauncherResult = QStringLiteral("ZORB");
    launcher->FormShow(); // every show starts without an answer
    EXPECT_TRUE(tools::LauncherResult.isEmpty());
    launcher->BitBtn3Click();
    EXPECT_EQ(tools::LauncherResult, QStringLiteral("ZORB"));
    launcher->BitBtn1Click();
    EXPECT_TRUE(tools::LauncherResult.isEmpty());

    platform::clearEvents();
    launcher->Label6Click();
    launcher->Panel3Click();
    const auto opened = eventsOf("openUrl");
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0].text, tools::kZorblandWebPage);
    EXPECT_EQ(opened[1].text, tools::kZorblandWebPage);
}
