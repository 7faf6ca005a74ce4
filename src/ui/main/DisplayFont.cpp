#include "ui/main/DisplayFont.h"

#include <algorithm>

QFont MakeDisplayFont(const FontFields& fields, const QFont& windowFont) {
    QFont font = windowFont;
    font.setBold(fields.Bold);
    font.setItalic(fields.Italic);
    if (!fields.Name.empty()) {
        font.setFamilies(QStringList{QString::fromStdString(fields.Name)});
    }
    font.setPointSizeF(std::max(1.0, fields.Size.points()));
    return font;
}

double FitPointSize(double points, LayoutSize display, LayoutSize available) {
    const LayoutSize outer = ComputeDisplayLayout(display).outer;
    if (outer.width <= available.width && outer.height <= available.height) {
        return points;
    }
    // Only the display grows with the font; the margins around it stay.
    const double room = std::min(
        static_cast<double>(available.width - (outer.width - display.width)) / display.width,
        static_cast<double>(available.height - (outer.height - display.height)) / display.height);
    return std::max(1.0, points * room);
}
