#include "ui/platform/dialogs/ColorChooser.h"

#include <QColorDialog>

#include "ui/platform/SystemColors.h"

std::optional<std::int32_t> QtColorChooser::chooseColor(QWidget* parent, std::int32_t initial) {
    QColorDialog dialog(ResolveColor(initial, parent ? parent->palette() : QPalette()), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return ColorValue(dialog.selectedColor());
}
