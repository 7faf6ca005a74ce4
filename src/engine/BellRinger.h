#pragma once

#include "settings/BellSlot.h"

// Sounds one bell without waiting for it to end.
class BellRinger {
public:
    virtual ~BellRinger() = default;
    virtual void RingBell(BellSlot slot) = 0;
};
