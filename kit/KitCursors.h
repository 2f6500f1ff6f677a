// The kit's two extra screen cursors, a hand and a drag cursor, under the numbers the kit has
// always given them. Nothing in the program assigns them to a control; they are there for any
// that wants them.
#pragma once
#include "platform/forms/Screen.h"

constexpr TCursor crKitHand = static_cast<TCursor>(14000);
constexpr TCursor crKitDrag = static_cast<TCursor>(14001);

// Registers both with Screen; called once at start-up.
void RegisterKitCursors();
