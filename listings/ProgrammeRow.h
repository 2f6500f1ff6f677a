// The rows of the owner-drawn programme lists: listing text with the marks this program puts on
// it. A mark is a mark only where the program writes it (in front of the row, and the one
// column mark of the list's layout at its place); whatever the listing text holds ("<t",
// "<w:", "<b>", "<c:") stays text for every reader: drawing, the pane, colourings, alarms.
#pragma once
#include "platform/core/AnsiString.h"
#include <vector>

// The mark in front of the row of the programme on air.
inline constexpr char kOnAirMark[] = "<b>";

// What filled the list, and so where its column mark stands.
enum class RowLayout {
    Channel,  // "hh:nn Title"
    Timeline, // "hh:nn <w:Channel> Title"
    Search,   // "dd.mm.yyyy (XX) <w2:Channel> hh:nn Title"
    NowOnAir, // " <t>Channel, hh:nn Title"
};

struct ProgrammeRow {
    bool onAir = false;              // "<b>" in front
    std::vector<AnsiString> colours; // the names of the "<c:" marks in front, in order
    bool columnMark = false;         // the layout's column mark stands at its place
    AnsiString before;               // the text before the column mark
    AnsiString channel;              // the channel of a "<w:" or "<w2:" mark
    AnsiString after;                // the text after the column mark; all the text without one

    // The row as it reads without its marks.
    AnsiString Text() const { return before + after; }
    // The listing text the row shows: its text with the channel its column mark names, where the
    // mark stands. The channel's name is the listing's too, so keywords look for it here.
    AnsiString ListingText() const { return before + channel + after; }
};

// The marks in front of a row ("<b>" and "<c:name>", in any order), then the layout's column
// mark where the program puts it.
ProgrammeRow SplitProgrammeRow(const AnsiString& row, RowLayout layout);
// The row without its marks: SplitProgrammeRow(row, layout).Text().
AnsiString RowText(const AnsiString& row, RowLayout layout);
// The row without its on-air mark, every other mark and all text kept.
AnsiString WithoutOnAirMark(const AnsiString& row);
// Whether `tag` is one colour mark "<c:name>" and nothing else.
bool IsColourMark(const AnsiString& tag);
