// TTimer: a component that calls OnTimer every Interval milliseconds while Enabled.
#pragma once
#include "platform/core/Component.h"
#include <memory>

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned milliseconds);

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    struct Impl;
    std::unique_ptr<Impl> FImpl;
    bool FEnabled = true;
    unsigned FInterval = 1000;
};
