// Questions a window puts to whatever watches its events before it acts, as a window procedure
// is asked on the platform the forms layer stands in for: its size limits before they go to the
// window manager and a menu about to pop up. Each travels as an event
// sent to the window (or the control) itself; a watcher (the kit's window hooks) changes the
// answer in place, and with nobody watching the window's own answer stands.
#pragma once
#include "platform/forms/Types.h"
#include <QEvent>

class QMenu;

// Frame pixels: the maximised size and place, the smallest and the largest size the window may
// be given. A maximum of QWIDGETSIZE_MAX leaves that side open.
struct MINMAXINFO {
    TPoint ptReserved;
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};

class TMinMaxQuery : public QEvent {
public:
    explicit TMinMaxQuery(const MINMAXINFO& info) : QEvent(Kind()), Info(info) {}
    static QEvent::Type Kind();
    MINMAXINFO Info;
};

// Sent to the window a menu belongs to just before the menu shows, so it can be brought up to
// date. Index is the item's place in its parent menu (0 for a pop-up menu of its own).
class TMenuPopupQuery : public QEvent {
public:
    TMenuPopupQuery(QMenu* menu, int index, bool systemMenu)
        : QEvent(Kind()), Menu(menu), Index(index), SystemMenu(systemMenu) {}
    static QEvent::Type Kind();
    QMenu* Menu;
    int Index;
    bool SystemMenu;
};
