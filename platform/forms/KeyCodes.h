// Virtual key codes and shortcut values as the class library keeps them: a shortcut is the key's
// code plus 0x2000 for Shift, 0x4000 for Ctrl and 0x8000 for Alt (F12 = 123, Ctrl+C = 16451).
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/forms/Set.h"
#include "platform/forms/Types.h"

#include <QtCore/qnamespace.h>

class QKeyEvent;

enum TShiftStateValue { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateValue>;
using TShortCut = WORD;

constexpr WORD VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
               VK_PAUSE = 19, VK_CAPITAL = 20, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34,
               VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
               VK_SNAPSHOT = 44, VK_INSERT = 45, VK_DELETE = 46, VK_APPS = 93, VK_NUMPAD0 = 96,
               VK_MULTIPLY = 106, VK_ADD = 107, VK_SEPARATOR = 108, VK_SUBTRACT = 109, VK_DECIMAL = 110,
               VK_DIVIDE = 111, VK_F1 = 112, VK_F2 = 113, VK_F3 = 114, VK_F4 = 115, VK_F5 = 116,
               VK_F6 = 117, VK_F7 = 118, VK_F8 = 119, VK_F9 = 120, VK_F10 = 121, VK_F11 = 122,
               VK_F12 = 123, VK_NUMLOCK = 144, VK_SCROLL = 145, VK_OEM_PLUS = 187, VK_OEM_COMMA = 188,
               VK_OEM_MINUS = 189, VK_OEM_PERIOD = 190;
constexpr WORD scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
// "F7", "Ins", "Del", "Ctrl+C", "Shift+Ins": what a menu shows beside its caption.
AnsiString ShortCutToText(TShortCut shortCut);

// The virtual key of a Qt key event, 0 when it has none; numpad keys keep their own codes.
WORD VirtualKeyOf(const QKeyEvent& event);
TShiftState ShiftStateOf(const QKeyEvent& event);
// Shift, Ctrl and Alt of a set of Qt modifiers (QGuiApplication::queryKeyboardModifiers()).
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);
