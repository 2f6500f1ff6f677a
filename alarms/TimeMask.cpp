#include "alarms/TimeMask.h"
#include <algorithm>

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

AnsiString TimeMask::Text() const
{
    TimeMask aligned = *this;
    aligned.RightAlignHour();
    return AnsiString(aligned.FPlaces.begin(), aligned.FPlaces.end());
}

void TimeMask::SetText(const AnsiString& text)
{
    FPlaces = {' ', ' ', ':', ' ', ' '};
    std::size_t colon = text.find(':');
    AnsiString hour = colon == AnsiString::npos ? text.substr(0, 2) : text.substr(0, colon);
    AnsiString minute = colon == AnsiString::npos ? AnsiString() : text.substr(colon + 1);
    if (hour.size() > 2)
        hour = hour.substr(hour.size() - 2);
    int place = 2 - static_cast<int>(hour.size());
    for (char c : hour)
        FPlaces[place++] = IsDigit(c) ? c : ' ';
    for (int i = 0; i < 2 && i < static_cast<int>(minute.size()); ++i)
        FPlaces[3 + i] = IsDigit(minute[i]) ? minute[i] : ' ';
}

AnsiString TimeMask::DisplayText() const
{
    AnsiString shown(FPlaces.begin(), FPlaces.end());
    for (int place = 0; place < kLength; ++place)
        if (Editable(place) && shown[place] == ' ')
            shown[place] = '_';
    return shown;
}

bool TimeMask::Complete() const
{
    AnsiString text = Text();
    return IsDigit(text[1]) && IsDigit(text[3]) && IsDigit(text[4]);
}

int TimeMask::Type(int cursor, char c)
{
    if (c == ':') {
        if (cursor == 1 && IsDigit(FPlaces[0]) && FPlaces[1] == ' ')
            RightAlignHour();
        return cursor <= kSeparator ? kSeparator + 1 : cursor;
    }
    if (cursor == kSeparator)
        ++cursor;
    if (!Editable(cursor))
        return cursor;
    // Only the optional first hour place takes a blank.
    if (!IsDigit(c) && !(c == ' ' && cursor == 0))
        return cursor;
    FPlaces[cursor] = c;
    ++cursor;
    return cursor == kSeparator ? cursor + 1 : cursor;
}

int TimeMask::Backspace(int cursor)
{
    int place = cursor - 1;
    if (place == kSeparator)
        --place;
    if (place < 0)
        return 0;
    FPlaces[place] = ' ';
    return place;
}

int TimeMask::DeleteAt(int cursor)
{
    if (Editable(cursor))
        FPlaces[cursor] = ' ';
    return cursor;
}

void TimeMask::Clear(int from, int to)
{
    for (int place = std::max(0, from); place < std::min(to, kLength); ++place)
        if (Editable(place))
            FPlaces[place] = ' ';
}

void TimeMask::RightAlignHour()
{
    if (IsDigit(FPlaces[0]) && FPlaces[1] == ' ') {
        FPlaces[1] = FPlaces[0];
        FPlaces[0] = ' ';
    }
}
