// Questions a window puts to whatever watches its events before it acts, as a window procedure
// is asked on the platform the forms layer stands in for: its size limits before they go to the
// window manager. It travels as an event sent to the window itself; a watcher (the kit's window hooks) changes the
// answer in place, and with nobody watching the window's own answer stands.
#pragma once
#include "platform/forms/Types.h"
#include <QEvent>

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
