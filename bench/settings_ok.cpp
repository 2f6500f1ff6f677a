// The settings dialog's OK, which writes every setting of its five pages, in turn with one write of
// one setting into the same file: OK replaces the file once, so the two should take about as long.
#include "bench/InTurn.h"
#include "bench/QtForBench.h"
#include "dialogs/Asetukset.h"
#include "listings/Settings.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"
#include "platform/core/Strings.h"
#include "support/ListingFixture.h"
#include <benchmark/benchmark.h>

namespace {

// A settings file as a user's grows: every page filled, colourings and views of their own.
fixture::TempFolder& ProgramFolder()
{
    static fixture::TempFolder folder;
    static bool written = [] {
        SetExeFolder(folder.Path());
        std::string text = "[Kanavat]\r\nK\xE4yt\xF6ss\xE4=TV1;TV2;MTV3;Nelonen;\r\n[Ulkoasu]\r\nForm.X=10\r\n"
                           "[V\xE4ritys]\r\nOmiaV\xE4rityksi\xE4=19\r\n";
        for (int i = 0; i < 20; ++i)
            text += "OmaV\xE4ritys" + std::to_string(i) + "=<c:clRed>Uutiset;Elokuva;Sarja;\r\n";
        text += "[N\xE4kym\xE4t]\r\nOmiaN\xE4kymi\xE4=9\r\n";
        for (int i = 0; i < 10; ++i)
            text += "OmaN\xE4kym\xE4" + std::to_string(i) + "=Ilta " + std::to_string(i) + ":Taulukko:TV1;TV2;\r\n";
        fixture::WriteBytes(folder.Path() + "QEX.INI", text);
        return true;
    }();
    (void)written;
    return folder;
}

// The dialog's OK in turn with the one write, pair by pair.
void SettingsDialogOk(benchmark::State& state)
{
    EnsureQt();
    ProgramFolder();
    TAsetuksetForm dialog(nullptr);
    TIniFile ini(SettingsFilePath());
    // A value the file holds already is not written again: the floor's value changes each time.
    bool moved = false;
    in_turn::MeasureInTurn(
        state,
        [&] {
            return in_turn::TimeInProcess([&] {
                dialog.OkButtonClick(&dialog);
                return true;
            });
        },
        [&] {
            return in_turn::TimeInProcess([&] {
                moved = !moved;
                ini.WriteString("Ulkoasu", "Form.X", moved ? "11" : "10");
                return true;
            });
        });
}

} // namespace

BENCHMARK(SettingsDialogOk)->UseManualTime()->Unit(benchmark::kMillisecond);
