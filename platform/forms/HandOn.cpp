#include "platform/forms/HandOn.h"
#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace {
std::vector<const QEvent*>& HandedOn()
{
    static std::vector<const QEvent*> events;
    return events;
}
} // namespace

void HandOn(QObject* receiver, QEvent* event)
{
    HandedOn().push_back(event);
    QCoreApplication::sendEvent(receiver, event);
    auto& events = HandedOn();
    events.erase(std::find(events.begin(), events.end(), event));
}

bool IsHandedOn(const QEvent* event)
{
    const auto& events = HandedOn();
    return std::find(events.begin(), events.end(), event) != events.end();
}
