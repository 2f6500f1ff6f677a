// The text of a masked edit under the class library's edit masks, "mask;save;blank", e.g. the
// alarm time "!90:00;1;_". Every character of the text has its place in the mask:
//   0 digit        9 digit or blank      # digit, '+', '-' or blank
//   L letter       l letter or blank     A letter or digit    a letter, digit or blank
//   C any char     c any char or blank
//   ':' and '/' are the time and date separators, '\' makes the next character a literal, and
//   every other character is a literal kept in its place.
// '!' makes the optional places at the start of a field (a run of places between literals)
// stand as leading blanks: "9" typed into "!90" is the hour " 9". The second part says whether
// Text keeps the literals ("1", the default) or not ("0"); the third is the character shown in
// an empty place ('_' by default). The case directives '<' and '>' are accepted and ignored.
// Typing overwrites place by place and steps over literals; typing a literal that lies ahead
// moves past it.
#pragma once
#include "platform/core/AnsiString.h"
#include <vector>

class MaskedText {
public:
    explicit MaskedText(const AnsiString& mask = "");

    // False for an empty mask: the edit is a plain one.
    bool Masked() const { return !FPlaces.empty(); }
    // Places, literals included: the length of the edit's text.
    int Length() const { return static_cast<int>(FPlaces.size()); }

    // Blanks for empty places, e.g. " 9:30" or "  :  " (without literals when they are not
    // saved; then the blanks at the open end are cut off).
    AnsiString Text() const;
    // Takes the text field by field between the mask's literals ("9:30", " 9:30", "hh:nn"), or,
    // when it holds none of them, character by character; a character that does not fit its
    // place leaves the place empty.
    void SetText(const AnsiString& text);
    // The text as shown: the blank character in every empty place.
    AnsiString EditText() const;
    // True when every required place holds a character.
    bool Complete() const;

    // Editing at a cursor position 0..Length(); each returns the cursor position after the edit.
    int Type(int cursor, char c);
    int Backspace(int cursor);
    int DeleteAt(int cursor);
    // Empties the places in [from, to).
    void Clear(int from, int to);

private:
    enum class Kind { Literal, Digit, DigitOrSign, Letter, LetterOrDigit, AnyChar };
    struct Place {
        Kind kind = Kind::Literal;
        bool required = false;
        char literal = 0;
    };
    void Parse(const AnsiString& mask);
    bool Editable(int place) const;
    bool Fits(int place, char c) const;
    // First editable place at or after `place`; Length() when none is left.
    int EditableFrom(int place) const;
    // The places [first, end) of the field that holds `place`.
    void FieldAround(int place, int& first, int& end) const;
    // With '!', moves the characters of a field that begins with an optional place to its end.
    void AlignField(std::vector<char>& chars, int first, int end) const;
    std::vector<char> AlignedChars() const;
    void FillPlaceByPlace(const AnsiString& text);
    void FillFieldByField(const AnsiString& text);
    // Puts a segment of text into the field [first, end).
    void FillField(int first, int end, const AnsiString& segment);

    std::vector<Place> FPlaces;
    std::vector<char> FChars; // ' ' for an empty place; the literal in a literal's place
    bool FLeadingBlanks = false;
    bool FSaveLiterals = true;
    char FBlank = '_';
};
