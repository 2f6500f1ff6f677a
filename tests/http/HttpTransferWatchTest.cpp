#include "net/HttpTransferWatch.h"
#include <gtest/gtest.h>

namespace {

TEST(HttpTransferWatch, SilenceStallsAtTheLimitNotBefore)
{
    HttpTransferWatch watch;
    watch.Start(1000);
    watch.Moved(5000, 1000);
    EXPECT_FALSE(watch.Stalled(60999));
    EXPECT_TRUE(watch.Stalled(61000));

    // Every byte starts the silence anew.
    watch.Start(0);
    watch.Moved(2000, 30000);
    EXPECT_FALSE(watch.Stalled(89999));
    EXPECT_TRUE(watch.Stalled(90000));
}

TEST(HttpTransferWatch, AWindowNeedsAKibibyteAndAFullOneStartsTheNext)
{
    HttpTransferWatch watch;
    watch.SetInactivityLimit(1000000);
    watch.Start(0);
    watch.Moved(1023, 10);
    EXPECT_FALSE(watch.Stalled(59999)) << "the window is not over yet";
    EXPECT_TRUE(watch.Stalled(60000));

    watch.Start(0);
    watch.Moved(1024, 10);
    EXPECT_FALSE(watch.Stalled(60000));
    // The next window counts from there and from nothing.
    watch.Moved(1023, 60010);
    EXPECT_FALSE(watch.Stalled(119999));
    EXPECT_TRUE(watch.Stalled(120000));
}

TEST(HttpTransferWatch, LimitsBelowOneMillisecondAreOne)
{
    HttpTransferWatch watch;
    watch.SetInactivityLimit(0);
    watch.SetWindow(-5);
    EXPECT_EQ(watch.InactivityLimit(), 1);
    EXPECT_EQ(watch.Window(), 1);
    watch.Start(0);
    EXPECT_FALSE(watch.Stalled(0));
    EXPECT_TRUE(watch.Stalled(1));
}

} // namespace
