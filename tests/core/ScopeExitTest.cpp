// The scope-exit helper: its clean-up runs once on every way out, and a clean-up that fails
// while another failure is under way never hides that failure or ends the program.
#include "platform/core/ScopeExit.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

int LeaveEarly(int& cleanUps, bool early)
{
    ScopeExit cleanUp([&] { ++cleanUps; });
    if (early)
        return 1;
    return 2;
}

} // namespace

TEST(ScopeExit, CleansUpOnceOnReturnAndOnException)
{
    int cleanUps = 0;
    EXPECT_EQ(LeaveEarly(cleanUps, true), 1);
    EXPECT_EQ(LeaveEarly(cleanUps, false), 2);
    EXPECT_EQ(cleanUps, 2);

    EXPECT_THROW(
        {
            ScopeExit cleanUp([&] { ++cleanUps; });
            throw std::runtime_error("body");
        },
        std::runtime_error);
    EXPECT_EQ(cleanUps, 3);
}

TEST(ScopeExit, FailingCleanUpReachesCallerOnlyWhenNothingElseFailed)
{
    EXPECT_THROW({ ScopeExit cleanUp([] { throw std::logic_error("clean-up"); }); }, std::logic_error);

    try {
        ScopeExit cleanUp([] { throw std::logic_error("clean-up"); });
        throw std::runtime_error("body");
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "body");
    } catch (const std::logic_error&) {
        ADD_FAILURE() << "the clean-up's failure hid the body's";
    }
}
