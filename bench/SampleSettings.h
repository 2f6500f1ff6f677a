// Settings files for benchmarks: a usual one (a few keyword colourings and views of one's own)
// and a large one of 1,000 colourings and 1,000 views, about 7 MB, all within the list limit.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"
#include <string>

namespace bench_settings {

// Channels enabled as given (each followed by ';'), the channel view by default, colourings on;
// `entries` colourings of `keywords` keywords each (the last one also colours the news) and
// `entries` views of the enabled channels repeated `repeats` times.
inline std::string SettingsText(const AnsiString& channels, int entries, int keywords, int repeats)
{
    std::string text = "[Kanavat]\r\nKäytössä="_a + channels +
                       "\r\n[Muut]\r\nOletusNäkymä=Normaali\r\nPoistaVanhatTiedostot=0\r\n[Väritys]\r\nKäytössä=1\r\n"_a;
    text += "OmiaVärityksiä="_a + std::to_string(entries - 1) + "\r\n";
    for (int i = 0; i < entries; ++i) {
        text += "OmaVäritys"_a + std::to_string(i) + "=<c:clBlue>";
        for (int k = 0; k < keywords; ++k)
            text += "Avainsana" + std::to_string(10000 + i) + "x" + std::to_string(1000 + k) + ";";
        if (i == entries - 1)
            text += "Uutiset;";
        text += "\r\n";
    }
    text += "[Näkymät]\r\nOmiaNäkymiä="_a + std::to_string(entries - 1) + "\r\n";
    for (int i = 0; i < entries; ++i) {
        text += "OmaNäkymä"_a + std::to_string(i) + "=Näkymä "_a + std::to_string(i) + ":Taulukko:";
        for (int r = 0; r < repeats; ++r)
            text += channels;
        text += "\r\n";
    }
    return text;
}

inline std::string UsualSettings(const AnsiString& channels) { return SettingsText(channels, 5, 4, 1); }
inline std::string LargeSettings(const AnsiString& channels) { return SettingsText(channels, 1000, 180, 150); }

} // namespace bench_settings
