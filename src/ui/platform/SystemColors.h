#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

class QWidget;

#include "settings/SystemColorValues.h"

// Stored colour values: 0x00BBGGRR for a fixed colour (red in the low byte), or 0x800000nn
// naming a system colour, which is taken from the palette.

QColor ResolveColor(std::int32_t value, const QPalette& palette);

// Gives a widget's text a stored colour value, in every state of the window.
void SetForeColor(QWidget* widget, std::int32_t value);

// The stored value of a fixed colour.
std::int32_t ColorValue(const QColor& color);
