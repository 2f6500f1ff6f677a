#include "platform/forms/PicturesAhead.h"

TPicturesAhead::TPicturesAhead(std::vector<std::function<QImage()>> makers)
    : FMakers(std::move(makers)), FPictures(FMakers.size()), FStates(FMakers.size(), State::Waiting),
      FMaker([this] { MakeAll(); })
{
}

TPicturesAhead::~TPicturesAhead()
{
    {
        std::lock_guard<std::mutex> guard(FLock);
        FStop = true;
    }
    FMaker.Wait();
}

QImage TPicturesAhead::Picture(std::size_t index)
{
    if (index >= FMakers.size())
        return QImage();
    std::unique_lock<std::mutex> lock(FLock);
    if (!MakeIfWaiting(index, lock))
        FMade.wait(lock, [&] { return FStates[index] == State::Made; });
    return FPictures[index];
}

void TPicturesAhead::MakeAll()
{
    std::unique_lock<std::mutex> lock(FLock);
    for (std::size_t index = 0; index < FMakers.size() && !FStop; ++index)
        MakeIfWaiting(index, lock);
}

bool TPicturesAhead::MakeIfWaiting(std::size_t index, std::unique_lock<std::mutex>& lock)
{
    if (FStates[index] != State::Waiting)
        return false;
    FStates[index] = State::Making;
    lock.unlock();
    QImage picture = FMakers[index]();
    lock.lock();
    FPictures[index] = std::move(picture);
    FStates[index] = State::Made;
    FMade.notify_all();
    return true;
}
