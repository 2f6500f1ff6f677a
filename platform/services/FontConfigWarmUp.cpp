#include "platform/services/FontConfigWarmUp.h"
#include <fontconfig/fontconfig.h>
#include <system_error>

TFontConfigWarmUp::TFontConfigWarmUp()
{
    try {
        // The toolkit's own font set-up calls FcInit too, which then finds the loaded
        // configuration and returns.
        FThread = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
    }
}

TFontConfigWarmUp::~TFontConfigWarmUp()
{
    Wait();
}

void TFontConfigWarmUp::Wait()
{
    if (FThread.joinable())
        FThread.join();
}
