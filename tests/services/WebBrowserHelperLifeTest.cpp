// The browser control's helper through its life: the states a run of happenings leaves it in,
// where the in-process control tests can't bring the happenings about in that order.
#include "platform/services/WebBrowserHelperLife.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

using E = THelperEvent;
using L = THelperLife;

struct Happenings {
    const char* what;
    std::vector<THelperEvent> events;
    THelperLife after;
};

TEST(WebBrowserHelperLife, ARunOfHappeningsEndsInTheStateItMeans)
{
    const Happenings runs[] = {
        {"the late end of a view freed out of sight changes nothing",
         {E::Start, E::Made, E::Freed, E::Ended}, L::Waiting},
        {"a view closed by its page leaves nothing waiting", {E::Start, E::Made, E::Closed, E::OutOfSight}, L::Idle},
        {"a page kept after a failure and then taken by a new one leaves nothing waiting",
         {E::Start, E::NotMade, E::OutOfSight, E::NothingWaits}, L::Idle},
    };
    for (const Happenings& run : runs) {
        THelperLife life = L::Idle;
        for (THelperEvent event : run.events)
            life = NextHelperLife(life, event);
        EXPECT_EQ(life, run.after) << run.what;
    }
}

} // namespace
