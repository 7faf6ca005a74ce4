#pragma once

#include "settings/BellSlot.h"

// Sounds one bell without waiting for it to end.
class BellRinger {
public:
    virtual ~BellRinger() = default;
    virtual void RingBell(BellSlot slot) = 0;
    // Loads each slot's sound from the settings now, so that a ring does not wait for a file.
    // Called whenever the bell settings may have changed.
    virtual void PrepareBells() = 0;
};
