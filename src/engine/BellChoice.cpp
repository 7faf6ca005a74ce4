#include "engine/BellChoice.h"

BellSound ChooseBellSound(const TimerSettings& settings, BellSlot slot) {
    if (slot < 0 || slot >= BellSlotCount) {
        return {};
    }
    const auto index = static_cast<std::size_t>(slot);
    if (settings.BellFlag[index] == 0 || settings.BellFile[index].empty()) {
        return {};
    }
    return {BellSound::WavFile, settings.BellFile[index]};
}
