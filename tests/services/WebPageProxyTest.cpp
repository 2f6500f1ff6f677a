// The program's side of a view whose engine runs in the helper: answers to the page's questions
// go back through the event loop, and a helper that sends garbage or goes away ends the view
// once, without a hang or a crash. The helper here is a socket the test holds.
#include "platform/services/WebPageProxy.h"
#include "support/EventLoopWait.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using fixture::RunUntil;

class WebPageProxyTest : public ::testing::Test {
protected:
    WebPageProxyTest()
    {
        int ends[2];
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
        helperEnd = ends[1];
        events.LoadFinished = [this](bool ok) { seen.push_back(ok ? "loaded" : "failed"); };
        events.LinkActivated = [this](const QString& href) { seen.push_back("link " + href); };
        events.Confirm = [this](const QString& text) {
            seen.push_back("confirm " + text);
            return true;
        };
        events.Prompt = [this](const QString& text, const QString& defaultValue, QString& answer) {
            seen.push_back("prompt " + text + " " + defaultValue);
            answer = QStringLiteral("Maija");
            return true;
        };
        events.Ended = [this](const QString& reason) { ended.push_back(reason); };
        events.FocusChanged = [](bool) {};
        events.KeyPressed = [](QKeyEvent&) { return false; };
        proxy = std::make_unique<WebPageProxy>(&parent, events, WebPageHelper{0, ends[0]});
        Read(); // the size the helper's window is given
    }
    ~WebPageProxyTest() override
    {
        proxy.reset();
        ::close(helperEnd);
    }

    void Write(const QByteArray& bytes) { ASSERT_EQ(::write(helperEnd, bytes.constData(), bytes.size()), bytes.size()); }
    void Write(const WebPageMessage& message) { Write(EncodeWebPageMessage(message)); }

    // The next message from the program, read as the helper reads it; the question whether the
    // helper is alive is answered on the way, as the helper answers it.
    std::optional<WebPageMessage> Read()
    {
        std::optional<WebPageMessage> message;
        AnswerUntil([&] { return message || (message = Take()); });
        return message;
    }
    // Runs the loop, answering as the helper would, until done() or the time-out.
    bool AnswerUntil(const std::function<bool()>& done, int timeoutMs = 30000)
    {
        return RunUntil([&] {
            char block[4096];
            const ssize_t got = ::recv(helperEnd, block, sizeof block, MSG_DONTWAIT);
            if (got > 0)
                reader.Append(block, got);
            return done();
        }, timeoutMs);
    }
    std::optional<WebPageMessage> Take()
    {
        std::optional<WebPageMessage> message;
        while ((message = reader.Next()) && message->kind == WebPageKind::Alive) {
            ++aliveAsked;
            WebPageMessage answer = MessageOf(WebPageKind::Answer);
            answer.id = message->id;
            Write(answer);
        }
        return message;
    }

    // The next message of this kind from the program, passing over the others (sizes).
    std::optional<WebPageMessage> ReadKind(WebPageKind kind)
    {
        std::optional<WebPageMessage> message;
        while ((message = Read()) && message->kind != kind) {
        }
        return message;
    }

    static WebPageMessage Request(quint32 id, WebPageRequest request, QStringList texts)
    {
        WebPageMessage message;
        message.kind = WebPageKind::Request;
        message.id = id;
        message.numbers = {static_cast<qint32>(request)};
        message.texts = std::move(texts);
        return message;
    }

    QWidget parent;
    int helperEnd = -1;
    WebPageEvents events;
    std::vector<QString> seen;
    std::vector<QString> ended;
    WebPageMessageReader reader;
    int aliveAsked = 0;
    std::unique_ptr<WebPageProxy> proxy;
};

} // namespace

TEST_F(WebPageProxyTest, ThePagesEventsArriveInOrderAndItsQuestionsAreAnsweredThroughTheLoop)
{
    WebPageMessage finished;
    finished.kind = WebPageKind::LoadFinished;
    finished.numbers = {1};
    WebPageMessage link;
    link.kind = WebPageKind::LinkActivated;
    link.texts = {QStringLiteral("#%23&3-7")};
    Write(EncodeWebPageMessage(finished) + EncodeWebPageMessage(Request(5, WebPageRequest::Confirm, {"Jatketaanko?"})) +
          EncodeWebPageMessage(Request(6, WebPageRequest::Prompt, {"Nimi?", "Matti"})) + EncodeWebPageMessage(link));
    std::optional<WebPageMessage> confirmed = Read();
    std::optional<WebPageMessage> prompted = Read();
    ASSERT_TRUE(confirmed && prompted);
    EXPECT_EQ(confirmed->kind, WebPageKind::Reply);
    EXPECT_EQ(confirmed->id, 5u);
    EXPECT_EQ(confirmed->numbers, (QList<qint32>{1}));
    EXPECT_EQ(prompted->id, 6u);
    EXPECT_EQ(prompted->numbers, (QList<qint32>{1}));
    EXPECT_EQ(prompted->texts, (QStringList{"Maija"}));
    RunUntil([&] { return seen.size() >= 4; });
    EXPECT_EQ(seen, (std::vector<QString>{"loaded", "confirm Jatketaanko?", "prompt Nimi? Matti", "link #%23&3-7"}));

    // The answer to the program's own question comes back through the loop as well.
    QJsonValue title = QStringLiteral("unanswered");
    proxy->Probe("title", {}, [&](const QJsonValue& answered) { title = answered; });
    std::optional<WebPageMessage> asked = Read();
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->kind, WebPageKind::Probe);
    WebPageMessage answer;
    answer.kind = WebPageKind::Answer;
    answer.id = asked->id;
    answer.blobs = {QByteArray("[\"Sivu\"]")};
    Write(answer);
    EXPECT_TRUE(RunUntil([&] { return title == QJsonValue(QStringLiteral("Sivu")); }));
    EXPECT_TRUE(ended.empty());
}

TEST_F(WebPageProxyTest, GarbageFromTheHelperEndsTheViewOnceAndAnswersWhatWaits)
{
    QJsonValue title = QStringLiteral("unanswered");
    proxy->Probe("title", {}, [&](const QJsonValue& answered) { title = answered; });
    Write(QByteArray("\x00\x00\x00\x09\x7Fgarbage!", 13));
    ASSERT_TRUE(RunUntil([&] { return !ended.empty(); }));
    EXPECT_TRUE(title.isNull() || title.isUndefined()) << "answered with a value";
    // Nothing more is read or sent, and calls on the ended view do nothing.
    WebPageMessage finished;
    finished.kind = WebPageKind::LoadFinished;
    Write(finished);
    proxy->Load("<P>x</P>");
    bool answeredAfter = false;
    proxy->Probe("title", {}, [&](const QJsonValue& answered) { answeredAfter = !answered.isString(); });
    RunUntil([] { return false; }, 200);
    EXPECT_EQ(ended.size(), 1u);
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(answeredAfter);
}

TEST_F(WebPageProxyTest, AHelperThatGoesAwayOrSendsTheProgramsOwnMessagesEndsTheView)
{
    WebPageMessage own;
    own.kind = WebPageKind::Load;
    Write(own);
    ASSERT_TRUE(RunUntil([&] { return !ended.empty(); }));

    ended.clear();
    int ends[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
    auto other = std::make_unique<WebPageProxy>(&parent, events, WebPageHelper{0, ends[0]});
    ::close(ends[1]);
    EXPECT_TRUE(RunUntil([&] { return !ended.empty(); }));
}

TEST_F(WebPageProxyTest, AHelperThatStopsAnsweringOrLeavesAFrameUnfinishedIsEndedAsHung)
{
    proxy->SetAnswerTimeLimit(300);
    // Answered, the questions go on and the view stays: each comes a second after the last
    // was answered, well past the time limit.
    EXPECT_TRUE(AnswerUntil([&] { return Take(), aliveAsked >= 3; }));
    EXPECT_TRUE(ended.empty());

    // A frame announced at the largest length and never completed: the answers behind it never
    // reach the program, which waits no longer than for a helper that stopped.
    QByteArray header(4, '\0');
    qToBigEndian<quint32>(kLargestWebPageFrame, header.data());
    Write(header + char(WebPageKind::LoadFinished) + QByteArray(1000, '\0'));
    const int askedBefore = aliveAsked;
    ASSERT_TRUE(AnswerUntil([&] { return Take(), !ended.empty(); }));
    EXPECT_LE(aliveAsked - askedBefore, 1) << "asked again while an answer was missing";
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0], "it stopped answering");
}

TEST_F(WebPageProxyTest, WhileTheWidgetIsDisabledThePageTakesNoInputAndItsLinksAndPressesDoNothing)
{
    parent.setEnabled(false);
    std::optional<WebPageMessage> told = Read();
    ASSERT_TRUE(told);
    EXPECT_EQ(told->kind, WebPageKind::Input);
    EXPECT_EQ(told->numbers, (QList<qint32>{0}));
    // Sent by the helper before it heard: the link and the press come to nothing.
    Write(MessageOf(WebPageKind::LinkActivated, {}, {"#%23&1-2"}));
    Write(MessageOf(WebPageKind::MousePressed));
    Write(MessageOf(WebPageKind::LoadFinished, {1}));
    ASSERT_TRUE(RunUntil([&] { return !seen.empty(); }));
    EXPECT_EQ(seen, (std::vector<QString>{"loaded"}));
    EXPECT_FALSE(proxy->Widget()->hasFocus());

    parent.setEnabled(true);
    told = Read();
    ASSERT_TRUE(told);
    EXPECT_EQ(told->kind, WebPageKind::Input);
    EXPECT_EQ(told->numbers, (QList<qint32>{1}));
    Write(MessageOf(WebPageKind::LinkActivated, {}, {"#%23&1-2"}));
    ASSERT_TRUE(RunUntil([&] { return seen.size() == 2; }));
    EXPECT_EQ(seen.back(), "link #%23&1-2");

    // A view made under a running box starts without input.
    int ends[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
    parent.setEnabled(false);
    auto other = std::make_unique<WebPageProxy>(&parent, events, WebPageHelper{0, ends[0]});
    WebPageMessageReader otherReader;
    bool toldNoInput = false;
    RunUntil([&] {
        char block[4096];
        const ssize_t got = ::recv(ends[1], block, sizeof block, MSG_DONTWAIT);
        if (got > 0)
            otherReader.Append(block, got);
        while (std::optional<WebPageMessage> message = otherReader.Next())
            toldNoInput |= message->kind == WebPageKind::Input && message->numbers == QList<qint32>{0};
        return toldNoInput;
    });
    EXPECT_TRUE(toldNoInput) << "the new view was not told that the page takes no input";
    other.reset();
    ::close(ends[1]);
    parent.setEnabled(true);
}

// Tab goes through the window's controls and the page's links as one chain: Tab and Shift+Tab
// into the view ask the helper for the page's first or last link (a click does not), and the
// helper's word that the focus went past the page's end moves it on to the next or previous
// control.
TEST_F(WebPageProxyTest, TabEntersThePageAtItsEndsAndLeavesItForTheNextControl)
{
    auto* before = new QLineEdit(&parent);
    auto* after = new QLineEdit(&parent);
    QWidget* page = proxy->Widget();
    QWidget::setTabOrder(before, page);
    QWidget::setTabOrder(page, after);
    parent.show();
    QApplication::setActiveWindow(&parent);
    ASSERT_TRUE(RunUntil([&] { return parent.isActiveWindow(); }));
    const auto press = [](QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(widget, &event);
    };
    const auto helperSays = [&](bool next) { Write(MessageOf(WebPageKind::FocusLeft, {next})); };

    before->setFocus();
    press(before, Qt::Key_Tab);
    std::optional<WebPageMessage> entered = ReadKind(WebPageKind::FocusEntered);
    ASSERT_TRUE(entered);
    EXPECT_EQ(entered->numbers, (QList<qint32>{1}));
    helperSays(true);
    EXPECT_TRUE(RunUntil([&] { return after->hasFocus(); }));

    press(after, Qt::Key_Backtab, Qt::ShiftModifier);
    entered = ReadKind(WebPageKind::FocusEntered);
    ASSERT_TRUE(entered);
    EXPECT_EQ(entered->numbers, (QList<qint32>{0}));
    helperSays(false);
    EXPECT_TRUE(RunUntil([&] { return before->hasFocus(); }));

    // A click gives the view the focus without moving it in the page; and word from the helper
    // that comes after the user put the focus elsewhere moves nothing.
    page->setFocus(Qt::MouseFocusReason);
    proxy->SetScrollBarsShown(true);
    std::optional<WebPageMessage> next = Read();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->kind, WebPageKind::ScrollBars);
    before->setFocus();
    helperSays(true);
    Write(MessageOf(WebPageKind::LoadFinished, {1})); // told after the word, in order
    ASSERT_TRUE(RunUntil([&] { return !seen.empty(); }));
    EXPECT_TRUE(before->hasFocus());
    EXPECT_TRUE(ended.empty());
}
