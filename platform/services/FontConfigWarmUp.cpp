#include "platform/services/FontConfigWarmUp.h"
#include <QFontDatabase>
#include <fontconfig/fontconfig.h>
#include <system_error>

namespace {

std::thread StartOrNot(void (*work)())
{
    try {
        return std::thread(work);
    } catch (const std::system_error&) {
        return std::thread();
    }
}

void Join(std::thread& thread)
{
    if (thread.joinable())
        thread.join();
}

} // namespace

// The toolkit's own font set-up calls FcInit too, which then finds the loaded configuration and
// returns.
TFontConfigWarmUp::TFontConfigWarmUp() : FThread(StartOrNot([] { FcInit(); })) {}

TFontConfigWarmUp::~TFontConfigWarmUp()
{
    Wait();
}

void TFontConfigWarmUp::Wait()
{
    Join(FThread);
}

TFontListWarmUp::TFontListWarmUp() : FThread(StartOrNot([] { (void)QFontDatabase::families(); })) {}

TFontListWarmUp::~TFontListWarmUp()
{
    Join(FThread);
}
