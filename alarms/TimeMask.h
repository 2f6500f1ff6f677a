// The text of the alarm time field, an edit masked as "!90:00;1;_": two hour digits of which the
// first may stay empty, a literal ':' kept in the text, two minute digits; empty places show as
// '_'. Typing overwrites place by place and steps over the ':'. The text keeps blanks for empty
// places, and a one-digit hour is written with a leading blank (" 9:30").
#pragma once
#include "platform/core/AnsiString.h"
#include <array>

class TimeMask {
public:
    static constexpr int kLength = 5;
    static constexpr int kSeparator = 2;

    // Blanks for empty places, e.g. " 9:30" or "  :  ".
    AnsiString Text() const;
    // Takes "hh:nn", " h:nn" or "h:nn"; anything that is not a digit leaves its place empty.
    void SetText(const AnsiString& text);
    // The text as shown: '_' for every empty place.
    AnsiString DisplayText() const;
    // True when every place but the first hour digit holds a digit.
    bool Complete() const;

    // Editing at a cursor position 0..5; each returns the cursor position after the edit.
    int Type(int cursor, char c);
    int Backspace(int cursor);
    int DeleteAt(int cursor);
    // Empties the places in [from, to).
    void Clear(int from, int to);

private:
    static bool Editable(int place) { return place >= 0 && place < kLength && place != kSeparator; }
    // With one hour digit typed in the first place, the digit moves to the second.
    void RightAlignHour();
    std::array<char, kLength> FPlaces{' ', ' ', ':', ' ', ' '};
};
