#include "platform/services/WebBrowserHelperLife.h"

THelperLife NextHelperLife(THelperLife now, THelperEvent event)
{
    using L = THelperLife;
    const bool hasView = now == L::Making || now == L::EndedMaking || now == L::Running;
    switch (event) {
    case THelperEvent::Start:
        return hasView ? now : L::Making;
    case THelperEvent::Made:
        return now == L::Making ? L::Running : now == L::EndedMaking ? L::Failed : now;
    case THelperEvent::NotMade:
        return now == L::Running ? now : L::Failed;
    case THelperEvent::Ended:
        // A view still being set up gets the calls of its set-up before it is let go.
        return now == L::Making ? L::EndedMaking : now == L::Running ? L::Failed : now;
    case THelperEvent::Freed:
        return now == L::Running ? L::Waiting : now;
    case THelperEvent::Kept:
        return hasView ? now : L::Waiting;
    case THelperEvent::Closed:
        return now == L::Running ? L::Idle : now;
    case THelperEvent::OutOfSight:
        return now == L::Failed ? L::Waiting : now;
    case THelperEvent::NothingWaits:
        return now == L::Waiting || now == L::Failed ? L::Idle : now;
    }
    return now;
}
