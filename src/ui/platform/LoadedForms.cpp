#include "ui/platform/LoadedForms.h"

void LoadedForms::add(QWidget* form) {
    m_forms.append(form);
}

QList<QWidget*> LoadedForms::forms() const {
    QList<QWidget*> alive;
    for (const QPointer<QWidget>& form : m_forms) {
        if (form) {
            alive.append(form.data());
        }
    }
    return alive;
}
