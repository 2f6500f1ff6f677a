#include "platform/core/Exceptions.h"
#include "platform/messages/Application.h"
#include "platform/messages/Messages.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Runs the queue until `done` holds or a generous bound passes, so a lost message fails the test
// instead of hanging it.
template <typename Pred>
void PumpUntil(Pred done, int boundMs = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < boundMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void PumpPending()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

TEST(Messages, PostedMessagesArriveInPostingOrderAcrossWindows)
{
    std::vector<std::pair<int, UINT>> seen;
    HWND a = AllocateHWnd([&](TMessage& m) { seen.push_back({1, m.Msg}); });
    HWND b = AllocateHWnd([&](TMessage& m) { seen.push_back({2, m.Msg}); });
    ASSERT_NE(a, 0u);
    ASSERT_NE(a, b);
    EXPECT_TRUE(PostMessage(a, WM_USER + 1, 0, 0));
    EXPECT_TRUE(PostMessage(b, WM_USER + 2, 0, 0));
    EXPECT_TRUE(PostMessage(a, WM_USER + 3, 0, 0));
    EXPECT_TRUE(seen.empty()) << "posting must not deliver at once";
    PumpUntil([&] { return seen.size() == 3; });
    std::vector<std::pair<int, UINT>> expected{{1, WM_USER + 1}, {2, WM_USER + 2}, {1, WM_USER + 3}};
    EXPECT_EQ(seen, expected);
    DeallocateHWnd(a);
    DeallocateHWnd(b);
}

TEST(Messages, ParametersReachTheProcedureUnchanged)
{
    TMessage got;
    HWND w = AllocateHWnd([&](TMessage& m) { got = m; });
    PostMessage(w, WM_USER + 7, WPARAM(~0ull), LPARAM(-42));
    PumpUntil([&] { return got.Msg != 0; });
    EXPECT_EQ(got.Msg, WM_USER + 7);
    EXPECT_EQ(got.WParam, WPARAM(~0ull));
    EXPECT_EQ(got.LParam, LPARAM(-42));
    DeallocateHWnd(w);
}

TEST(Messages, MessagesQueuedForAFreedWindowAreDropped)
{
    int calls = 0;
    HWND w = AllocateHWnd([&](TMessage&) { ++calls; });
    PostMessage(w, WM_USER, 0, 0);
    PostMessage(w, WM_USER, 0, 0);
    DeallocateHWnd(w);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
    PumpPending();
    EXPECT_EQ(calls, 0);
}

TEST(Messages, HandlesAreNeverReusedSoStaleMessagesMissNewWindows)
{
    int oldCalls = 0, newCalls = 0;
    HWND first = AllocateHWnd([&](TMessage&) { ++oldCalls; });
    PostMessage(first, WM_USER, 0, 0);
    DeallocateHWnd(first);
    HWND second = AllocateHWnd([&](TMessage&) { ++newCalls; });
    EXPECT_NE(first, second);
    PumpPending();
    EXPECT_EQ(oldCalls, 0);
    EXPECT_EQ(newCalls, 0);
    DeallocateHWnd(second);
}

TEST(Messages, AWindowMayFreeItselfInsideItsHandlerAndLaterMessagesAreDropped)
{
    int calls = 0;
    HWND w = 0;
    w = AllocateHWnd([&](TMessage&) {
        ++calls;
        DeallocateHWnd(w);
    });
    PostMessage(w, WM_USER, 0, 0);
    PostMessage(w, WM_USER, 0, 0);
    PumpPending();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(IsWindow(w));
}

TEST(Messages, SendMessageRunsAtOnceAndReturnsTheResult)
{
    HWND w = AllocateHWnd([](TMessage& m) { m.Result = LRESULT(m.WParam + m.LParam); });
    EXPECT_EQ(SendMessage(w, WM_USER, 40, 2), 42);
    DeallocateHWnd(w);
}

TEST(Messages, AnExceptionInAProcedureGoesToTheApplicationAndTheLoopGoesOn)
{
    TApplication app(nullptr);
    TApplication* saved = Application;
    Application = &app;
    std::vector<std::string> errors;
    app.OnException = [&](TObject*, const std::exception& e) { errors.push_back(e.what()); };
    int after = 0;
    HWND thrower = AllocateHWnd([](TMessage&) { throw Exception("boom"); });
    HWND other = AllocateHWnd([&](TMessage&) { ++after; });
    PostMessage(thrower, WM_USER, 0, 0);
    PostMessage(other, WM_USER, 0, 0);
    PumpUntil([&] { return after == 1; });
    EXPECT_EQ(errors, std::vector<std::string>{"boom"});
    EXPECT_EQ(after, 1);
    SendMessage(thrower, WM_USER, 0, 0);
    EXPECT_EQ(errors.size(), 2u);
    DeallocateHWnd(thrower);
    DeallocateHWnd(other);
    Application = saved;
}

TEST(Messages, PeekMessageFindsAMessageAtEitherEndOfItsRangeAndNoneBeyond)
{
    std::vector<UINT> handled;
    HWND w = AllocateHWnd([&](TMessage& m) { handled.push_back(m.Msg); });
    HWND other = AllocateHWnd([](TMessage&) {});
    PostMessage(w, WM_USER + 10, 1, 2);
    TMessage m{};
    EXPECT_FALSE(PeekMessage(m, w, WM_USER + 11, WM_USER + 20, PM_NOREMOVE));
    EXPECT_FALSE(PeekMessage(m, w, WM_USER, WM_USER + 9, PM_NOREMOVE));
    EXPECT_FALSE(PeekMessage(m, w, 0, 1, PM_NOREMOVE)) << "only both ends 0 mean any number";
    EXPECT_FALSE(PeekMessage(m, other, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessage(m, w, WM_USER + 10, WM_USER + 20, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessage(m, w, WM_USER, WM_USER + 10, PM_NOREMOVE));
    m = TMessage{};
    EXPECT_TRUE(PeekMessage(m, 0, WM_USER + 10, WM_USER + 10, PM_NOREMOVE)) << "window 0: any window";
    EXPECT_EQ(m.Msg, WM_USER + 10);
    EXPECT_EQ(m.WParam, 1u);
    EXPECT_EQ(m.LParam, 2);
    // Taken out, it is gone from the queue and never delivered.
    EXPECT_TRUE(PeekMessage(m, w, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(m, w, 0, 0, PM_NOREMOVE));
    PumpPending();
    EXPECT_TRUE(handled.empty());
    DeallocateHWnd(w);
    DeallocateHWnd(other);
}
