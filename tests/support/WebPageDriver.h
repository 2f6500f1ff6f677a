// Drives the browser control's engine view in tests as a user would: waits for the page, finds
// text on it, clicks, presses keys. The engine runs in its helper process: scripts run there in
// the isolated world of our own scripts (which works while page scripts are off), mouse events
// are made there, keys go to the control's widget as the program gets them.
#pragma once
#include "platform/forms/QtText.h"
#include "platform/services/WebBrowser.h"
#include "platform/services/WebPageProxy.h"
#include "support/EventLoopWait.h"
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace webpage {

// The program's side of the view, or null while the control has none.
inline WebPageProxy* ViewOf(TWebBrowser& browser)
{
    // The proxy has no meta-object of its own, so it is told from the other children by its type.
    for (QObject* child : browser.Widget()->findChildren<QObject*>())
        if (auto* view = dynamic_cast<WebPageProxy*>(child))
            return view;
    return nullptr;
}

using fixture::RunUntil;

inline bool WaitForPage(TWebBrowser& browser)
{
    return RunUntil([&] { return browser.ReadyState() == READYSTATE_COMPLETE; });
}

// What the engine tells of itself (see WebPageProxy::Probe).
inline QVariant Probe(TWebBrowser& browser, const QString& name, const QJsonArray& arguments = {})
{
    QVariant result;
    bool answered = false;
    WebPageProxy* view = ViewOf(browser);
    if (!view) {
        ADD_FAILURE() << "no view for " << name.toStdString();
        return result;
    }
    view->Probe(name, arguments, [&](const QJsonValue& value) {
        result = value.toVariant();
        answered = true;
    });
    EXPECT_TRUE(RunUntil([&] { return answered; })) << name.toStdString();
    return result;
}

// The shown document as plain text, Windows-1252, once the page being loaded is there; empty
// while the control has no view.
inline AnsiString DocumentText(TWebBrowser& browser)
{
    if (!ViewOf(browser))
        return AnsiString();
    RunUntil([&] { return browser.ReadyState() != READYSTATE_LOADING || !ViewOf(browser); });
    if (!ViewOf(browser))
        return AnsiString();
    return FromQString(Probe(browser, "text").toString());
}

inline QVariant Run(TWebBrowser& browser, const QString& script)
{
    return Probe(browser, "script", {script});
}

// Script text that sets `found` to the first text node holding the UTF-8 text `text`.
inline QString FindText(const char* text)
{
    return QStringLiteral("var wanted = %1, found = null;"
                          "var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);"
                          "while (!found && walker.nextNode())"
                          "  if (walker.currentNode.data.indexOf(wanted) >= 0) found = walker.currentNode;")
        .arg(QString::fromUtf8("\"") + QString::fromUtf8(text) + "\"");
}

inline bool HasText(TWebBrowser& browser, const char* text)
{
    return Run(browser, FindText(text) + "found !== null;").toBool();
}

// Whether the first occurrence of text stands in a table cell.
inline bool InTableCell(TWebBrowser& browser, const char* text)
{
    return Run(browser, FindText(text) + "found !== null && found.parentNode.closest('td') !== null;").toBool();
}

// The centre of the first occurrence of text in view coordinates, scrolled into view; (-1, -1)
// when the page has no such text.
inline QPoint CentreOf(TWebBrowser& browser, const char* text)
{
    const QVariantList centre = Run(browser, FindText(text) +
                                                 "if (!found) [-1, -1]; else {"
                                                 "  found.parentNode.scrollIntoView({block: 'center', inline: 'center'});"
                                                 "  var range = document.createRange();"
                                                 "  var at = found.data.indexOf(wanted);"
                                                 "  range.setStart(found, at); range.setEnd(found, at + wanted.length);"
                                                 "  var box = range.getBoundingClientRect();"
                                                 "  [box.x + box.width / 2, box.y + box.height / 2]; }")
                                    .toList();
    return centre.size() == 2 ? QPoint(centre[0].toInt(), centre[1].toInt()) : QPoint(-1, -1);
}

// The computed colour ("rgb(r, g, b)") of the element that holds text, or empty without one.
inline QString ColourOf(TWebBrowser& browser, const char* text)
{
    return Run(browser, FindText(text) + "found ? getComputedStyle(found.parentNode).color : '';").toString();
}

// The widget the program's keys reach while the page has the focus.
inline QWidget* InputWidget(TWebBrowser& browser)
{
    return ViewOf(browser)->Widget();
}

inline void Click(TWebBrowser& browser, QPoint at, Qt::MouseButton button = Qt::LeftButton, int clicks = 1)
{
    for (int i = 0; i < clicks; ++i) {
        Probe(browser, "mouse", {int(QEvent::MouseButtonPress), at.x(), at.y(), int(button), int(button)});
        Probe(browser, "mouse", {int(QEvent::MouseButtonRelease), at.x(), at.y(), int(button), 0});
    }
}

inline void Key(TWebBrowser& browser, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = InputWidget(browser);
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// Lets the engine handle what it was sent: a round trip through the page after it.
inline void Settle(TWebBrowser& browser)
{
    Run(browser, "0");
}

} // namespace webpage
