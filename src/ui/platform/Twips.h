#pragma once

// Window designs measure in twips, 1/1440 inch: 15 twips make one pixel at 96 dpi. Qt's
// own high-DPI scaling takes the pixels on from there.
inline constexpr int TwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return (twips >= 0 ? twips + TwipsPerPixel / 2 : twips - TwipsPerPixel / 2) / TwipsPerPixel;
}
