#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class LoadedForms;

// Version information: the icon, the title line, the version line and the credit line.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(LoadedForms& forms, QWidget* owner);

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* cOwner;
    QPushButton* cmdOK;

private:
    void Form_Load();
};
