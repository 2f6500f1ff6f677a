// The status text of a listing package on its way in.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>

// "Kopioidaan tietoja... 512/2048 (25%)", the percentage rounded to the nearest integer with
// halves to the even neighbour. Without a length (-1) or with a length of 0 there is nothing to
// divide by: "Kopioidaan tietoja... 512".
AnsiString DownloadProgressText(std::int64_t received, std::int64_t length);
