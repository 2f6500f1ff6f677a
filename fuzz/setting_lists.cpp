// Feeds arbitrary bytes to the settings dialog's readers as a settings file: the own views and
// keyword colourings are read (however large their counts), every view entry is split into its
// parts and built again, and every colouring's colour name is taken. Nothing may crash or hang,
// a rebuilt view's caption never holds a ':', and an entry with two ':' splits back to itself.
#include "dialogs/SettingsEditing.h"
#include "listings/SettingEntries.h"
#include "listings/TextRoutines.h"
#include "platform/core/AnsiString.h"
#include "platform/core/Files.h"
#include <algorithm>
#include "ScratchFolder.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "FuzzCheck.h"

namespace {

void CheckView(const AnsiString& entry)
{
    const ViewEntryParts parts = SplitViewEntry(entry);
    if (std::count(entry.begin(), entry.end(), ':') >= 2)
        Check(parts.title + ":" + parts.layout + ":" + parts.channels == entry);
    const AnsiString rebuilt = MakeViewEntry(parts.title, "Taulukko", parts.channels);
    Check(ViewEntryCaption(rebuilt) == ReplaceAll(parts.title, ":", " ", true));
    Check(!rebuilt.empty() && rebuilt.back() == ';');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (FILE* f = std::fopen((ScratchProgramFolder() + "QEX.INI").c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    for (const AnsiString& view : ReadIndexedSettings("Näkymät"_a, "OmiaNäkymiä"_a, "OmaNäkymä"_a))
        CheckView(view);
    for (const AnsiString& colouring : ReadIndexedSettings("Väritys"_a, "OmiaVärityksiä"_a, "OmaVäritys"_a)) {
        const AnsiString name = ColouringEntryColourName(colouring);
        Check(name.size() < colouring.size() || name.empty());
        Check(MakeColouringEntry(name, colouring).back() == ';');
    }
    return 0;
}
