#include "ui/about/AboutTexts.h"

#include <cstdio>

std::string VersionText(int major, int minor) {
    char minorText[16];
    std::snprintf(minorText, sizeof minorText, "%02d", minor);
    return "Version " + std::to_string(major) + "." + minorText + "R";
}

std::string AboutTitleText(const std::string& applicationTitle) {
    return "Rondelay（" + applicationTitle + "）";
}
