#pragma once

#include <functional>
#include <memory>

class ColorChooser;
class FileChooser;
class FontChooser;
class MessageBox;
class SettingsStore;

// The platform services the forms use; the start routine gives the Qt ones (QtPlatform),
// tests scripted ones.
struct PlatformServices {
    SettingsStore& store;
    FontChooser& fontChooser;
    MessageBox& messageBox;
    ColorChooser& colorChooser;
    // Each bell chooser owns one, so a second browse in the same opening starts from the first.
    std::function<std::unique_ptr<FileChooser>()> makeFileChooser;
};
