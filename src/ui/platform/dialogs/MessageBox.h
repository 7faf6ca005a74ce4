#pragma once

#include <QString>

class QWidget;

// A modal message with one OK button and no icon, titled with the application title.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(QWidget* parent, const QString& text) = 0;
};

class QtMessageBox : public MessageBox {
public:
    void show(QWidget* parent, const QString& text) override;
};
