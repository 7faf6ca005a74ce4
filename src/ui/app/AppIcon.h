#pragma once

#include <QIcon>

// The program's own icon, from PNGs at the sizes window managers show, 128 for a scale of 2.
// Every window takes it from the application. The 256-pixel PNG, three quarters of all the
// pixels, is left to the launcher, which finds it installed: here it was read while the program
// started and sent to the window system with every window.
inline QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/icons/rondelay-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}
