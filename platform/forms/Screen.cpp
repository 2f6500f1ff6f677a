#include "platform/forms/Screen.h"
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <map>

namespace {
TScreen theScreen;

// Made on first use, so a registration during start-up never meets an unmade table.
std::map<int, Qt::CursorShape>& Registered()
{
    static std::map<int, Qt::CursorShape> cursors;
    return cursors;
}

Qt::CursorShape ShapeOf(TCursor cursor)
{
    switch (cursor) {
    case crHourGlass: return Qt::WaitCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    default: break;
    }
    auto found = Registered().find(cursor);
    return found != Registered().end() ? found->second : Qt::ArrowCursor;
}
} // namespace

TScreen* Screen = &theScreen;

int TScreen::Width() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int TScreen::Height() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

void TScreen::SetCursor(TCursor cursor)
{
    if (cursor == FCursor || !qGuiApp)
        return;
    if (FCursor != crDefault)
        QGuiApplication::restoreOverrideCursor();
    FCursor = cursor;
    if (cursor != crDefault)
        QGuiApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
}

void TScreen::SetCursors(TCursor index, Qt::CursorShape shape)
{
    Registered()[index] = shape;
}

bool TScreen::HasCursor(TCursor index) const
{
    return Registered().count(index) > 0;
}
