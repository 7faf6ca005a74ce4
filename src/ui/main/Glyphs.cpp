#include "ui/main/Glyphs.h"

#include <QBitmap>
#include <QPainter>

#include <algorithm>

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

QIcon GlyphIcon(const QImage& image) {
    // QIcon picks the pixmap made for the screen's ratio; any other it would smooth. The
    // picture sits top left on the icon's square, as a plain pixmap icon puts it, and the
    // square is enlarged as a whole: an 8 x 7 picture at 1.5 would be 10.5 pixels high, and
    // Qt would smooth the half pixel.
    const int side = std::max(image.width(), image.height());
    QImage square(side, side, QImage::Format_RGB888);
    square.fill(Qt::white);
    QPainter(&square).drawImage(0, 0, image);
    QIcon icon;
    for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0}) {
        const int scaled = qRound(side * ratio);
        QPixmap pixmap = MaskedGlyph(
            square.scaled(scaled, scaled, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        pixmap.setDevicePixelRatio(ratio);
        icon.addPixmap(pixmap);
    }
    return icon;
}
