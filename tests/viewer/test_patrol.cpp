// Patrol rules without a window: the time text and the panel's click hints.
#include "viewer/patrol.h"

#include <gtest/gtest.h>

using namespace viewer;

TEST(PatrolText, TimeTextWithSecondsAndJapaneseUnits)
{
    const QDateTime t(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::LocalTime);
    EXPECT_EQ(patrolTimeText(t), QStringLiteral("2026年01月02日03時04分05秒"));
}

TEST(PatrolText, ClickHintsOverrideInOrder)
{
    ClickHints h = openExternallyHints(".pdf", "Pagora");
    EXPECT_EQ(h.left, QStringLiteral("---　左クリックで開く ---"));
    EXPECT_EQ(h.right, QStringLiteral("右クリックでデスクトップの【Pagora】にコピーして開く"));
    h = openExternallyHints(".mp4", "Pagora");
    EXPECT_EQ(h.left, QStringLiteral("左クリックで動画を再生"));
    EXPECT_EQ(h.right, QStringLiteral("右クリックでデスクトップの【Pagora】にコピーして再生"));
    h = openExternallyHints(".zba", "Pagora");
    EXPECT_EQ(h.left, QStringLiteral("左クリックでプログラムを開く"));
    h = openExternallyHints(".docx", "Pagora");
    EXPECT_EQ(h.left, QStringLiteral("左クリックでワードで開く"));
    EXPECT_EQ(h.right, QStringLiteral("右クリックでデスクトップの【Pagora】にコピーして開く"));
    EXPECT_EQ(openExternallyHints(".xlsx", "P").left, QStringLiteral("左クリックでエクセルで開く"));
}
