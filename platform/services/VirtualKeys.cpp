#include "platform/services/VirtualKeys.h"

namespace {

struct KeyPair {
    unsigned virtualKey;
    unsigned keysym;
};

constexpr KeyPair kNamedKeys[] = {
    {0x03, 0xFF6B}, // VK_CANCEL     Break
    {0x08, 0xFF08}, // VK_BACK       BackSpace
    {0x09, 0xFF09}, // VK_TAB        Tab
    {0x0C, 0xFF0B}, // VK_CLEAR      Clear
    {0x0D, 0xFF0D}, // VK_RETURN     Return
    {0x10, 0xFFE1}, // VK_SHIFT      Shift_L
    {0x11, 0xFFE3}, // VK_CONTROL    Control_L
    {0x12, 0xFFE9}, // VK_MENU       Alt_L
    {0x13, 0xFF13}, // VK_PAUSE      Pause
    {0x14, 0xFFE5}, // VK_CAPITAL    Caps_Lock
    {0x1B, 0xFF1B}, // VK_ESCAPE     Escape
    {0x20, 0x0020}, // VK_SPACE      space
    {0x21, 0xFF55}, // VK_PRIOR      Prior
    {0x22, 0xFF56}, // VK_NEXT       Next
    {0x23, 0xFF57}, // VK_END        End
    {0x24, 0xFF50}, // VK_HOME       Home
    {0x25, 0xFF51}, // VK_LEFT       Left
    {0x26, 0xFF52}, // VK_UP         Up
    {0x27, 0xFF53}, // VK_RIGHT      Right
    {0x28, 0xFF54}, // VK_DOWN       Down
    {0x29, 0xFF60}, // VK_SELECT     Select
    {0x2A, 0xFF61}, // VK_PRINT      Print
    {0x2B, 0xFF62}, // VK_EXECUTE    Execute
    {0x2C, 0xFF61}, // VK_SNAPSHOT   Print (the Print Screen key)
    {0x2D, 0xFF63}, // VK_INSERT     Insert
    {0x2E, 0xFFFF}, // VK_DELETE     Delete
    {0x2F, 0xFF6A}, // VK_HELP       Help
    {0x5B, 0xFFEB}, // VK_LWIN       Super_L
    {0x5C, 0xFFEC}, // VK_RWIN       Super_R
    {0x5D, 0xFF67}, // VK_APPS       Menu
    {0x6A, 0xFFAA}, // VK_MULTIPLY   KP_Multiply
    {0x6B, 0xFFAB}, // VK_ADD        KP_Add
    {0x6C, 0xFFAC}, // VK_SEPARATOR  KP_Separator
    {0x6D, 0xFFAD}, // VK_SUBTRACT   KP_Subtract
    {0x6E, 0xFFAE}, // VK_DECIMAL    KP_Decimal
    {0x6F, 0xFFAF}, // VK_DIVIDE     KP_Divide
    {0x90, 0xFF7F}, // VK_NUMLOCK    Num_Lock
    {0x91, 0xFF14}, // VK_SCROLL     Scroll_Lock
    {0xA0, 0xFFE1}, // VK_LSHIFT     Shift_L
    {0xA1, 0xFFE2}, // VK_RSHIFT     Shift_R
    {0xA2, 0xFFE3}, // VK_LCONTROL   Control_L
    {0xA3, 0xFFE4}, // VK_RCONTROL   Control_R
    {0xA4, 0xFFE9}, // VK_LMENU      Alt_L
    {0xA5, 0xFFEA}, // VK_RMENU      Alt_R
    {0xBA, 0x003B}, // VK_OEM_1      semicolon
    {0xBB, 0x003D}, // VK_OEM_PLUS   equal
    {0xBC, 0x002C}, // VK_OEM_COMMA  comma
    {0xBD, 0x002D}, // VK_OEM_MINUS  minus
    {0xBE, 0x002E}, // VK_OEM_PERIOD period
    {0xBF, 0x002F}, // VK_OEM_2      slash
    {0xC0, 0x0060}, // VK_OEM_3      grave
    {0xDB, 0x005B}, // VK_OEM_4      bracketleft
    {0xDC, 0x005C}, // VK_OEM_5      backslash
    {0xDD, 0x005D}, // VK_OEM_6      bracketright
    {0xDE, 0x0027}, // VK_OEM_7      apostrophe
};

} // namespace

unsigned KeysymOfVirtualKey(unsigned virtualKey)
{
    if (virtualKey >= '0' && virtualKey <= '9')
        return virtualKey;
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return virtualKey + ('a' - 'A');
    if (virtualKey >= 0x60 && virtualKey <= 0x69) // VK_NUMPAD0..9 -> KP_0..KP_9
        return 0xFFB0 + (virtualKey - 0x60);
    if (virtualKey >= 0x70 && virtualKey <= 0x87) // VK_F1..VK_F24 -> F1..F24
        return 0xFFBE + (virtualKey - 0x70);
    for (const auto& pair : kNamedKeys)
        if (pair.virtualKey == virtualKey)
            return pair.keysym;
    return 0;
}
