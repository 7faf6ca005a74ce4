#pragma once

#include <QFont>
#include <QRect>

#include "ui/platform/Twips.h"

// A control's place from the window design, given in twips.
inline QRect DesignRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

// The designs' font. The start routine substitutes a face with the same metrics and Japanese
// glyphs, so texts fit the designed sizes.
inline QFont DesignFont(double points, bool bold = false) {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The dialogs' default font in that design.
inline QFont DialogFont() {
    return DesignFont(9);
}
