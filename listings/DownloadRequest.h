// What a download asks the data server for: its address and paths, the listing files missing
// from the data folder, and the body of the listing request.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/DateTime.h"
#include <vector>

class TStrings;

// The data server. Reached through the proxy setting when one is set, so the sample server on
// this machine answers for it.
extern const char* const DataServerAddress;
extern const char* const MonthlyRequestPath; // "/qex/data/versio2.txt"
extern const char* const VersionFilePath;    // "/qex/data/versio.txt"
extern const char* const ListingRequestPath; // "/qex/data/qex.cgi"

// The channels whose listings come for the current week only (the server has no more of them).
bool FetchedForThisWeekOnly(const AnsiString& channel);

// "CC-WW": the channel code and the week of the file that holds `monday`. A week that spans New
// Year is stored under its Monday's week, so that is the name asked for.
AnsiString ListingFileStem(const AnsiString& channelCode, TDateTime monday);

// For each channel in list order, this week's stem when its file is not in the data folder, then
// next week's unless the channel comes for this week only. A name outside the channel table has
// no files to ask for and is passed over.
std::vector<AnsiString> MissingListingFiles(const TStrings& channels, TDateTime thisMonday, TDateTime nextMonday);

// "files=" and the stems joined by ',', without any encoding.
AnsiString ListingRequestBody(const std::vector<AnsiString>& stems);
