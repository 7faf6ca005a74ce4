#pragma once

#include <functional>
#include <memory>

#include "engine/BellRinger.h"
#include "engine/TimerEngine.h"
#include "settings/BellHandOver.h"
#include "settings/TimerSettings.h"
#include "ui/platform/LoadedForms.h"

class ColorChooser;
class FileChooser;
class FontChooser;
class MessageBox;
class SettingsStore;

// The data that lives for the whole run and belongs to no window. The start routine creates
// it and hands it to the forms by reference.
struct ProgramData {
    using BellFactory = std::function<std::unique_ptr<BellRinger>(const TimerSettings&)>;

    explicit ProgramData(const BellFactory& makeBells)
        : bells(makeBells(settings)), engine(settings, *bells) {}

    TimerSettings settings;
    BellHandOver handOver;
    LoadedForms forms;
    std::unique_ptr<BellRinger> bells;  // reads the settings at every ring
    TimerEngine engine;
};

// The platform services the forms use; tests give scripted ones.
struct PlatformServices {
    SettingsStore& store;
    FontChooser& fontChooser;
    MessageBox& messageBox;
    ColorChooser& colorChooser;
    // Each bell chooser owns one, so a second browse in the same opening starts from the first.
    std::function<std::unique_ptr<FileChooser>()> makeFileChooser;
};
