#pragma once

#include <QFont>
#include <QStringList>

#include "settings/FontFields.h"
#include "ui/main/DisplayLayout.h"

// The font the time display shows for the stored attributes, starting from the window's own
// font: an empty name keeps the window font's face.
QFont MakeDisplayFont(const FontFields& fields, const QFont& windowFont);

// A point size at which the window arranged around a display that measures `display` at
// `points` fits in `available`: the size itself when it already fits, otherwise scaled down
// (never below 1 point). Sizes that only a hand-edited store or the chooser's top end can
// give would otherwise make a window larger than the screen.
double FitPointSize(double points, LayoutSize display, LayoutSize available);
