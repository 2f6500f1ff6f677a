#include "platform/core/BackgroundWork.h"
#include <system_error>

TBackgroundWork::TBackgroundWork(std::function<void()> work)
{
    try {
        FThread = std::thread(std::move(work));
    } catch (const std::system_error&) {
    }
}

TBackgroundWork::~TBackgroundWork()
{
    Wait();
}

void TBackgroundWork::Wait()
{
    if (FThread.joinable())
        FThread.join();
}
