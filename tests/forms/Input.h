// Synthetic user input, delivered as the window system would deliver it to one widget.
#pragma once
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
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
