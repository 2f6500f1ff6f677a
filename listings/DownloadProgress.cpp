#include "listings/DownloadProgress.h"
#include "platform/core/SysUtils.h"

namespace {

// received * 100 / length in whole numbers, an exact half going to the even neighbour. Counts
// are bytes of one package, far below where received * 100 could overflow.
std::int64_t PercentHalfEven(std::int64_t received, std::int64_t length)
{
    const std::int64_t scaled = received * 100;
    std::int64_t quotient = scaled / length;
    const std::int64_t twiceRemainder = 2 * (scaled % length);
    if (twiceRemainder > length || (twiceRemainder == length && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

} // namespace

AnsiString DownloadProgressText(std::int64_t received, std::int64_t length)
{
    AnsiString text = "Kopioidaan tietoja... " + IntToStr(received);
    if (length <= 0 || received < 0)
        return text;
    return text + "/" + IntToStr(length) + " (" + IntToStr(PercentHalfEven(received, length)) + "%)";
}
