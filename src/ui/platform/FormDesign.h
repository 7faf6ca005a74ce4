#pragma once

#include <QDialog>
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

// A fixed-size dialog of the design: title and close box only, the client area given in
// twips, the dialog font.
inline void SetUpFixedDialog(QDialog* dialog, const QString& caption, int widthTwips,
                             int heightTwips) {
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(DesignRect(0, 0, widthTwips, heightTwips).size());
    dialog->setFont(DialogFont());
}
