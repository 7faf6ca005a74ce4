#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "ui/options/OptionsModel.h"

class ColorChooser;
class LoadedForms;
class MessageBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The Options dialog: a thin window over OptionsModel, which holds its rules.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    // What the dialog works on and with. It opens no dialog of its own: the bell chooser is
    // shown by `chooseBell`, on the hand-over pair.
    struct Context {
        TimerSettings& settings;
        BellHandOver& handOver;
        LoadedForms& forms;
        ColorChooser& colorChooser;
        MessageBox& messageBox;
        std::function<void()> chooseBell;
    };

    frmOptions(const Context& context, QWidget* owner);

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

    Context m_context;
    OptionsModel m_model;
};
