#include "platform/forms/FrameHints.h"
#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// The frame hints' layout: flags, functions, decorations, input mode, status. A set "all" bit
// means every function (decoration) except those listed.
constexpr std::uint32_t kHasFunctions = 1, kHasDecorations = 2;
constexpr std::uint32_t kAll = 1;
constexpr std::uint32_t kFunctionResize = 2, kFunctionMaximize = 16, kAllFunctions = 2 | 4 | 8 | 16 | 32;
constexpr std::uint32_t kDecorResize = 4, kDecorMaximize = 64, kAllDecorations = 2 | 4 | 8 | 16 | 32 | 64;
using Hints = std::array<std::uint32_t, 5>;

xcb_atom_t HintsAtom(xcb_connection_t* connection)
{
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (atom == XCB_ATOM_NONE) {
        const char name[] = "_MOTIF_WM_HINTS";
        auto* reply = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        if (reply)
            atom = reply->atom;
        free(reply);
    }
    return atom;
}

// The hints as the toolkit left them; none written means everything is offered.
Hints ReadHints(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t atom)
{
    Hints hints{};
    auto* reply = xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, atom, atom, 0, 5), nullptr);
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= static_cast<int>(sizeof hints))
        std::memcpy(hints.data(), xcb_get_property_value(reply), sizeof hints);
    free(reply);
    return hints;
}

// The listed set a field stands for, "all but" turned into the plain list.
std::uint32_t Listed(const Hints& hints, std::uint32_t has, int field, std::uint32_t everything)
{
    if (!(hints[0] & has))
        return everything;
    return hints[field] & kAll ? everything & ~hints[field] : hints[field];
}

} // namespace

void SetFramePinned(QWidget* window, bool pinned)
{
    if (!window || !window->testAttribute(Qt::WA_WState_Created) || QGuiApplication::platformName() != "xcb")
        return;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t atom = HintsAtom(connection);
    if (atom == XCB_ATOM_NONE)
        return;
    const Hints old = ReadHints(connection, id, atom);
    Hints hints = old;
    std::uint32_t functions = Listed(old, kHasFunctions, 1, kAllFunctions);
    std::uint32_t decorations = Listed(old, kHasDecorations, 2, kAllDecorations);
    if (pinned) {
        functions &= ~(kFunctionResize | kFunctionMaximize);
        decorations &= ~(kDecorResize | kDecorMaximize);
    } else {
        // The toolkit offers resizing to every window; the maximise command follows its button.
        functions |= kFunctionResize;
        decorations |= kDecorResize;
        if (window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint) ||
            !window->windowFlags().testFlag(Qt::CustomizeWindowHint)) {
            functions |= kFunctionMaximize;
            decorations |= kDecorMaximize;
        }
    }
    hints[0] |= kHasFunctions | kHasDecorations;
    hints[1] = functions;
    hints[2] = decorations;
    // Written only when it changes: each write makes the manager lay out the frame again.
    if (hints == old || (!pinned && !(old[0] & kHasFunctions)))
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom, atom, 32, 5, hints.data());
    xcb_flush(connection);
}
