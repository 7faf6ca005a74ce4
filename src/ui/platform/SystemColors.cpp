#include "ui/platform/SystemColors.h"

#include <QWidget>

QColor ResolveColor(std::int32_t value, const QPalette& palette) {
    const auto bits = static_cast<std::uint32_t>(value);
    if (bits & 0x80000000u) {
        switch (bits & 0xFFu) {
            case 0x05:
                return palette.color(QPalette::Active, QPalette::Base);
            case 0x0F:
                return palette.color(QPalette::Active, QPalette::Button);
            case 0x10:
                return palette.color(QPalette::Disabled, QPalette::Text);
            case 0x08:
            default:  // other system elements: drawn as text, so it stays readable
                return palette.color(QPalette::Active, QPalette::Text);
        }
    }
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

void SetForeColor(QWidget* widget, std::int32_t value) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ResolveColor(value, palette));
    widget->setPalette(palette);
}

std::int32_t ColorValue(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(rgb.red()) |
                                     (static_cast<std::uint32_t>(rgb.green()) << 8) |
                                     (static_cast<std::uint32_t>(rgb.blue()) << 16));
}
