#include "ui/platform/dialogs/MessageBox.h"

#include <QMessageBox>

#include "AppInfo.h"

void QtMessageBox::show(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(AppInfo::Title), text, QMessageBox::Ok,
                    parent);
    box.exec();
}
