// TBevel: a sunken frame drawn around a group of controls.
#pragma once
#include "platform/forms/Control.h"

class TBevel : public TControl {
public:
    explicit TBevel(TComponent* owner);
};
