// The day records of weekly listing files, read once per file rather than once per day. What is
// kept is used only while the file is provably the one that was read: its folder is watched for
// any change, or, where no watch can be set, the file's identity, size and times are compared
// and must be old enough that a rewrite within the file system's clock tick can't hide behind them.
#pragma once
#include "platform/core/AnsiString.h"

class TStrings;

enum class WeekFileDay { NoFile, NoDay, Found };

// Looks up the record whose key, written in decimal, is `key` in the listing file at path.
// NoFile: no regular file there. NoDay: the file lacks the day, or a damaged record comes before
// it; target is untouched. Found: target holds the day's lines as DayTextLines gives them,
// followed by two empty lines. A file that exists but can't be opened raises EFOpenError.
WeekFileDay FindWeekFileDay(const AnsiString& path, const AnsiString& key, TStrings& target);

// Drops everything kept, so the next look-up of each file reads it again.
void ForgetWeekFiles();
