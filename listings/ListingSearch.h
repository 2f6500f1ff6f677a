// Searching the stored listings for a text: which files are read, how a day record is examined
// and how a result row reads ("11.02.2026 (KE) <w2:TV1> 20:30 Uutiset"). The main window's
// search command walks the files and fills its lists with the hits.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>
#include <vector>

class TStringList;

// The shortest search text the command accepts.
constexpr std::size_t ShortestSearchText = 3;

struct SearchHit {
    AnsiString row;         // the result row of the programme list
    AnsiString description; // its description line
};

// The text with A-Z lower-cased and every other byte as it is: the search compares both sides
// folded this way, so "uutiset" finds "Uutiset" and "ä" finds only "ä".
AnsiString FoldAsciiLetters(const AnsiString& text);

// The listing files in the data folder, sorted ignoring case: every channel's, or only the files
// of channelCode when it is not empty.
void SearchedFiles(const AnsiString& channelCode, TStringList& files);

// "dd.mm.yyyy (KE) <w2:Channel> " from a record key (yyyymmdd followed by the channel code).
// Raises EConvertError when the key forms no date.
AnsiString SearchRowPrefix(std::int32_t key);

// Adds to hits, in listing order, every programme of the day text whose line or description
// holds foldedText (already folded with FoldAsciiLetters, never empty). The day is examined
// pair by pair: a programme line and the description after it; a line of five characters or
// fewer ends the day.
void SearchDayText(std::int32_t key, const AnsiString& dayText, const AnsiString& foldedText,
                   std::vector<SearchHit>& hits);
