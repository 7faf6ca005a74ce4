#pragma once

#include <QIcon>

// The program's own icon, from PNGs at the usual sizes.
inline QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/rondelay-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}
