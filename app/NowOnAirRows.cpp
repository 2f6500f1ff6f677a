#include "app/NowOnAirRows.h"
#include "listings/ChannelTable.h"
#include "listings/NowOnAir.h"
#include "listings/ProgrammeMarks.h"
#include "listings/SettingEntries.h"
#include "platform/messages/Application.h"

void AddNowOnAirRows(const AnsiString& channel, const AnsiString& dateText, TStrings& items, TStrings& descriptions)
{
    const AnsiString code = ChannelCode(channel);
    const struct {
        bool next;
        bool afterNext;
        const char* mark;
    } searches[] = {{false, false, "<b> <t>"}, {true, false, " <t>"}, {true, true, " <t>"}};
    bool onAir = false;
    for (const auto& search : searches) {
        const AnsiString text = GetNowOnAir(code, dateText, search.next, search.afterNext);
        if (text.empty())
            continue;
        const std::size_t separator = text.find(NowOnAirSeparator);
        items.Add(search.mark + channel + ", " + text.substr(0, separator));
        descriptions.Add(separator == AnsiString::npos ? AnsiString() : text.substr(separator + 2));
        onAir = onAir || !search.next;
    }
    if (onAir) {
        items.Add("");
        descriptions.Add("");
    }
}

bool FillNowOnAirLists(const TStrings& channels, const AnsiString& dateText, TStrings& items, TStrings& descriptions,
                       const std::function<bool()>& wanted)
{
    // The channel list may change while messages run, so it is read afresh at every step.
    for (int i = 0; i < channels.Count(); ++i) {
        AddNowOnAirRows(channels[i], dateText, items, descriptions);
        Application->ProcessMessages();
        if (!wanted())
            return false;
    }
    if (ColouringsEnabled())
        ApplyColourings(items, descriptions, RowLayout::NowOnAir);
    return true;
}
