#pragma once

#include <QPushButton>
#include <QWidget>

// Forms without a default button: Enter acts only on the button that has the focus.
// Returns whether a button was pressed.
inline bool ClickFocusedButton(QWidget* form) {
    if (auto* button = qobject_cast<QPushButton*>(form->focusWidget())) {
        button->click();
        return true;
    }
    return false;
}
