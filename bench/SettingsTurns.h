// The large settings file in turn with the usual one, pair by pair (see InTurn.h), each in a
// program folder of its own: a page made again with the same settings, the steady case, or the
// first page after a settings read (the file just written, as the settings dialog leaves it).
#pragma once
#include "bench/InTurn.h"
#include "bench/SampleSettings.h"
#include "listings/Settings.h"
#include "platform/core/IniDocumentCache.h"

namespace settings_turns {

// Times makePage with the large settings in turn with the usual ones; the ratio is the large
// settings' time over the usual's. Each turn first makes an untimed page in its own folder, so it
// starts from where a user of that file stands (what the other turn left, its colourings among
// them, is gone); for the first page after a settings read, what is kept of the file is then
// dropped, so that the timed page reads and parses it and makes its colourings again.
// shownAsAsked, run once with each file before the timing, says whether a page is what the
// settings ask for.
template <typename MakePage, typename ShownAsAsked>
void MeasureLargeBesideUsual(benchmark::State& state, int channels, bool firstPage, MakePage makePage,
                             ShownAsAsked shownAsAsked)
{
    for (bool large : {false, true}) {
        bench_settings::UseProgramFolder(channels, large);
        if (!shownAsAsked()) {
            state.SkipWithError("the page was not made as the settings ask");
            return;
        }
    }
    const auto turn = [&](bool large) {
        bench_settings::UseProgramFolder(channels, large);
        makePage();
        if (firstPage)
            KeptIniDocuments().Forget(SettingsFilePath());
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
