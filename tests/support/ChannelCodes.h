// The channel table's codes as numbers, for fixtures that write every channel's files.
#pragma once
#include "listings/ChannelTable.h"
#include <cstdlib>
#include <vector>

inline std::vector<int> AllChannelCodes()
{
    std::vector<int> codes;
    for (const auto& row : ChannelTable)
        codes.push_back(std::atoi(row.code));
    return codes;
}
