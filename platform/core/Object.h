// Root of the component model: events carry the sender as a TObject.
#pragma once
#include <functional>

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
