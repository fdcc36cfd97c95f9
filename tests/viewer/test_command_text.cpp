// The command language as text: lists, pieces, conditionals, counters,
// words and "GO" matching.
#include "viewer/command_text.h"

#include <gtest/gtest.h>

using namespace commands;

static QStringList allPieces(QString list)
{
    QStringList pieces;
    while (auto p = takePiece(list))
        pieces << *p;
    return pieces;
}

TEST(CommandList, FormedFromTheLinkUrl)
{
    EXPECT_TRUE(isCommandLink("file:///data/$NEXT"));
    EXPECT_FALSE(isCommandLink("$NEXT")); // "$" must stand after the first character
    EXPECT_FALSE(isCommandLink("file:///data/a.html"));
    EXPECT_EQ(commandListFromUrl("file:///d/$NEXT"), "NEXT,");
    EXPECT_EQ(commandListFromUrl("file:///d/$GO%20apple%2Cpie"), "GO apple%2Cpie,");
    EXPECT_EQ(commandListFromUrl("file:///d/$"), ",");
}

TEST(CommandList, PiecesAndDollarSkipping)
{
    EXPECT_EQ(allPieces("NEXT,"), QStringList({"NEXT"}));
    EXPECT_EQ(allPieces("NEXT,$TOP,"), QStringList({"NEXT", "TOP"}));
    EXPECT_EQ(allPieces("NEXT,TOP,"), QStringList({"NEXT", "TOP"}));
    // a later piece with "$" inside loses everything up to it
    EXPECT_EQ(allPieces("NEXT,DIR $a,"), QStringList({"NEXT", "a"}));
    EXPECT_EQ(allPieces(","), QStringList({""}));
    EXPECT_EQ(allPieces("-1,$<-1[_【×】][_【△】],"), QStringList({"-1", "<-1[_【×】][_【△】]"}));
    QString none = "NEXT";
    EXPECT_FALSE(takePiece(none).has_value());
}

TEST(Conditional, ChoosesByCounter)
{
    const QString quiz = "<-1[_【×】][_【△】]";
    EXPECT_EQ(selectConditional(quiz, -1), "_【△】"); // equality picks else
    EXPECT_EQ(selectConditional(quiz, -2), "_【×】");
    EXPECT_EQ(selectConditional(">2[A][B]", 3), "A");
    EXPECT_EQ(selectConditional(">2[A][B]", 2), "B");
    EXPECT_EQ(selectConditional("<3[A]", 5), "");
    EXPECT_EQ(selectConditional("<3[A", 5), "");
    EXPECT_EQ(selectConditional("<3[A", 1), "A");
    EXPECT_EQ(selectConditional("<x[A][B]", -1), "A"); // x counts as 0
    EXPECT_EQ(selectConditional("<x[A][B]", 0), "B");
    EXPECT_EQ(selectConditional("<5", 0), "");
}

TEST(Counter, OpsAndConversionErrors)
{
    EXPECT_EQ(applyCounterOp("+3", 1), 4);
    EXPECT_EQ(applyCounterOp("-1", 0), -1);
    EXPECT_EQ(applyCounterOp("==7", 2), 7);
    EXPECT_EQ(applyCounterOp("=:-4", 2), -4);
    EXPECT_FALSE(applyCounterOp("=7", 2).has_value());
    EXPECT_FALSE(applyCounterOp("+x", 2).has_value());
    EXPECT_FALSE(applyCounterOp("-", 2).has_value());
    EXPECT_EQ(applyCounterOp("+1", 2147483647), -2147483647 - 1); // wraps, never undefined
}

TEST(Tokens, WordsQuotesAndTermination)
{
    EXPECT_EQ(tokenize("GO apple"), QStringList({"GO", "apple"}));
    EXPECT_EQ(tokenize("COPY \"a b.txt\" c.txt"), QStringList({"COPY", "a b.txt", "c.txt"}));
    EXPECT_EQ(tokenize("NEXT"), QStringList({"NEXT"}));
    EXPECT_EQ(tokenize("GO   apple  "), QStringList({"GO", "apple"}));
    EXPECT_EQ(tokenize(""), QStringList());
    // a blank before the last word leaves an empty word in front of it
    EXPECT_EQ(tokenize(" NEXT"), QStringList({"", "NEXT"}));
    EXPECT_EQ(tokenize("   "), QStringList({""}));
    // quotes that the rules leave undefined must still end
    EXPECT_EQ(tokenize("GO a\"b"), QStringList({"GO", "a\"b"}));
    EXPECT_EQ(tokenize("X \"\""), QStringList({"X", "", ""}));
    EXPECT_EQ(tokenize("COPY \"a b.txt"), QStringList({"COPY", "", "a", "b.txt"}));
    EXPECT_EQ(tokenize("\"\"\"\"\""), QStringList({"", "", "", "", ""}));
}

TEST(Tokens, Argument)
{
    EXPECT_EQ(commandArg("GO apple pie"), "apple pie");
    EXPECT_EQ(commandArg("NEXT"), "");
    EXPECT_EQ(commandArg("DIR $sub$x"), "\\sub\\x");
    EXPECT_EQ(commandArg("DIR a$b"), "a$b");
}

TEST(GoMatching, KeysAndFirstMatch)
{
    EXPECT_EQ(goKey("0010_apple.html"), "_0010_apple/");
    EXPECT_EQ(goKey("sub\\x.htm"), "_x/");
    EXPECT_EQ(goKey("http://host/dir/page.html"), "_page/");
    const QStringList entries = {"index.html", "0010_apple.html", "0020_apple.html", "apple2.html"};
    EXPECT_EQ(findGoEntry(entries, "apple"), 1);
    EXPECT_EQ(findGoEntry(entries, "0020_apple"), 2);
    EXPECT_EQ(findGoEntry({"apple2.html"}, "apple"), -1);
    EXPECT_EQ(findGoEntry({"x_apple.pdf"}, "apple"), 0);
    EXPECT_EQ(findGoEntry(entries, "pear"), -1);
}

TEST(Names, ResolvedAgainstTheirFolders)
{
    const QString cf = "/data/Pagora.data/sub";
    const QString root = "/data/Pagora.data";
    EXPECT_EQ(resolveName("a b.txt", cf), cf + "/a b.txt");
    EXPECT_EQ(resolveName(".\\x\\y.txt", cf), cf + "/x/y.txt");
    EXPECT_EQ(resolveName("/tmp/a.txt", cf), "/tmp/a.txt");
    EXPECT_EQ(resolveName("file:///tmp/a%20b.txt", cf), "/tmp/a b.txt");
    EXPECT_EQ(resolveName("C:\\x.txt", cf), ""); // names nothing here
    EXPECT_EQ(resolveName("a:b.txt", cf), cf + "/a:b.txt");
    EXPECT_EQ(resolveProgramName(".\\tools\\run.sh", root, cf), root + "/tools/run.sh");
    EXPECT_EQ(resolveProgramName("run.sh", root, cf), cf + "/run.sh");
    EXPECT_EQ(dirFolder("/abs/folder", root, cf), "/abs/folder");
    EXPECT_EQ(dirFolder("\\sub2", root, cf), root + "/sub2");
    EXPECT_EQ(dirFolder("sub2", root, cf), root + "/sub2");
    EXPECT_EQ(dirFolder("./deeper", root, cf), cf + "/deeper");
    EXPECT_EQ(dirFolder("..\\other", root, cf), root + "/other");
    EXPECT_EQ(dirFolder("D:\\x", root, cf), "");
}
