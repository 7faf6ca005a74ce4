#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The Start/Stop button's pictures: black on white, white drawn transparent.

// 8 x 7: a triangle pointing right, rows filled 2, 4, 6, 8, 6, 4, 2 pixels from the left.
QImage StartGlyphImage();
// 8 x 8, all black.
QImage StopGlyphImage();
// The picture with its white pixels masked out.
QPixmap MaskedGlyph(const QImage& image);
// The masked picture as an icon, its pattern pixels enlarged whole for every common screen
// scale, so that a scaled screen shows sharp squares instead of a blurred, smoothed picture.
QIcon GlyphIcon(const QImage& image);
