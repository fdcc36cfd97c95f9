// Shared files changed by two instances at once, and files the person made
// read-only.
#include "store/file_lock.h"
#include "store/files.h"
#include "store/read_only.h"
#include "support/processes.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace files;

namespace {

// One step of a counter kept as a decimal number in a file.
bool countOnce(const QString& path)
{
    const FileLock lock(path);
    if (!lock.held())
        return false;
    const int n = readBytes(path).value_or(QByteArray("0")).toInt();
    return writeBytes(path, QByteArray::number(n + 1), {QFileInfo(path).absolutePath()});
}

} // namespace

TEST(FileLock, TwoProcessesCountingThroughTheLockLoseNoStep)
{
    TempTree t;
    const QString counter = t.write("count.txt", "0");
    const bool ran = runInProcesses(2, [&counter](int) {
        for (int i = 0; i < 300; ++i) {
            if (!countOnce(counter))
                return false;
        }
        return true;
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(t.read("count.txt"), "600");
    // The lock leaves nothing behind in the folder.
    EXPECT_EQ(QDir(t.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(FileLock, NestedInOneThreadAndRefusedWhileAnotherProcessHoldsIt)
{
    TempTree t;
    const QString a = t.write("a.txt");
    {
        const FileLock outer(a);
        const FileLock inner(t.path("b.txt")); // the same folder: no wait for itself
        EXPECT_TRUE(outer.held());
        EXPECT_TRUE(inner.held());
        // Another process waits for it and gives up after its time.
        EXPECT_TRUE(runInProcesses(1, [&a](int) { return !FileLock(a, 200).held(); }));
    }
    EXPECT_TRUE(runInProcesses(1, [&a](int) { return FileLock(a, 200).held(); }));
    EXPECT_FALSE(FileLock(t.path("missing/x.txt")).held());
}

TEST(ReadOnlyFiles, AreNeitherReplacedNorAppendedTo)
{
    TempTree t;
    const QString page = t.write("page.html", "mine");
    const QString source = t.write("other.html", "other");
    ASSERT_TRUE(QFile::setPermissions(page, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_TRUE(isReadOnlyFile(page));
    EXPECT_FALSE(isReadOnlyFile(source));
    EXPECT_FALSE(isReadOnlyFile(t.path("missing.html")));
    EXPECT_FALSE(writeBytes(page, "new", {t.path()}));
    EXPECT_FALSE(writeTextBom(page, "new", {t.path()}));
    EXPECT_FALSE(appendBytes(page, "more", {t.path()}));
    EXPECT_FALSE(copyFileOver(source, page, {t.path()}));
    EXPECT_EQ(t.read("page.html"), "mine");
    EXPECT_EQ(QDir(t.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file left
}
