// The large settings file in turn with the usual one, pair by pair (see InTurn.h), each in a
// program folder of its own: a page made after the settings were read, the steady case, or the
// first page after a settings read (the file just written, as the settings dialog leaves it).
#pragma once
#include "bench/InTurn.h"
#include "bench/SampleSettings.h"
#include "listings/KeywordColourings.h"
#include "listings/Settings.h"
#include "platform/core/IniDocumentCache.h"

namespace settings_turns {

// Makes the program folder of `channels` channels' listings with the usual or the large settings
// the program's folder and readies it for `firstPage`: the settings dropped, so that the page
// reads and parses the file and makes its colourings; or read, with the colourings made (the other
// folder's turn made its own).
inline void UseSettings(int channels, bool large, bool firstPage)
{
    bench_settings::UseProgramFolder(channels, large);
    if (firstPage)
        KeptIniDocuments().Forget(SettingsFilePath());
    else
        CurrentColourings();
}

// Times makePage with the large settings in turn with the usual ones; the ratio is the large
// settings' time over the usual's. shownAsAsked, run once with each file before the timing, says
// whether a page is what the settings ask for.
template <typename MakePage, typename ShownAsAsked>
void MeasureLargeBesideUsual(benchmark::State& state, int channels, bool firstPage, MakePage makePage,
                             ShownAsAsked shownAsAsked)
{
    for (bool large : {false, true}) {
        UseSettings(channels, large, firstPage);
        if (!shownAsAsked()) {
            state.SkipWithError("the page was not made as the settings ask");
            return;
        }
    }
    const auto turn = [&](bool large) {
        UseSettings(channels, large, firstPage);
        return in_turn::TimeInProcess([&] {
            makePage();
            return true;
        });
    };
    in_turn::MeasureInTurn(state, [&] { return turn(true); }, [&] { return turn(false); });
}

// Runs a benchmark for 4 and 26 channels, the steady page and the first one after a settings read.
inline void SteadyAndFirstPages(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({"channels", "first_page"});
    for (int channels : {4, 26})
        for (int first : {0, 1})
            benchmark->Args({channels, first});
}

} // namespace settings_turns
