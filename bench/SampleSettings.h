// Settings files for benchmarks: a usual one (a few keyword colourings and views of one's own)
// and a large one of 1,000 colourings and 1,000 views, about 7 MB, all within the list limit.
#pragma once
#include "bench/SampleStore.h"
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"
#include <map>
#include <memory>
#include <string>
#include <utility>

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

// Makes a program folder of its own, once, holding the first `channels` channels' listing files of
// two weeks from week 07 and the usual or the large settings file, which enables four channels
// whatever the listings hold (the file's size is what is measured); the program's folder from now
// on. Two such folders used in turn keep each one's settings read: the kept settings are per file.
inline const std::string& UseProgramFolder(int channels, bool large)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<fixture::TempFolder>> folders;
    std::unique_ptr<fixture::TempFolder>& folder = folders[{channels, large}];
    if (!folder) {
        folder = std::make_unique<fixture::TempFolder>();
        ForceDirectories(folder->Path() + "Tiedot");
        fixture::WriteSampleWeeks(folder->Path() + "Tiedot/", bench_store::ChannelCodes(channels), 2);
        const AnsiString enabled = bench_store::EnabledChannels(4);
        fixture::WriteBytes(folder->Path() + "QEX.INI", large ? LargeSettings(enabled) : UsualSettings(enabled));
    }
    SetExeFolder(folder->Path());
    return folder->Path();
}

} // namespace bench_settings
