// The list-valued settings as the settings dialog reads and writes them: indexed entries (a count
// key holding the highest index and one key per entry), semicolon lists, and the colouring and
// view entries it builds from its fields.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"
#include <vector>

class TIniFile;

// Entries prefix + 0 to the value of countKey (default "0"; not a number reads as 0). Entries
// beyond the highest one the section really holds are left out, so a huge count costs nothing;
// entry 0 is always there (empty when absent) unless the count is negative.
std::vector<AnsiString> ReadIndexedSettings(const AnsiString& section, const AnsiString& countKey,
                                            const AnsiString& prefix);
// countKey := number of entries - 1, then prefix + i := entry i. Keys of entries beyond the new
// count stay in the file unread.
void WriteIndexedSettings(TIniFile& ini, const AnsiString& section, const AnsiString& countKey,
                          const AnsiString& prefix, const TStrings& entries);

// Every item followed by ';'.
AnsiString SemicolonJoined(const TStrings& items);

// "<c:" + colour name + ">" + the keywords, with ';' added when they do not end with one.
AnsiString MakeColouringEntry(const AnsiString& colourName, const AnsiString& keywords);
// The colour name between "<c:" and the first '>'; empty when the entry has no such tag.
AnsiString ColouringEntryColourName(const AnsiString& entry);
// The keywords after the colour tag, as typed (they are matched against listing text, so they
// may hold '<' and '>'); the whole entry when it has no such tag.
AnsiString ColouringEntryKeywords(const AnsiString& entry);

// Title + ":" + layout + ":" + channels. A ':' in the title would end the caption early, so each
// becomes a blank; channels get their closing ';' when they lack it.
AnsiString MakeViewEntry(const AnsiString& title, const AnsiString& layout, const AnsiString& channels);
// The three parts of a view entry: before the first ':', between it and the second, the rest.
struct ViewEntryParts {
    AnsiString title;
    AnsiString layout;
    AnsiString channels;
};
ViewEntryParts SplitViewEntry(const AnsiString& entry);
