// Start-up clean-up of the data folder: listing files of weeks already past.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/DateTime.h"
#include <vector>

// The week part of a listing file's name ("01-07.QEX" gives 7): the text after the channel code
// and its dash up to the first '.'; -1 when that is not a number.
int ListingFileWeek(const AnsiString& fileName);

// Whether a listing file of week `week` is old at `now`. Files carry no year, so the week is
// read as the nearest one: the previous week, this week and the next eight are kept, across the
// turn of the year as well, and every other week (earlier this year, or left over from last
// year) is old.
bool IsOldListingWeek(int week, TDateTime now);

// Paths of the old listing files ("*.QEX") in the data folder; files whose week part is not a
// number are left alone.
std::vector<AnsiString> OldListingFiles(TDateTime now);

// Deletes them; a file that can't be deleted stays, start-up goes on.
void DeleteOldListingFiles(TDateTime now);
