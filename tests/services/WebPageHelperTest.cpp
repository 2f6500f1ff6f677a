// The browser helpers themselves, each started as the control starts one: the shipped helper
// shows pages and does nothing a probe asks (no script, no title, no input), while the tests'
// own helper, found beside the test binary as the program finds its own, answers them; and Tab
// between the window's controls and the page's links.
#include "platform/services/WebPageProxy.h"
#include "support/WebPageDriver.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using webpage::RunUntil;

struct Shown {
    QJsonValue scriptAnswer;
    QJsonValue title;
    QJsonValue text;
};

// Loads a page, sends a probe whose script would rewrite it, then asks the title and the page's
// text.
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
    shown.text = ask("text", {});
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
    EXPECT_TRUE(shown.text.isNull());
}

TEST(WebPageHelper, TheTestsHelperBesideTheTestBinaryAnswersProbes)
{
    QString failure;
    const std::optional<WebPageHelper> helper = StartWebPageHelper(failure);
    ASSERT_TRUE(helper) << failure.toStdString();
    const Shown shown = ShowAndProbe(helper);
    EXPECT_EQ(shown.scriptAnswer.toString(), "Alku");
    EXPECT_EQ(shown.title.toString(), "Alku");
    EXPECT_EQ(shown.text.toString(), "Muutettu");
}

// Tab and Shift+Tab walk the page's links between the window's controls: into the page at its
// first link (its last from behind), past the links that show nothing, and out at either end
// to the next control, never round to the page's other end.
TEST(WebPageHelper, TabWalksThePagesLinksBetweenTheWindowsControls)
{
    QString failure;
    const std::optional<WebPageHelper> helper = StartWebPageHelper(failure);
    ASSERT_TRUE(helper) << failure.toStdString();
    QWidget window;
    window.resize(400, 300);
    auto* before = new QLineEdit(&window);
    bool loaded = false;
    WebPageEvents events;
    events.LoadFinished = [&](bool ok) { loaded = ok; };
    events.KeyPressed = [](QKeyEvent&) { return false; };
    events.FocusChanged = [](bool) {};
    events.SelectionChanged = [] {};
    events.Ended = [](const QString&) {};
    WebPageProxy view(&window, events, *helper);
    auto* after = new QLineEdit(&window);
    view.Widget()->setGeometry(0, 40, 400, 200);
    view.Load("<HTML><BODY><A HREF=\"#1\">Eka</A> <A HREF=\"#2\"><FONT>&nbsp</FONT></A> "
              "<A HREF=\"#3\">Toka</A> <A HREF=\"#4\"><FONT>&nbsp;</FONT></A></BODY></HTML>");
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(RunUntil([&] { return loaded && window.isActiveWindow(); }));

    const auto focusedLink = [&] {
        QJsonValue value;
        bool answered = false;
        view.Probe("script", {"document.activeElement && document.activeElement.localName === 'a' ?"
                              "  document.activeElement.textContent : ''"},
                   [&](const QJsonValue& answer) {
                       value = answer;
                       answered = true;
                   });
        RunUntil([&] { return answered; });
        return value.toString();
    };
    const auto tab = [](QWidget* widget, bool backward) {
        QKeyEvent event(QEvent::KeyPress, backward ? Qt::Key_Backtab : Qt::Key_Tab,
                        backward ? Qt::ShiftModifier : Qt::NoModifier, QStringLiteral("\t"));
        QApplication::sendEvent(widget, &event);
    };

    before->setFocus();
    tab(before, false);
    EXPECT_TRUE(RunUntil([&] { return focusedLink() == "Eka"; })) << "the first link: " << focusedLink().toStdString();
    tab(view.Widget(), false);
    EXPECT_TRUE(RunUntil([&] { return focusedLink() == "Toka"; })) << "the next link: " << focusedLink().toStdString();
    tab(view.Widget(), false);
    EXPECT_TRUE(RunUntil([&] { return after->hasFocus(); })) << "Tab stayed in the page";

    tab(after, true);
    EXPECT_TRUE(RunUntil([&] { return focusedLink() == "Toka"; })) << "the last link: " << focusedLink().toStdString();
    tab(view.Widget(), true);
    EXPECT_TRUE(RunUntil([&] { return focusedLink() == "Eka"; }));
    tab(view.Widget(), true);
    EXPECT_TRUE(RunUntil([&] { return before->hasFocus(); })) << "Shift+Tab stayed in the page";
}
