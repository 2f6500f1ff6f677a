// Weekly listing files in the data folder: seven day records per channel and week, each a
// little-endian key (yyyymmdd and the channel code as one decimal number), a length and the day
// text of programme and description lines.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/DateTime.h"
#include <string_view>
#include <vector>

class TStrings;

// ExeFolder() + "Tiedot/".
AnsiString DataFolder();
// DataFolder() + code + "-" + week text + ".QEX", resolved ignoring letter case.
AnsiString ListingFilePath(const AnsiString& channelCode, const AnsiString& weekText);

// Puts the day text of `dateText` ("d.m.yyyy") and channel into target followed by two empty
// lines. False when the day is not stored: a missing file leaves target untouched; a file without
// the day (or with a damaged record before it) leaves target empty. A file that exists but can't
// be opened raises EFOpenError.
bool LoadDayListing(const AnsiString& channelCode, const AnsiString& dateText, TStrings& target);

// The lines of a day text as the views take them: breaks at CR LF, lone CR and lone LF, and a NUL
// byte ends the text of its own line only, so a damaged line costs nothing else.
std::vector<AnsiString> DayTextLines(std::string_view text);

// The same lines one after another, as views into the text, for readers that keep few of them.
class DayTextLineReader {
public:
    explicit DayTextLineReader(std::string_view text) : FText(text) {}
    // The next line, or false after the last.
    bool Next(std::string_view& line);

private:
    std::string_view FText;
    std::size_t FAt = 0;
};

// Adds folder + name of every regular file in folder matching mask (case ignored); folder ends
// with '/'. The list is not cleared first.
void ListFiles(const AnsiString& folder, const AnsiString& mask, TStrings& list);
