#include "listings/ChannelTable.h"

const std::array<ChannelRow, 26> ChannelTable = {{
    {"TV1", "01", 0},          {"TV2", "02", 1},           {"MTV3", "03", 2},
    {"Nelonen", "04", 3},      {"Subtv", "05", 4},         {"Canal+", "10", 5},
    {"Canal+ Gold", "11", 6},  {"Canal+ Sininen", "12", 7}, {"TV1000", "13", 8},
    {"Cinema", "14", 9},       {"Moon TV", "20", 10},      {"SVT 1", "21", 11},
    {"SVT 2", "22", 12},       {"SVT Europa", "23", 13},   {"TV4 Nordisk", "24", 14},
    {"Eurosport", "25", 15},   {"MTV Europe", "26", 16},   {"BBC World", "27", 17},
    {"VH-1", "28", 18},        {"Discovery", "29", 19},    {"TNT Cartoon", "30", 20},
    {"RTL", "31", 21},         {"Radiomafia", "50", 22},   {"Radio Yle 1", "51", 22},
    {"Radio Suomi", "52", 22}, {"Radio Extrem", "53", 22},
}};

AnsiString ChannelCode(const AnsiString& name)
{
    for (const auto& row : ChannelTable)
        if (name == row.name)
            return row.code;
    return AnsiString();
}

AnsiString ChannelNameFromCode(const AnsiString& code)
{
    AnsiString wanted = code.size() == 1 ? "0" + code : code;
    for (const auto& row : ChannelTable)
        if (wanted == row.code)
            return row.name;
    return AnsiString();
}

int ChannelImageIndex(const AnsiString& name)
{
    for (const auto& row : ChannelTable)
        if (name == row.name)
            return row.icon;
    if (name == "Hälytykset"_a)
        return AlarmViewIcon;
    if (name == "TV:ssä nyt"_a)
        return NowOnAirViewIcon;
    return -1;
}
