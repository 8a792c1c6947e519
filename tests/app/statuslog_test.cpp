#include "app/statuslog.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(StatusLog, keepsEveryLineAndFollowsTheEndUnlessScrolledBack)
{
    StatusLog log;
    log.resize(585, 481);
    log.show();
    for (int i = 0; i < 1000; ++i)
        log.appendBytes("row " + std::to_string(i));
    EXPECT_EQ(log.shownLines(), 0u) << "lines reach the screen in batches";
    log.flush();
    ASSERT_EQ(log.shownLines(), 1000u);
    QScrollBar* bar = log.verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_GT(bar->maximum(), 900);

    bar->setValue(10);
    log.appendText(QStringLiteral("Připojeno"));
    log.flush();
    EXPECT_EQ(bar->value(), 10) << "a reader scrolled back is not pulled to the end";
    EXPECT_EQ(log.lineText(1000), QStringLiteral("Připojeno"));
    EXPECT_EQ(log.store().line(1000), "P\xF8ipojeno");
    QTest::keyClick(&log, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    log.grab(); // paints the visible lines, a very long one among them
    log.appendBytes(std::string(1 << 20, 'x'));
    log.flush();
    EXPECT_FALSE(log.grab().isNull());
}

} // namespace
