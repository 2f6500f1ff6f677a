// Feeds arbitrary bytes to the registry file's reader: whatever it keeps must be written so that
// reading it again keeps the same, and nothing may crash or hang.
#include "platform/services/RegistryFile.h"
#include <cstdint>
#include <string>
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string written = FormatRegistryFile(ParseRegistryFile(bytes));
    Check(FormatRegistryFile(ParseRegistryFile(written)) == written);
    return 0;
}
