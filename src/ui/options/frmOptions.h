#pragma once

#include <QDialog>
#include <array>

#include "ui/main/ProgramData.h"
#include "ui/options/OptionsModel.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The Options dialog: a thin window over OptionsModel, which holds its rules.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    frmOptions(ProgramData& data, PlatformServices& platform, QWidget* owner);

    QCheckBox *fRondelayFlag, *fRondelayNextFlag, *fRondelayClearFlag, *fTimerFinFlag;
    QLineEdit *fRondelayMin, *fRondelayNextSec, *fTimerFinHour, *fTimerFinMin, *fTimerFinRound;
    QLabel *fRondelayText, *fRondelayNextSecTitle, *fTimerFinHourTitle, *fTimerFinMinTitle,
        *fTimerFinRoundTitle;
    QLabel *fRondelayColorSample, *fRondelayNextColorSample;
    QPushButton *fRondelayColor, *fRondelayNextColor;
    std::array<QLabel*, BellSlotCount> cBellTitle, cBellMode;
    std::array<QPushButton*, BellSlotCount> cBellRef;
    QPushButton *cmdOK, *cmdCancel;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cBellRef_Click(int slot);
    // Shows the model's state in the controls.
    void mirror();

    ProgramData& m_data;
    PlatformServices& m_platform;
    OptionsModel m_model;
};
