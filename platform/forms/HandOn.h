// Our event filters often need the Qt widget to handle an event before the program hears of it
// (the class library raises OnMouseDown after the list has selected the row). They hand the
// event on with this; every filter of ours lets a handed-on event pass untouched.
#pragma once

class QEvent;
class QObject;

void HandOn(QObject* receiver, QEvent* event);
bool IsHandedOn(const QEvent* event);
