#include "listings/DownloadRequest.h"
#include "listings/Calendar.h"
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"

const char* const DataServerAddress = "http://qex.example";
const char* const MonthlyRequestPath = "/qex/data/versio2.txt";
const char* const VersionFilePath = "/qex/data/versio.txt";
const char* const ListingRequestPath = "/qex/data/qex.cgi";

namespace {

// Each name is followed by ',', which is how a channel is looked up in it.
const char* const ThisWeekOnlyChannels = "Canal+,Canal+ Gold,Canal+ Sininen,Moon TV,SVT 1,SVT 2,SVT Europa,"
                                         "TV4 Nordisk,Eurosport,MTV Europe,BBC World,VH-1,Discovery,TNT Cartoon,";

bool Stored(const AnsiString& channelCode, TDateTime monday)
{
    return FileExists(ListingFilePath(channelCode, ListingWeekText(monday)));
}

} // namespace

bool FetchedForThisWeekOnly(const AnsiString& channel)
{
    return Pos(channel + ",", ThisWeekOnlyChannels) > 0;
}

AnsiString ListingFileStem(const AnsiString& channelCode, TDateTime monday)
{
    return channelCode + "-" + ListingWeekText(monday);
}

std::vector<AnsiString> MissingListingFiles(const TStrings& channels, TDateTime thisMonday, TDateTime nextMonday)
{
    std::vector<AnsiString> missing;
    for (int i = 0; i < channels.Count(); ++i) {
        const AnsiString channel = channels[i];
        const AnsiString code = ChannelCode(channel);
        if (code.empty())
            continue;
        if (!Stored(code, thisMonday))
            missing.push_back(ListingFileStem(code, thisMonday));
        if (!FetchedForThisWeekOnly(channel) && !Stored(code, nextMonday))
            missing.push_back(ListingFileStem(code, nextMonday));
    }
    return missing;
}

AnsiString ListingRequestBody(const std::vector<AnsiString>& stems)
{
    AnsiString body = "files=";
    for (std::size_t i = 0; i < stems.size(); ++i)
        body += (i == 0 ? "" : ",") + stems[i];
    return body;
}
