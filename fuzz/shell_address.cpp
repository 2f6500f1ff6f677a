// Strings from the network handed to ShellExecute: whatever the bytes, only a web or mail
// address without blanks or control characters may reach the desktop's opener, and it reaches it
// unchanged apart from surrounding blanks and one pair of quotes.
#include "platform/services/ShellExecute.h"
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <string>
#include "FuzzCheck.h"

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_shell_address";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    std::string opened;
    int calls = 0;
    SetDesktopOpener([&](const AnsiString& target) {
        opened = target;
        ++calls;
        return true;
    });
    const AnsiString input(reinterpret_cast<const char*>(data), size);
    const int result = ShellExecute(0, "Open", input, "", "", SW_SHOWMAXIMIZED, TShellSource::Network);
    Check(result > 32 ? calls == 1 : calls == 0);
    if (calls == 1) {
        Check(StartsWithIgnoringCase(opened, "http://") || StartsWithIgnoringCase(opened, "https://")
              || StartsWithIgnoringCase(opened, "mailto:"));
        for (unsigned char c : opened)
            Check(c > ' ' && c != 0x7F);
        Check(input.find(opened) != AnsiString::npos);
    }
    SetDesktopOpener(nullptr);
    return 0;
}
