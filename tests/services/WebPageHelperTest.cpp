// The browser helpers themselves, each started as the control starts one: the shipped helper
// shows pages and does nothing a probe asks (no script, no title, no input), while the tests'
// own helper, found beside the test binary as the program finds its own, answers them.
#include "platform/services/WebPageProxy.h"
#include "support/WebPageDriver.h"
#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using webpage::RunUntil;

struct Shown {
    QJsonValue scriptAnswer;
    QJsonValue title;
    QString text;
};

// Loads a page, sends a probe whose script would rewrite it and asks the title, then reads the
// page's text through the channel's own message.
Shown ShowAndProbe(std::optional<WebPageHelper> helper)
{
    Shown shown;
    QWidget parent;
    parent.resize(400, 300);
    bool loaded = false;
    bool ended = false;
    WebPageEvents events;
    events.LoadFinished = [&](bool ok) { loaded = ok; };
    events.SelectionChanged = [] {};
    events.Ended = [&](const QString&) { ended = true; };
    WebPageProxy view(&parent, events, *helper);
    view.Load("<HTML><HEAD><TITLE>Alku</TITLE></HEAD><BODY>Sivu</BODY></HTML>");
    EXPECT_TRUE(RunUntil([&] { return loaded || ended; }) && loaded) << "the page never loaded";
    const auto ask = [&](const QString& name, const QJsonArray& arguments) {
        QJsonValue value = QStringLiteral("unanswered");
        view.Probe(name, arguments, [&](const QJsonValue& answer) { value = answer; });
        EXPECT_TRUE(RunUntil([&] { return value != QJsonValue(QStringLiteral("unanswered")); })) << name.toStdString();
        return value;
    };
    shown.scriptAnswer = ask("script", {"document.body.textContent = 'Muutettu'; document.title;"});
    shown.title = ask("title", {});
    bool answered = false;
    view.PlainText([&](const QString& text) {
        shown.text = text;
        answered = true;
    });
    EXPECT_TRUE(RunUntil([&] { return answered; }));
    EXPECT_FALSE(ended);
    return shown;
}

} // namespace

TEST(WebPageHelper, TheShippedHelperShowsPagesAndDoesNothingAProbeAsks)
{
    QString failure;
    const std::optional<WebPageHelper> helper = StartWebPageHelper(QStringLiteral(QEX_SHIPPED_HELPER), failure);
    ASSERT_TRUE(helper) << failure.toStdString();
    const Shown shown = ShowAndProbe(helper);
    EXPECT_TRUE(shown.scriptAnswer.isNull());
    EXPECT_TRUE(shown.title.isNull());
    EXPECT_EQ(shown.text, "Sivu");
}

TEST(WebPageHelper, TheTestsHelperBesideTheTestBinaryAnswersProbes)
{
    QString failure;
    const std::optional<WebPageHelper> helper = StartWebPageHelper(failure);
    ASSERT_TRUE(helper) << failure.toStdString();
    const Shown shown = ShowAndProbe(helper);
    EXPECT_EQ(shown.scriptAnswer.toString(), "Alku");
    EXPECT_EQ(shown.title.toString(), "Alku");
    EXPECT_EQ(shown.text, "Muutettu");
}
