// Pictures made ahead on a thread of their own, in order, while the program goes on. One asked for
// before the thread reached it is made by the asker at once; one the thread is making is waited
// for; each is made once. Its makers draw on images only: no widget, no state of the application.
#pragma once
#include "platform/core/BackgroundWork.h"
#include <QImage>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

class TPicturesAhead {
public:
    // Starts making; where no thread can be started, each picture is made when asked for.
    explicit TPicturesAhead(std::vector<std::function<QImage()>> makers);
    // Stops after the picture in hand and waits for it.
    ~TPicturesAhead();
    TPicturesAhead(const TPicturesAhead&) = delete;
    TPicturesAhead& operator=(const TPicturesAhead&) = delete;

    std::size_t Count() const { return FMakers.size(); }
    QImage Picture(std::size_t index);

private:
    enum class State { Waiting, Making, Made };
    void MakeAll();
    // Makes the picture when nobody has begun it; true when it did.
    bool MakeIfWaiting(std::size_t index, std::unique_lock<std::mutex>& lock);

    std::vector<std::function<QImage()>> FMakers;
    std::vector<QImage> FPictures;
    std::vector<State> FStates;
    std::mutex FLock;
    std::condition_variable FMade;
    bool FStop = false;
    TBackgroundWork FMaker; // last: starts once the rest is made, ends before it goes
};
