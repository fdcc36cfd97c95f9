// A renaming cut off by a kill is put right by the next start, before the
// first page shows.
#include "app/startup_order.h"

#include "app/other_forms.h"
#include "platform/browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "support/fake_browser.h"
#include "tools/rename_journal.h"
#include "viewer/main_window.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(StartUpRecovery, ARunCutOffOnceEveryFileSteppedAsideIsFinishedBeforeTheFirstPage)
{
    platform::useFakeBrowsers(true);
    platform::setTestMode(true);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = files::joinPath(dir.path(), QStringLiteral("tool.data"));
    QDir().mkpath(root);
    const auto put = [&](const QString& name, const QByteArray& bytes) {
        QFile f(files::joinPath(root, name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    // flower.png was parked on its way to 1010_flower.png; a.html's new text waits beside it.
    ASSERT_TRUE(put(QStringLiteral("a.html"), "<IMG src=\"flower.png\">"));
    ASSERT_TRUE(put(QStringLiteral(".pagora-moving-r-0"), "png"));
    ASSERT_TRUE(put(QStringLiteral(".pagora-staged-r-0.tmp"), "<IMG src=\"1010_flower.png\">"));
    ASSERT_TRUE(put(QStringLiteral(".pagora-x.tmp"), "a write cut off"));
    tools::RenameJournal j{tools::RenameJournal::Phase::Placing, QStringLiteral("r"),
                           {{files::joinPath(root, "flower.png"), files::joinPath(root, ".pagora-moving-r-0"),
                             files::joinPath(root, "1010_flower.png")}},
                           {{files::joinPath(root, ".pagora-staged-r-0.tmp"), files::joinPath(root, "a.html")}}};
    ASSERT_TRUE(tools::writeJournal(root, j));

    TForm1* main = app::startWindows({}, files::joinPath(dir.path(), QStringLiteral("tool")));
    ASSERT_NE(main, nullptr);
    main->ShutdownPauseMs = 0;
    EXPECT_EQ(files::readBytes(files::joinPath(root, "a.html")).value_or(""), "<IMG src=\"1010_flower.png\">");
    EXPECT_EQ(files::readBytes(files::joinPath(root, "1010_flower.png")).value_or(""), "png");
    const QStringList left = QDir(root).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList({"1010_flower.png", "a.html"}));
    main->close();
    delete main;
    destroyOtherForms();
}
