// The sample data root that a first start copies: every page in it is in the
// layout the page writer produces, so an edit in the editor keeps its text.

#include "page_test_support.h"
#include "support/write_bounds.h"
#include "store/clock.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace store;
using namespace pagetest;

namespace {

const QString kExamples = QStringLiteral(PAGORA_EXAMPLES_DIR);

// Copies the sample root into dir; returns the pages, relative to it.
QStringList copyExamples(const QString& dir)
{
    QStringList pages;
    QDirIterator it(kExamples, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = QDir(kExamples).relativeFilePath(source);
        const QString target = QDir(dir).filePath(relative);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(target).absolutePath()));
        EXPECT_TRUE(QFile::copy(source, target)) << relative.toStdString();
        if (relative.endsWith(QStringLiteral(".html")))
            pages << relative;
    }
    pages.sort();
    return pages;
}

QString titleOf(const QString& page)
{
    const int a = page.indexOf(QStringLiteral("<TITLE>"));
    const int b = page.indexOf(QStringLiteral("</TITLE>"));
    return a < 0 || b < a ? QString() : page.mid(a + 7, b - a - 7);
}

// What a reader sees of the body: its text without tags and line breaks.
QString bodyText(const QString& page)
{
    const int a = page.indexOf(QStringLiteral("<BODY"));
    QString body = page.mid(a, page.indexOf(QStringLiteral("</BODY>")) - a);
    body.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return body.remove(QStringLiteral("\r\n"));
}

QString pageText(const QString& path) { return files::readUtf8(path).value_or(QString()); }

} // namespace

TEST(Examples, SampleRootHasItsPagesPictureAndSubFolder)
{
    QTemporaryDir dir;
    const QStringList pages = copyExamples(dir.path());
    EXPECT_EQ(pages.size(), 8);
    EXPECT_TRUE(pages.contains(QStringLiteral("index.html")));
    EXPECT_TRUE(pages.contains(u8("2000_理科/index.html")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("flower.png"))));
}

TEST(Examples, PagesAreInTheWritersLayout)
{
    QTemporaryDir dir;
    for (const QString& page : copyExamples(dir.path())) {
        SCOPED_TRACE(page.toStdString());
        const QString path = dir.filePath(page);
        PageModel m = readPage(pageText(path), path);
        EXPECT_FALSE(m.Memo2.isEmpty() && m.Edit7.isEmpty() && m.Edit2.isEmpty());
        BuildPageHtml(m, QString());  // the source view: no daily-report dating
        EXPECT_EQ(m.Memo82, pageText(path));
        const QString copy = dir.filePath(QStringLiteral("written.html"));
        ASSERT_TRUE(files::writeTextBom(copy, m.Memo82, tempBounds()));
        EXPECT_EQ(files::readBytes(copy), files::readBytes(path));
    }
}

TEST(Examples, SavingKeepsTitleAndTextAndIsStable)
{
    // A daily report's title carries the day it is saved on.
    store::clock::setFixed(QDateTime(QDate(2021, 12, 31), QTime(23, 59, 59)));
    QTemporaryDir dir;
    for (const QString& page : copyExamples(dir.path())) {
        SCOPED_TRACE(page.toStdString());
        const QString path = dir.filePath(page);
        const QString before = pageText(path);
        PageModel first;
        const QByteArray once = readSave(path, first);
        const QString after = QString::fromUtf8(once);
        if (page.contains(u8("日報"))) {
            EXPECT_EQ(titleOf(after), titleOf(before).section(u':', 0, 0) + QStringLiteral(":2021/12/31"));
        } else {
            EXPECT_EQ(titleOf(after), titleOf(before));
        }
        EXPECT_EQ(bodyText(after), bodyText(before));
        PageModel second;
        EXPECT_EQ(readSave(path, second), once);
    }
}

TEST(Examples, PicturePageKeepsItsPicture)
{
    QTemporaryDir dir;
    copyExamples(dir.path());
    const QString path = dir.filePath(u8("1010_季節の花.html"));
    PageModel m;
    const QString saved = QString::fromUtf8(readSave(path, m));
    EXPECT_EQ(m.Gname, QStringLiteral("flower.png"));
    EXPECT_EQ(m.Image1Tag, 1);
    EXPECT_TRUE(saved.contains(QStringLiteral("<IMG src=\"flower.png\" width=\"192\" height=\"160\"")));
}
