// The list-valued settings: the channel list, the own views and the keyword colourings, as the
// settings dialog writes them into "QEX.INI".
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/IniDocument.h"
#include "platform/core/IniFile.h"
#include "platform/core/Strings.h"
#include <vector>

// Every channel in the settings dialog's order; the default of the enabled channels.
extern const char* const AllChannelsSetting;

// The ';'-terminated elements of a semicolon list, empty ones included; text after the last
// ';' is dropped.
// A damaged settings file can hold an entry at any index: an indexed list (views, colourings) is
// read no further than this many entries.
constexpr int kMostListEntries = 1000;
// The highest index N of the keys prefix + N that the section really holds, -1 when none, and
// below kMostListEntries. Entries beyond it are absent and so empty (or out of reach); a count key
// holding a huge number then costs nothing.
int HighestStoredIndex(const TIniFile& ini, const AnsiString& section, const AnsiString& prefix);
int HighestStoredIndex(const std::vector<AnsiString>& keys, const AnsiString& prefix);
std::vector<AnsiString> SemicolonList(const AnsiString& text);
// The channel list of a "Käytössä" value: its elements up to the first empty one.
std::vector<AnsiString> ChannelListOf(const AnsiString& setting);
// The channel list from the settings (section "Kanavat", key "Käytössä").
std::vector<AnsiString> EnabledChannels();

// An own view: caption + ":" + layout + ":" + semicolon list of channels.
struct ViewEntry {
    AnsiString layout;
    TStringList channels;
};
// The menu caption: the text before the first ':' (empty when there is none).
AnsiString ViewEntryCaption(const AnsiString& entry);
// Layout and channels as the views menu reads them: the whole entry counts, however many
// channels the view holds; text after the last ';' is no channel.
ViewEntry ParseViewEntry(const AnsiString& entry);
// Section "Näkymät": the highest view index ("OmiaNäkymiä", 0 when absent or not a number) and
// one entry ("OmaNäkymä" + index).
int HighestViewIndex();
AnsiString ReadViewEntry(int index);

// A keyword colouring: "<c:" + colour name + ">" followed by a semicolon list of keywords.
struct ColouringEntry {
    AnsiString tag;                    // up to and including the first '>'
    std::vector<AnsiString> keywords;  // an empty keyword matches nothing
    // The tag without "<c:" and ">".
    AnsiString ColourName() const;
};
ColouringEntry ParseColouringEntry(const AnsiString& entry);
// Every colouring of section "Väritys" in priority order: entries 0 to "OmiaVärityksiä"
// (0 when absent or not a number), from one reading of the settings.
std::vector<ColouringEntry> ColouringEntriesOf(const IniDocument& settings);
// True when keyword colourings are switched on ("Käytössä" of section "Väritys" is "1").
bool ColouringsEnabled();
