#include "platform/forms/MaskedText.h"
#include <algorithm>
#include "platform/core/DateTime.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every Windows-1252 letter: those with a case partner, and the few without one.
bool IsLetter(char c)
{
    return cp1252::ToUpperAnsi(c) != cp1252::ToLowerAnsi(c) || c == '\xDF' || c == '\xB5' || c == '\xAA' || c == '\xBA';
}

} // namespace

MaskedText::MaskedText(const AnsiString& mask)
{
    Parse(mask);
    for (const Place& place : FPlaces)
        FChars.push_back(place.kind == Kind::Literal ? place.literal : ' ');
}

void MaskedText::Parse(const AnsiString& mask)
{
    std::size_t i = 0;
    for (; i < mask.size() && mask[i] != ';'; ++i) {
        char c = mask[i];
        Place place;
        switch (c) {
        case '!': FLeadingBlanks = true; continue;
        case '<':
        case '>': continue;
        case '0': place = {Kind::Digit, true}; break;
        case '9': place = {Kind::Digit, false}; break;
        case '#': place = {Kind::DigitOrSign, false}; break;
        case 'L': place = {Kind::Letter, true}; break;
        case 'l': place = {Kind::Letter, false}; break;
        case 'A': place = {Kind::LetterOrDigit, true}; break;
        case 'a': place = {Kind::LetterOrDigit, false}; break;
        case 'C': place = {Kind::AnyChar, true}; break;
        case 'c': place = {Kind::AnyChar, false}; break;
        case ':': place.literal = FormatSettings().TimeSeparator; break;
        case '/': place.literal = FormatSettings().DateSeparator; break;
        case '\\':
            if (i + 1 < mask.size())
                ++i;
            place.literal = mask[i];
            break;
        default: place.literal = c; break;
        }
        FPlaces.push_back(place);
    }
    // The parts after the mask: whether literals are saved, then the blank character.
    if (i < mask.size() && ++i < mask.size()) {
        FSaveLiterals = mask[i] != '0';
        std::size_t blank = mask.find(';', i);
        if (blank != AnsiString::npos && blank + 1 < mask.size())
            FBlank = mask[blank + 1];
    }
}

bool MaskedText::Editable(int place) const
{
    return place >= 0 && place < Length() && FPlaces[place].kind != Kind::Literal;
}

bool MaskedText::Fits(int place, char c) const
{
    switch (FPlaces[place].kind) {
    case Kind::Digit: return IsDigit(c);
    case Kind::DigitOrSign: return IsDigit(c) || c == '+' || c == '-';
    case Kind::Letter: return IsLetter(c);
    case Kind::LetterOrDigit: return IsLetter(c) || IsDigit(c);
    case Kind::AnyChar: return static_cast<unsigned char>(c) >= 32;
    default: return false;
    }
}

int MaskedText::EditableFrom(int place) const
{
    while (place < Length() && !Editable(place))
        ++place;
    return place;
}

void MaskedText::FieldAround(int place, int& first, int& end) const
{
    first = place;
    while (first > 0 && Editable(first - 1))
        --first;
    end = place;
    while (end < Length() && Editable(end))
        ++end;
}

void MaskedText::AlignField(std::vector<char>& chars, int first, int end) const
{
    if (!FLeadingBlanks || first >= end || FPlaces[first].required)
        return;
    std::vector<char> filled;
    for (int place = first; place < end; ++place)
        if (chars[place] != ' ')
            filled.push_back(chars[place]);
    int place = end - static_cast<int>(filled.size());
    std::fill(chars.begin() + first, chars.begin() + place, ' ');
    std::copy(filled.begin(), filled.end(), chars.begin() + place);
}

std::vector<char> MaskedText::AlignedChars() const
{
    std::vector<char> chars = FChars;
    for (int place = 0; place < Length();) {
        if (!Editable(place)) {
            ++place;
            continue;
        }
        int first = 0, end = 0;
        FieldAround(place, first, end);
        AlignField(chars, first, end);
        place = end;
    }
    return chars;
}

AnsiString MaskedText::Text() const
{
    std::vector<char> chars = AlignedChars();
    if (FSaveLiterals)
        return AnsiString(chars.begin(), chars.end());
    AnsiString text;
    for (int place = 0; place < Length(); ++place)
        if (Editable(place))
            text += chars[place];
    if (FLeadingBlanks)
        text.erase(0, std::min(text.size(), text.find_first_not_of(' ')));
    else
        text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

AnsiString MaskedText::EditText() const
{
    AnsiString shown(FChars.begin(), FChars.end());
    for (int place = 0; place < Length(); ++place)
        if (Editable(place) && shown[place] == ' ')
            shown[place] = FBlank;
    return shown;
}

bool MaskedText::Complete() const
{
    std::vector<char> chars = AlignedChars();
    for (int place = 0; place < Length(); ++place)
        if (Editable(place) && FPlaces[place].required && chars[place] == ' ')
            return false;
    return true;
}

void MaskedText::SetText(const AnsiString& text)
{
    Clear(0, Length());
    bool holdsLiteral = std::any_of(FPlaces.begin(), FPlaces.end(), [&](const Place& place) {
        return place.kind == Kind::Literal && text.find(place.literal) != AnsiString::npos;
    });
    if (holdsLiteral)
        FillFieldByField(text);
    else
        FillPlaceByPlace(text);
}

void MaskedText::FillPlaceByPlace(const AnsiString& text)
{
    std::size_t next = 0;
    for (int place = EditableFrom(0); place < Length() && next < text.size(); place = EditableFrom(place + 1)) {
        char c = text[next++];
        FChars[place] = Fits(place, c) ? c : ' ';
    }
}

// Each field takes the text up to the literal that ends it in the mask.
void MaskedText::FillFieldByField(const AnsiString& text)
{
    std::size_t position = 0;
    for (int place = 0; place < Length();) {
        // Literals written before a field are passed over.
        for (; place < Length() && !Editable(place); ++place)
            if (position < text.size() && text[position] == FPlaces[place].literal)
                ++position;
        if (place == Length())
            return;
        int first = 0, end = 0;
        FieldAround(place, first, end);
        std::size_t stop = end < Length() ? text.find(FPlaces[end].literal, position) : AnsiString::npos;
        if (position < text.size())
            FillField(first, end, text.substr(position, stop == AnsiString::npos ? AnsiString::npos : stop - position));
        position = stop == AnsiString::npos ? text.size() : stop;
        place = end;
    }
}

// With '!' a field that begins with an optional place is filled from its end, so a segment
// that is too long keeps its last characters; other fields keep their first ones.
void MaskedText::FillField(int first, int end, const AnsiString& segment)
{
    int width = end - first;
    int length = static_cast<int>(segment.size());
    bool fromEnd = FLeadingBlanks && !FPlaces[first].required;
    int skip = fromEnd ? std::max(0, length - width) : 0;
    int start = fromEnd ? std::max(first, end - length) : first;
    for (int i = 0; start + i < end && skip + i < length; ++i) {
        char c = segment[skip + i];
        FChars[start + i] = Fits(start + i, c) ? c : ' ';
    }
}

int MaskedText::Type(int cursor, char c)
{
    cursor = std::clamp(cursor, 0, Length());
    int place = EditableFrom(cursor);
    // Only an optional place takes a blank.
    if (place < Length() && (Fits(place, c) || (c == ' ' && !FPlaces[place].required))) {
        FChars[place] = c;
        int next = EditableFrom(place + 1);
        return next < Length() ? next : place + 1;
    }
    for (int literal = cursor; literal < Length(); ++literal) {
        if (Editable(literal) || FPlaces[literal].literal != c)
            continue;
        if (literal > 0 && Editable(literal - 1) && cursor < literal) {
            int first = 0, end = 0;
            FieldAround(literal - 1, first, end);
            if (cursor >= first)
                AlignField(FChars, first, end);
        }
        return literal + 1;
    }
    return place;
}

int MaskedText::Backspace(int cursor)
{
    int place = std::min(cursor, Length()) - 1;
    while (place >= 0 && !Editable(place))
        --place;
    if (place < 0)
        return 0;
    FChars[place] = ' ';
    return place;
}

int MaskedText::DeleteAt(int cursor)
{
    if (Editable(cursor))
        FChars[cursor] = ' ';
    return cursor;
}

void MaskedText::Clear(int from, int to)
{
    for (int place = std::max(0, from); place < std::min(to, Length()); ++place)
        if (Editable(place))
            FChars[place] = ' ';
}
