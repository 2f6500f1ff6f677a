// The fixed channel table: name (the key everywhere), two-digit code (files, record keys,
// download request) and icon index in the channel icon list.
#pragma once
#include "platform/core/AnsiString.h"
#include <array>

struct ChannelRow {
    const char* name;
    const char* code;
    int icon;
};

extern const std::array<ChannelRow, 26> ChannelTable;

// Icon indexes of the two views that share the channel icon list.
constexpr int AlarmViewIcon = 23;
constexpr int NowOnAirViewIcon = 24;

// Empty when the name is not in the table.
AnsiString ChannelCode(const AnsiString& name);
// A one-character code gets its leading "0" first; empty when the code is not in the table.
AnsiString ChannelNameFromCode(const AnsiString& code);
// -1 for a name outside the table and the two view names.
int ChannelImageIndex(const AnsiString& name);
