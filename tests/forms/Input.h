// Synthetic user input, delivered as the window system would deliver it to one widget.
#pragma once
#include <QApplication>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

inline void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

inline void MouseButton(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint pos)
{
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void ClickMouse(QWidget* widget, Qt::MouseButton button, QPoint pos)
{
    MouseButton(widget, QEvent::MouseButtonPress, button, pos);
    MouseButton(widget, QEvent::MouseButtonRelease, button, pos);
}

// The widget that a click at the middle of `widget` reaches: its deepest child there.
inline QWidget* WidgetAtMiddle(QWidget* widget)
{
    QWidget* child = widget->childAt(widget->rect().center());
    return child ? child : widget;
}

// What a user does to a control with mouse and keyboard: left and right clicks and a double
// click at its middle, a wheel turn, a context-menu request, and keys (Space, Down, a letter,
// Enter) sent to it.
inline void HandleWithMouseAndKeys(QWidget* widget)
{
    QWidget* target = WidgetAtMiddle(widget);
    QPoint middle = target->rect().center();
    ClickMouse(target, Qt::LeftButton, middle);
    MouseButton(target, QEvent::MouseButtonDblClick, Qt::LeftButton, middle);
    MouseButton(target, QEvent::MouseButtonRelease, Qt::LeftButton, middle);
    ClickMouse(target, Qt::RightButton, middle);
    QWheelEvent wheel(QPointF(middle), QPointF(target->mapToGlobal(middle)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, middle, target->mapToGlobal(middle));
    QApplication::sendEvent(target, &menu);
    for (QWidget* receiver : {widget, target}) {
        PressKey(receiver, Qt::Key_Space, Qt::NoModifier, " ");
        PressKey(receiver, Qt::Key_Down);
        PressKey(receiver, Qt::Key_A, Qt::NoModifier, "a");
        PressKey(receiver, Qt::Key_Return, Qt::NoModifier, "\r");
    }
}

// What a pause of the mouse over the middle of `widget` shows: the hint's text, or "" for none.
inline QString HintShownOver(QWidget* widget)
{
    // A tip goes a moment after it is told to.
    QToolTip::hideText();
    QDeadlineTimer deadline(5000);
    while (QToolTip::isVisible() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QWidget* target = WidgetAtMiddle(widget);
    QPoint middle = target->rect().center();
    QHelpEvent help(QEvent::ToolTip, middle, target->mapToGlobal(middle));
    QApplication::sendEvent(target, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}
