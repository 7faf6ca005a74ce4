#pragma once

#include <string>

#include "settings/FontSize.h"

// The persisted attributes of the display font, part of the settings. The live font belongs
// to the main window.
struct FontFields {
    std::string Name;  // empty: the platform's default face
    FontSize Size = FontSize::fromWhole(36);
    bool Bold = false;
    bool Italic = false;

    bool operator==(const FontFields&) const = default;
};
