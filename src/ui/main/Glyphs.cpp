#include "ui/main/Glyphs.h"

#include <QBitmap>

QImage StartGlyphImage() {
    QImage image(8, 7, QImage::Format_RGB888);
    image.fill(Qt::white);
    const int filled[7] = {2, 4, 6, 8, 6, 4, 2};
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < filled[y]; ++x) {
            image.setPixelColor(x, y, Qt::black);
        }
    }
    return image;
}

QImage StopGlyphImage() {
    QImage image(8, 8, QImage::Format_RGB888);
    image.fill(Qt::black);
    return image;
}

QPixmap MaskedGlyph(const QImage& image) {
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(pixmap.createMaskFromColor(Qt::white));
    return pixmap;
}
