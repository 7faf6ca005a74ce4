#pragma once

#include <string>

// "Version 1.00R": the major version, then the minor one with at least two digits.
std::string VersionText(int major, int minor);

// "Rondelay（Rondelay）" for the application title "Rondelay".
std::string AboutTitleText(const std::string& applicationTitle);

// The credit line of the About box.
inline constexpr const char* CreditText = "'00/2/27 by rondelay-works";
