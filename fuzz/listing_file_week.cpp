// Feeds arbitrary bytes as the name of a file in the data folder (archives bring any name): the
// week part is a number only when it is all digits, and the clean-up's verdict on any week never
// fails.
#include "app/OldListingFiles.h"
#include "platform/core/DateTime.h"
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name(reinterpret_cast<const char*>(data), size);
    const int week = ListingFileWeek(name);
    if (week >= 0) {
        const std::string rest = name.substr(3, name.find('.', 3) == std::string::npos ? std::string::npos
                                                                                          : name.find('.', 3) - 3);
        if (rest.empty() || rest.find_first_not_of("0123456789") != std::string::npos)
            __builtin_trap();
        const TDateTime days[] = {EncodeDate(2026, 5, 13), EncodeDate(2026, 12, 30), EncodeDate(2027, 1, 3)};
        for (TDateTime day : days)
            (void)IsOldListingWeek(week, day);
    }
    return 0;
}
