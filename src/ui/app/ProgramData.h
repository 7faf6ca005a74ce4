#pragma once

#include <functional>
#include <memory>

#include "engine/BellRinger.h"
#include "engine/TimerEngine.h"
#include "settings/TimerSettings.h"
#include "ui/bell/BellHandOver.h"
#include "ui/platform/LoadedForms.h"

// The data that lives for the whole run and belongs to no window. The start routine creates
// it and hands it to the main window, which hands each dialog the parts it uses.
struct ProgramData {
    using BellFactory = std::function<std::unique_ptr<BellRinger>(const TimerSettings&)>;

    explicit ProgramData(const BellFactory& makeBells)
        : bells(makeBells(settings)), engine(settings, *bells) {}

    TimerSettings settings;
    BellHandOver handOver;
    LoadedForms forms;
    std::unique_ptr<BellRinger> bells;  // prepared from the settings at load and after Options
    TimerEngine engine;
};
