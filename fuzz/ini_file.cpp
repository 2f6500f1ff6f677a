// Feeds arbitrary bytes to the INI reader as a settings file: every section and key it lists
// must read back, and a write to one of them must read back as written. Nothing may crash,
// hang or lose the rest of the file.
#include "platform/core/AnsiString.h"
#include "platform/core/IniFile.h"
#include "platform/core/Strings.h"
#include "ScratchFolder.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "FuzzCheck.h"

namespace {

const std::string& Path()
{
    static const std::string path = [] {
        return ScratchPath() + "QEX.INI";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (FILE* f = std::fopen(Path().c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    TIniFile ini(Path());
    TStringList sections;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count(); ++s) {
        Check(ini.SectionExists(sections[s]));
        TStringList keys;
        ini.ReadSection(sections[s], keys);
        for (int k = 0; k < keys.Count(); ++k) {
            Check(ini.ValueExists(sections[s], keys[k]));
            ini.ReadString(sections[s], keys[k], "");
            ini.ReadInteger(sections[s], keys[k], 0);
        }
        if (keys.Count() > 0) {
            ini.WriteString(sections[s], keys[0], "fuzz");
            Check(ini.ReadString(sections[s], keys[0], "") == "fuzz");
        }
    }
    ini.WriteString("Näkymät"_a, "OmaNäkymä0"_a, "a\r\nb");
    Check(ini.ReadString("NÄKYMÄT"_a, "omanäkymä0"_a, "") == "a  b");
    TStringList after;
    ini.ReadSections(after);
    Check(after.Count() >= sections.Count());
    return 0;
}
