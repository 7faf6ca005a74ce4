#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// The program's loaded forms in load order, the main window first; shutdown unloads the
// others, most recent first. A form adds itself when it loads; a destroyed form drops out.
class LoadedForms {
public:
    void add(QWidget* form);
    // Forms still alive, in load order.
    QList<QWidget*> forms() const;

private:
    QList<QPointer<QWidget>> m_forms;
};
