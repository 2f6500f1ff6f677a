#include "platform/core/Exceptions.h"
#include "platform/messages/Application.h"
#include "platform/messages/Messages.h"
#include "platform/messages/Timer.h"
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    ApplicationTest() : saved(Application) { Application = &app; }
    ~ApplicationTest() override { Application = saved; }
    TApplication* saved;
    TApplication app{nullptr};
};

} // namespace

TEST_F(ApplicationTest, QuitEndsNestedLoopsAndTheMainLoop)
{
    // A nested loop of the kind a synchronous request runs, inside the main loop.
    int nestedRounds = 0;
    bool nestedEnded = false;
    TTimer guard(nullptr); // fails the test instead of hanging it
    guard.SetInterval(5000);
    guard.OnTimer = [&](TObject*) { ADD_FAILURE() << "loops did not end"; app.Terminate(); };
    HWND w = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_USER) {
            PostMessage(m.WParam, WM_USER + 1, 0, 0);
            while (!Application->Terminated()) {
                ++nestedRounds;
                Application->HandleMessage();
            }
            nestedEnded = true;
        } else {
            PostQuitMessage(3);
        }
    });
    PostMessage(w, WM_USER, w, 0);
    app.Run();
    EXPECT_TRUE(nestedEnded);
    EXPECT_GT(nestedRounds, 0);
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(app.ExitCode(), 3);
    DeallocateHWnd(w);
}

TEST_F(ApplicationTest, HandleMessageReturnsAtOnceOnceTerminated)
{
    std::vector<UINT> handled;
    HWND w = AllocateHWnd([&](TMessage& m) { handled.push_back(m.Msg); });
    PostMessage(w, WM_USER, 0, 0);
    app.Terminate();
    // A loop that ignored the flag would handle the waiting message (or block for one).
    app.HandleMessage();
    app.Run();
    EXPECT_TRUE(handled.empty());
    // The message still waits for whoever runs a loop next.
    TMessage waiting{};
    EXPECT_TRUE(PeekMessage(waiting, w, 0, 0, PM_NOREMOVE));
    DeallocateHWnd(w);
}

TEST_F(ApplicationTest, ExceptionsGoToOnExceptionExceptSilentAborts)
{
    std::vector<std::string> seen;
    TObject* sender = nullptr;
    app.OnException = [&](TObject* s, const std::exception& e) {
        sender = s;
        seen.push_back(e.what());
    };
    Dispatch([] { throw Exception("first"); });
    Dispatch([] { throw EAbort("silent"); });
    Dispatch([] { throw std::runtime_error("std"); });
    Dispatch([] { throw 42; });
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "std", "Unknown exception"}));
    EXPECT_EQ(sender, &app);
}

TEST_F(ApplicationTest, ShowExceptionUsesTheBoxWithTheTitleAndEndsTheTextWithAStop)
{
    std::vector<std::pair<std::string, std::string>> boxes;
    app.SetTitle("QEX 2000");
    app.ExceptionBox = [&](const AnsiString& title, const AnsiString& text) { boxes.push_back({title, text}); };
    Dispatch([] { throw Exception("Socket error"); });
    Dispatch([] { throw Exception("Already ends."); });
    Dispatch([] { throw Exception("Asks?"); });
    Dispatch([] { throw Exception("(see above)"); });
    Dispatch([] { throw Exception("Folder /"); }); // '/' is the first character above the stop
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0], (std::pair<std::string, std::string>{"QEX 2000", "Socket error."}));
    EXPECT_EQ(boxes[1].second, "Already ends.");
    EXPECT_EQ(boxes[2].second, "Asks?.");
    EXPECT_EQ(boxes[3].second, "(see above)");
    EXPECT_EQ(boxes[4].second, "Folder /.");
}

TEST_F(ApplicationTest, AThrowingExceptionHandlerNeverEscapesDispatch)
{
    app.OnException = [](TObject*, const std::exception&) { throw std::runtime_error("again"); };
    EXPECT_NO_THROW(Dispatch([] { throw Exception("first"); }));
}
