#include "ui/options/OptionsModel.h"

#include "settings/FlagRules.h"
#include "settings/NumberText.h"
#include "settings/SystemColorValues.h"

namespace {

using SystemColor::ButtonFace;
using SystemColor::GrayText;
using SystemColor::WindowBackground;
using SystemColor::WindowText;

// Check boxes hold 0 or 1; a hand-edited flag of any other non-zero value shows ticked.
std::int16_t checkValue(std::int16_t flag) {
    return flag != 0 ? 1 : 0;
}

struct RangeCheck {
    const OptionsModel::TextBox& box;
    int min;
    int max;
    const char* message;
};

}  // namespace

OptionsModel::OptionsModel(TimerSettings& settings, BellHandOver& handOver)
    : m_settings(settings), m_handOver(handOver) {}

void OptionsModel::enable(TextBox& box, std::int16_t flag) {
    box.enabled = flag != 0;
    box.background = EditBackColor[static_cast<std::size_t>(flag != 0)];
}

void OptionsModel::SetBellRowEnabled(int slot, std::int16_t flag) {
    const auto i = static_cast<std::size_t>(slot);
    cBellTitle[i].enabled = flag != 0;
    cBellRef[i].enabled = flag != 0;
    cBellMode[i].foreColor = flag != 0 ? WindowText : GrayText;
}

void OptionsModel::SetFinTimeEnabled(std::int16_t flag) {
    enable(fTimerFinHour, flag);
    fTimerFinHourTitle.enabled = flag != 0;
    enable(fTimerFinMin, flag);
    fTimerFinMinTitle.enabled = flag != 0;
}

void OptionsModel::SetFinRoundEnabled(std::int16_t flag) {
    enable(fTimerFinRound, flag);
    fTimerFinRoundTitle.enabled = flag != 0;
}

void OptionsModel::SetFinEnabled(std::int16_t flag) {
    if (flag == 1) {
        const bool roundMode = fRondelayClearFlag.value == 1 && fRondelayFlag.value == 1;
        SetFinTimeEnabled(roundMode ? 0 : 1);
        SetFinRoundEnabled(roundMode ? 1 : 0);
    } else {
        SetFinTimeEnabled(0);
        SetFinRoundEnabled(0);
    }
    SetBellRowEnabled(2, flag);
}

void OptionsModel::ApplyFinFlag() {
    SetFinEnabled(fTimerFinFlag.value);
}

void OptionsModel::SetRestEnabled(std::int16_t flag) {
    enable(fRondelayNextSec, flag);
    fRondelayNextSecTitle.enabled = flag != 0;
    fRondelayNextColor.enabled = flag != 0;
    SetBellRowEnabled(1, 0);  // slot 1 is never rung, so never edited here
}

void OptionsModel::SetIntervalEnabled(std::int16_t flag) {
    enable(fRondelayMin, flag);
    fRondelayText.enabled = flag != 0;
    fRondelayColor.enabled = flag != 0;
    if (flag != 0) {
        fRondelayNextFlag.enabled = true;
        SetRestEnabled(fRondelayNextFlag.value);
        fRondelayClearFlag.enabled = true;
        ApplyFinFlag();
    } else {
        SetRestEnabled(0);
        fRondelayNextFlag.enabled = false;
        ApplyFinFlag();
        fRondelayClearFlag.enabled = false;
    }
    SetBellRowEnabled(0, flag);
}

void OptionsModel::ShowBellModes() {
    for (std::size_t i = 0; i < BellSlotCount; ++i) {
        cBellMode[i].caption = WorkBellFlag[i] == 0 ? "ビープ音" : "WAVファイル";
    }
}

void OptionsModel::Form_Load() {
    EditBackColor = {ButtonFace, WindowBackground};

    fRondelayFlag.value = checkValue(m_settings.IntFlag);
    fRondelayMin.text = std::to_string(m_settings.IntMin);
    fRondelayColorSample = m_settings.Color;
    SetIntervalEnabled(fRondelayFlag.value);

    fRondelayNextFlag.value = checkValue(m_settings.NextFlag);
    fRondelayNextSec.text = std::to_string(m_settings.NextSec);
    fRondelayNextColorSample = m_settings.RestColor;
    SetRestEnabled(fRondelayNextFlag.value);

    fRondelayClearFlag.value = checkValue(m_settings.ClearFlag);
    ApplyFinFlag();

    fTimerFinFlag.value = checkValue(m_settings.FinFlag);
    fTimerFinHour.text = std::to_string(m_settings.FinHour);
    fTimerFinMin.text = std::to_string(m_settings.FinMin);
    fTimerFinRound.text = m_settings.FinNum;
    SetFinEnabled(fTimerFinFlag.value);

    WorkBellFlag = m_settings.BellFlag;
    WorkBellFile = m_settings.BellFile;
    ShowBellModes();
}

void OptionsModel::fRondelayFlag_Click(std::int16_t value) {
    fRondelayFlag.value = checkValue(value);
    SetIntervalEnabled(fRondelayFlag.value);
}

void OptionsModel::fRondelayNextFlag_Click(std::int16_t value) {
    fRondelayNextFlag.value = checkValue(value);
    SetRestEnabled(fRondelayNextFlag.value);
}

void OptionsModel::fRondelayClearFlag_Click(std::int16_t value) {
    fRondelayClearFlag.value = checkValue(value);
    ApplyFinFlag();
}

void OptionsModel::fTimerFinFlag_Click(std::int16_t value) {
    fTimerFinFlag.value = checkValue(value);
    SetFinEnabled(fTimerFinFlag.value);
}

void OptionsModel::ColorChosen(std::optional<std::int32_t> color) {
    m_settings.Color = color.value_or(m_settings.Color);
    fRondelayColorSample = m_settings.Color;
}

void OptionsModel::RestColorChosen(std::optional<std::int32_t> color) {
    m_settings.RestColor = color.value_or(m_settings.RestColor);
    fRondelayNextColorSample = m_settings.RestColor;
}

void OptionsModel::cBellRef_Click(int slot, const std::function<void()>& runBellChooser) {
    if (slot < 0 || slot >= BellSlotCount) {
        return;
    }
    const auto i = static_cast<std::size_t>(slot);
    m_handOver.EditBellFlag = m_settings.BellFlag[i];
    m_handOver.EditBellFile = m_settings.BellFile[i];
    runBellChooser();
    WorkBellFlag[i] = m_handOver.EditBellFlag;
    WorkBellFile[i] = m_handOver.EditBellFile;
    ShowBellModes();
}

std::optional<std::string> OptionsModel::cmdOK_Click() {
    // Text that is no number, or beyond 16 bits, fails like a value out of range.
    const RangeCheck checks[] = {
        {fRondelayMin, 0, 59, OptionsMessages::IntervalMinutes},
        {fRondelayNextSec, 0, 60, OptionsMessages::RestSeconds},
        {fTimerFinHour, 0, 23, OptionsMessages::FinishHours},
        {fTimerFinMin, 0, 59, OptionsMessages::FinishMinutes},
    };
    for (const RangeCheck& check : checks) {
        const auto number = ParseInt16Text(check.box.text);
        if (!number || *number < check.min || *number > check.max) {
            return check.message;
        }
    }

    // The checks passed, so every number converts.
    auto number = [](const TextBox& box) { return *ParseInt16Text(box.text); };
    m_settings.IntFlag = fRondelayFlag.value;
    m_settings.IntMin = number(fRondelayMin);
    m_settings.NextFlag = fRondelayNextFlag.value;
    m_settings.NextSec = number(fRondelayNextSec);
    m_settings.ClearFlag = fRondelayClearFlag.value;
    m_settings.FinFlag = fTimerFinFlag.value;
    m_settings.FinHour = number(fTimerFinHour);
    m_settings.FinMin = number(fTimerFinMin);
    m_settings.FinNum = fTimerFinRound.text;
    m_settings.BellFlag = WorkBellFlag;
    m_settings.BellFile = WorkBellFile;
    ApplyFlagRules(m_settings);
    return std::nullopt;
}
