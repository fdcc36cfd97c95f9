#include "store/files.h"
#include "support/write_bounds.h"
#include "support/temp_tree.h"
#include "qt_print.h"
#include "resource_limits.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <sys/stat.h>
#include <unistd.h>

using namespace files;

namespace {

QString put(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = joinPath(folder, name);
    EXPECT_FALSE(TempTree::writeAt(path, bytes).isEmpty()) << path.toStdString();
    return path;
}

QByteArray bytesOf(const QString& path)
{
    return readBytes(path).value_or(QByteArray("<unreadable>"));
}

const QString kNihongo = QStringLiteral("日本語のページ");

} // namespace

TEST(Files, JoinPathAndSlashes)
{
    EXPECT_EQ(joinPath("/a/b", "c.html"), "/a/b/c.html");
    EXPECT_EQ(joinPath("/a/b/", "/c.html"), "/a/b/c.html");
    EXPECT_EQ(joinPath("/", "c.html"), "/c.html");
    EXPECT_EQ(joinPath("/", ""), "/");
    EXPECT_EQ(joinPath("", "c.html"), "c.html");
    EXPECT_EQ(slashes("sub\\x.html"), "sub/x.html");
}

TEST(Files, Utf8ValidityRejectsShiftJisAndMalformedBytes)
{
    EXPECT_TRUE(isValidUtf8(kNihongo.toUtf8()));
    EXPECT_TRUE(isValidUtf8(QByteArray()));
    EXPECT_FALSE(isValidUtf8(encodeShiftJis(kNihongo)));
    EXPECT_FALSE(isValidUtf8(QByteArray("\xC0\xAF", 2)));      // overlong "/"
    EXPECT_FALSE(isValidUtf8(QByteArray("\xED\xA0\x80", 3)));  // surrogate
    EXPECT_FALSE(isValidUtf8(QByteArray("abc\xE3\x81", 5)));   // cut short
    EXPECT_FALSE(isValidUtf8(QByteArray("\xF4\x90\x80\x80", 4)));
}

TEST(Files, ShiftJisRoundTripsIncludingHalfWidthKana)
{
    const QString s = kNihongo + QStringLiteral("ｱｲｳ①ー～");
    const QByteArray sjis = encodeShiftJis(s);
    EXPECT_EQ(sjis.left(2), QByteArray("\x93\xfa", 2)); // 日
    EXPECT_EQ(decodeShiftJis(sjis), s);
    EXPECT_EQ(decodeDefault(sjis), s);
    EXPECT_EQ(decodeUtf8OrShiftJis(sjis), s);
}

TEST(Files, DefaultDecodingFollowsTheByteOrderMark)
{
    EXPECT_EQ(decodeDefault("\xEF\xBB\xBF" + kNihongo.toUtf8()), kNihongo);
    QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
    for (QChar c : kNihongo) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(decodeDefault(le), kNihongo);
    EXPECT_EQ(decodeDefault(be), kNihongo);
    EXPECT_EQ(decodeUtf8("\xEF\xBB\xBF" "abc"), "abc");
    EXPECT_EQ(decodeUtf8OrShiftJis("\xEF\xBB\xBF" + kNihongo.toUtf8()), kNihongo);
}

TEST(Files, LinesSplitAtEveryLineEndAndJoinWithCrLf)
{
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), QStringList({"a"}));
    EXPECT_EQ(splitLines("a\n\n"), QStringList({"a", ""}));
    EXPECT_EQ(splitLines("\r\n"), QStringList({""}));
    EXPECT_TRUE(splitLines("").isEmpty());
    EXPECT_EQ(joinCrLf({"a", "b"}), "a\r\nb\r\n");
}

TEST(Files, WritesUseBomAndCrLfAndReadBack)
{
    QTemporaryDir dir;
    const QString p = joinPath(dir.path(), "p.html");
    ASSERT_TRUE(writeTextBom(p, "一\nb\rc", tempBounds()));
    EXPECT_EQ(bytesOf(p), "\xEF\xBB\xBF" + QString("一\r\nb\r\nc\r\n").toUtf8());
    EXPECT_EQ(readUtf8(p).value(), "一\r\nb\r\nc\r\n");
    ASSERT_TRUE(writeTextNoBom(p, "k=値", tempBounds()));
    EXPECT_EQ(bytesOf(p), QString("k=値\r\n").toUtf8());
    ASSERT_TRUE(appendBytes(p, "x", tempBounds()));
    ASSERT_TRUE(appendBytes(p, "y", tempBounds()));
    EXPECT_TRUE(bytesOf(p).endsWith("\r\nxy"));
    EXPECT_FALSE(readBytes(joinPath(dir.path(), "missing")).has_value());
    EXPECT_FALSE(readBytes(dir.path()).has_value());
    const QString pipe = joinPath(dir.path(), "pipe.html");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(readBytes(pipe).has_value()); // refused at once, not waited on
}

TEST(Files, ReadsEmptyAndLargeFilesWholeButNoDevices)
{
    QTemporaryDir dir;
    EXPECT_EQ(readBytes(put(dir.path(), "empty.html", "")).value(), QByteArray());
    QByteArray large;
    for (int i = 0; large.size() < 200 * 1024; ++i)
        large += QByteArray::number(i) + ',';
    for (const qsizetype size : {qsizetype(32 * 1024 - 1), qsizetype(32 * 1024),
                                 qsizetype(32 * 1024 + 1), large.size()}) {
        const QByteArray bytes = large.left(size);
        EXPECT_EQ(bytesOf(put(dir.path(), "large.html", bytes)), bytes) << size;
    }
    // Links named like pages that lead to devices: nothing is read, and a
    // device without end does not keep the reader going.
    for (const char* device : {"/dev/null", "/dev/zero"}) {
        const QString link = joinPath(dir.path(), QString("dev%1.html").arg(device + 5));
        ASSERT_TRUE(QFile::link(device, link));
        EXPECT_FALSE(readBytes(link).has_value()) << device;
        EXPECT_FALSE(OpenedFolder(dir.path()).readBytes(QFileInfo(link).fileName()).has_value());
    }
}

TEST(Files, ReadersPickTheEncoding)
{
    QTemporaryDir dir;
    const QString sjis = put(dir.path(), "s.txt", encodeShiftJis(kNihongo));
    const QString utf8 = put(dir.path(), "u.txt", kNihongo.toUtf8());
    EXPECT_EQ(readUtf8OrShiftJis(sjis).value(), kNihongo);
    EXPECT_EQ(readUtf8OrShiftJis(utf8).value(), kNihongo);
    EXPECT_EQ(readDefault(sjis).value(), kNihongo);
    EXPECT_NE(readUtf8(sjis).value(), kNihongo);
}

TEST(Files, OpenedFolderReadsItsFilesByName)
{
    QTemporaryDir dir, other;
    put(dir.path(), "a.html", "A");
    QDir(dir.path()).mkdir("sub");
    put(joinPath(dir.path(), "sub"), "b.html", "B");
    const QString elsewhere = put(other.path(), "c.html", "C");
    const OpenedFolder folder(dir.path());
    EXPECT_EQ(folder.readBytes("a.html").value(), "A");
    EXPECT_EQ(folder.readBytes("sub/b.html").value(), "B");
    EXPECT_EQ(folder.readBytes(elsewhere).value(), "C");
    EXPECT_FALSE(folder.readBytes("missing.html").has_value());
    EXPECT_FALSE(folder.readBytes("sub").has_value());
    EXPECT_FALSE(OpenedFolder(joinPath(dir.path(), "gone")).readBytes("a.html").has_value());
}

TEST(Files, HeadsAreReadUpToALimitWithTheWholeSize)
{
    QTemporaryDir dir;
    const QString path = put(dir.path(), "a.html", "0123456789");
    const auto head = readHead(path, 4);
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ(head->bytes, "0123");
    EXPECT_EQ(head->size, 10);
    EXPECT_FALSE(head->isWhole());
    EXPECT_TRUE(readHead(path, 64)->isWhole());
    EXPECT_EQ(OpenedFolder(dir.path()).readHead("a.html", 3)->bytes, "012");
    EXPECT_FALSE(OpenedFolder(dir.path()).readHead("missing.html", 3).has_value());
    EXPECT_FALSE(readHead(dir.path(), 3).has_value()); // a folder has no head
    EXPECT_FALSE(readHead("/dev/zero", 3).has_value());
}

TEST(Files, FilesAreReadWholeOnlyUpToALimit)
{
    QTemporaryDir dir;
    const QString path = put(dir.path(), "a.html", "0123456789");
    EXPECT_EQ(readUpTo(path, 10)->bytes, "0123456789");
    const auto over = readUpTo(path, 9);
    ASSERT_TRUE(over.has_value());
    EXPECT_TRUE(over->bytes.isEmpty());
    EXPECT_EQ(over->size, 10);
    EXPECT_FALSE(over->isWhole());
    // Past the first buffer the size decides before anything more is read.
    const QByteArray big(100 * 1024, 'x');
    const QString large = put(dir.path(), "b.html", big);
    EXPECT_EQ(readUpTo(large, big.size())->bytes, big);
    EXPECT_EQ(readUpTo(large, big.size() - 1)->size, big.size());
    EXPECT_TRUE(readUpTo(large, big.size() - 1)->bytes.isEmpty());
    EXPECT_FALSE(readUpTo(joinPath(dir.path(), "missing.html"), 10).has_value());
    EXPECT_FALSE(readUpTo("/dev/zero", 10).has_value());
}

TEST(Files, FailedSaveLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    // A target that is a folder cannot be replaced.
    const QString folderTarget = joinPath(dir.path(), "page.html");
    ASSERT_TRUE(QDir().mkdir(folderTarget));
    EXPECT_FALSE(writeTextBom(folderTarget, "x", tempBounds()));
    EXPECT_TRUE(QFileInfo(folderTarget).isDir());
    EXPECT_FALSE(appendBytes(folderTarget, "x", tempBounds()));
    // A folder part that is a file.
    const QString file = put(dir.path(), "plain.txt", "plain");
    EXPECT_FALSE(writeTextBom(joinPath(file, "a.html"), "x", tempBounds()));
    EXPECT_EQ(bytesOf(file), "plain");

    // No temporary file can be made beside the old one (this stops root too).
    const QString p = put(dir.path(), "a.html", "old contents");
    const QString src = put(dir.path(), "src.html", "new contents");
    withoutFreeDescriptors([&](bool limited) {
        ASSERT_TRUE(limited);
        EXPECT_FALSE(writeTextBom(p, "new contents", tempBounds()));
        EXPECT_FALSE(writeBytes(p, QByteArray(1 << 20, 'z'), tempBounds()));
        EXPECT_FALSE(copyFileOver(src, p, tempBounds()));
    });
    EXPECT_EQ(bytesOf(p), "old contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"a.html", "plain.txt", "src.html"}));
}

// A disk that fills up midway: the file size limit makes writes past it fail.
TEST(Files, SaveThatFailsMidwayLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString p = put(dir.path(), "a.html", "old contents");
    const QString big = put(dir.path(), "big.html", QByteArray(1 << 20, 'z'));
    const QString small = put(dir.path(), "small.html", QByteArray(5000, 'z'));
    withFileSizeLimit(4096, [&](bool limited) {
        ASSERT_TRUE(limited);
        EXPECT_FALSE(writeTextBom(p, QString(1 << 20, 'y'), tempBounds()));
        EXPECT_FALSE(writeTextBom(p, QString(5000, 'y'), tempBounds())); // stays in Qt's buffer until the commit
        EXPECT_FALSE(copyFileOver(small, p, tempBounds()));
        EXPECT_FALSE(copyFileOver(big, p, tempBounds()));
        EXPECT_TRUE(writeTextBom(joinPath(dir.path(), "tiny.html"), "fits", tempBounds())); // the limit, not the folder
    });
    EXPECT_EQ(bytesOf(p), "old contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4); // no temporary left
}

// A file manager puts a trashed file back where its entry's "Path=" says;
// the desktop's format has that path percent-encoded.
TEST(Files, TrashEntriesNameThePathTheWayFileManagersReadIt)
{
    QTemporaryDir dir;
    const QString p = put(dir.path(), "日報 50%.html", "x");
    ASSERT_TRUE(moveToTrash(p));
    const QString info = joinPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                                  "Trash/info/日報 50%.html.trashinfo");
    const QByteArray entry = bytesOf(info);
    ASSERT_TRUE(entry.startsWith("[Trash Info]\n")) << entry.toStdString();
    QByteArray path;
    for (const QByteArray& line : entry.split('\n')) {
        if (line.startsWith("Path="))
            path = line.mid(5);
    }
    for (const char c : path)
        EXPECT_TRUE(QChar::fromLatin1(c).isLetterOrNumber() || QByteArray("-._~/%").contains(c)) << path.toStdString();
    EXPECT_EQ(QUrl::fromPercentEncoding(path), p);
    EXPECT_TRUE(entry.contains("\nDeletionDate="));
}

TEST(Files, MasksSplitAtSemicolonsAndIgnoreCase)
{
    const QString mask = "*.ht*;*.jp*;;";
    EXPECT_TRUE(matchesMask("a.html", mask));
    EXPECT_TRUE(matchesMask("A.HTM", mask));
    EXPECT_TRUE(matchesMask("photo.JPEG", mask));
    EXPECT_FALSE(matchesMask("a.txt", mask));
    EXPECT_FALSE(matchesMask("html", mask));
    EXPECT_TRUE(matchesMask("README", "*.*"));
    EXPECT_TRUE(matchesMask("a.zbx", "*.zbx"));
    EXPECT_FALSE(matchesMask("a.zbxx", "*.zbx"));
    EXPECT_TRUE(matchesMask("ab.c", "a?.c"));
    EXPECT_FALSE(matchesMask("a.html", ""));
}

TEST(Files, NamesSortLikeAWindowsListBox)
{
    QStringList names = {"b.html", "10_x.html", "A.html", "1_y.html", "a.html",
                         "_help.html", "あ.html", "index.html", "2.html"};
    sortNames(names);
    EXPECT_EQ(names, QStringList({"_help.html", "1_y.html", "10_x.html", "2.html", "A.html",
                                  "a.html", "b.html", "index.html", "あ.html"}));
    EXPECT_LT(compareNames("1_y", "10_x"), 0);
    EXPECT_LT(compareNames("abc", "ABD"), 0);
    EXPECT_NE(compareNames("a", "A"), 0); // ties broken by the exact name
    EXPECT_EQ(compareNames("a", "a"), 0);
}

TEST(Files, ListingsKeepFilesOrFoldersOnly)
{
    QTemporaryDir dir;
    for (const char* n : {"b.html", "A.HTM", "1010_c.html", ".hidden.html", "x.txt"})
        put(dir.path(), n, "x");
    QDir(dir.path()).mkdir("sub.html");
    QDir(dir.path()).mkdir("Other");
    QDir(dir.path()).mkdir(".dot");
    QFile::link(joinPath(dir.path(), "Other"), joinPath(dir.path(), "link"));
    EXPECT_EQ(listFiles(dir.path(), "*.ht*;"), QStringList({"1010_c.html", "A.HTM", "b.html"}));
    EXPECT_EQ(listFiles(dir.path(), "*.*").size(), 4);
    EXPECT_EQ(listFolders(dir.path()), QStringList({"Other", "sub.html"}));
    EXPECT_TRUE(listFiles(joinPath(dir.path(), "missing"), "*.*").isEmpty());
}

TEST(Files, FileListingsCountLinksByTheirTargets)
{
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return joinPath(dir.path(), name); };
    put(dir.path(), "reg.html", "x");
    put(dir.path(), ".hidden.html", "x");
    QDir(dir.path()).mkdir("folder.html");
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("fifo.html")).constData(), 0600), 0);
    const QList<std::pair<const char*, QString>> links = {
        {"l_reg.html", at("reg.html")},       {"l_l_reg.html", at("l_reg.html")},
        {"l_hidden.html", at(".hidden.html")}, {"l_fifo.html", at("fifo.html")},
        {"l_null.html", "/dev/null"},          {"l_folder.html", at("folder.html")},
        {"l_dangling.html", at("gone.html")},  {".l_reg.html", at("reg.html")}};
    for (const auto& [name, target] : links)
        ASSERT_TRUE(QFile::link(target, at(name))) << name;
    // A plain FIFO, folders, dangling links and dot names stay out; a link
    // to anything that exists and is no folder is listed.
    EXPECT_EQ(listFiles(dir.path(), "*.html"),
              QStringList({"l_fifo.html", "l_hidden.html", "l_l_reg.html", "l_null.html",
                           "l_reg.html", "reg.html"}));
    EXPECT_TRUE(listFiles(at("reg.html"), "*.*").isEmpty()); // a file is no folder
    EXPECT_TRUE(listFiles(at("fifo.html"), "*.*").isEmpty()); // and not waited on
}

TEST(Files, LookupTriesExactNameThenCaseInsensitive)
{
    QTemporaryDir dir;
    const QString p = put(dir.path(), "Photo.JPG", "x");
    QDir(dir.path()).mkdir("Sub");
    const QString q = put(joinPath(dir.path(), "Sub"), "a.png", "x");
    EXPECT_EQ(findFile(dir.path(), "Photo.JPG"), p);
    EXPECT_EQ(findFile(dir.path(), "photo.jpg"), p);
    EXPECT_EQ(findFile(dir.path(), "Sub/A.PNG"), q);
    EXPECT_EQ(findFile(dir.path(), "none.jpg"), "");
    EXPECT_EQ(findPath(joinPath(dir.path(), "PHOTO.jpg")), p);
    EXPECT_EQ(findPath(joinPath(dir.path(), "sub/a.png")), ""); // the folder part is taken as it stands
}

TEST(Files, CopyOverReplacesKeepsTimeAndRefusesItself)
{
    QTemporaryDir dir;
    const QString src = put(dir.path(), "src.html", "new");
    const QString dst = put(dir.path(), "dst.html", "old and longer");
    const QDateTime past(QDate(2020, 4, 14), QTime(10, 0));
    {
        QFile f(src);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(past, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(copyFileOver(src, dst, tempBounds()));
    EXPECT_EQ(bytesOf(dst), "new");
    EXPECT_LE(qAbs(QFileInfo(dst).lastModified().secsTo(past)), 1);

    EXPECT_FALSE(copyFileOver(src, src, tempBounds()));
    const QString alias = joinPath(dir.path(), "alias.html");
    QFile::link(src, alias);
    EXPECT_FALSE(copyFileOver(src, alias, tempBounds()));
    EXPECT_FALSE(copyFileOver(alias, joinPath(dir.path(), "./src.html"), tempBounds()));
    EXPECT_EQ(bytesOf(src), "new");
    EXPECT_FALSE(copyFileOver(joinPath(dir.path(), "missing"), dst, tempBounds()));
    EXPECT_EQ(bytesOf(dst), "new");
}

// A trash that cannot be made refuses the file and keeps it, and nothing
// lands in the current folder (Qt 6.4 makes "files/" and "info/" there when
// it cannot make the trash).
TEST(Files, AnUnusableTrashRefusesAndWritesNothingInTheCurrentFolder)
{
    QTemporaryDir dir;
    const QString here = joinPath(dir.path(), "here");
    ASSERT_TRUE(QDir().mkpath(here));
    put(dir.path(), "blocker", "a file where a folder should be");
    put(joinPath(dir.path(), "data2"), "Trash", "a file");
    put(joinPath(dir.path(), "data3/Trash"), "info", "a file");
    const QString p = put(dir.path(), "kept.html", "x");
    // A data folder that may not be written (permissions bind all but root).
    QStringList unusable{"blocker/share", "data2", "data3"};
    if (::geteuid() != 0) {
        ASSERT_TRUE(QDir().mkpath(joinPath(dir.path(), "data4")));
        ASSERT_EQ(::chmod(QFile::encodeName(joinPath(dir.path(), "data4")).constData(), 0555), 0);
        unusable << "data4";
    }
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(here);
    for (const QString& data : unusable) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(joinPath(dir.path(), data)));
        EXPECT_FALSE(moveToTrash(p)) << data.toStdString();
        EXPECT_EQ(bytesOf(p), "x") << data.toStdString();
        EXPECT_TRUE(QDir(here).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
            << data.toStdString();
    }
    QDir::setCurrent(cwd);
    qputenv("XDG_DATA_HOME", savedData);
    ::chmod(QFile::encodeName(joinPath(dir.path(), "data4")).constData(), 0755);
}

TEST(Files, RenameRefusesAnExistingTarget)
{
    QTemporaryDir dir;
    const QString a = put(dir.path(), "a.html", "A");
    const QString b = put(dir.path(), "b.html", "B");
    EXPECT_FALSE(renameNoReplace(a, b, tempBounds()));
    EXPECT_EQ(bytesOf(b), "B");
    const QString c = joinPath(dir.path(), "c.html");
    EXPECT_TRUE(renameNoReplace(a, c, tempBounds()));
    EXPECT_EQ(bytesOf(c), "A");
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_FALSE(renameNoReplace(a, joinPath(dir.path(), "d.html"), tempBounds()));
    EXPECT_TRUE(renameNoReplace(c, joinPath(dir.path(), "C.html"), tempBounds()));
}

TEST(Files, TrashTakesTheFileAndNeverDeletesOutright)
{
    QTemporaryDir dir;
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir(dataHome).removeRecursively(); // the state that trips Qt 6.4
    const QString p = put(dir.path(), "gone.html", "x");
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const bool moved = moveToTrash(p);
    QDir::setCurrent(cwd);
    EXPECT_FALSE(QFileInfo::exists(joinPath(dir.path(), "files")));
    // The test home has a writable data folder, so the trash takes it.
    ASSERT_TRUE(moved);
    EXPECT_FALSE(QFileInfo::exists(p));
    EXPECT_EQ(bytesOf(joinPath(dataHome, "Trash/files/gone.html")), "x");
    EXPECT_FALSE(moveToTrash(joinPath(dir.path(), "missing.html")));
}
