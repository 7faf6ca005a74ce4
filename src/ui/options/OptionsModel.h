#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "settings/TimerSettings.h"
#include "ui/bell/BellHandOver.h"

// The Options dialog without its window: the values, texts, enabled states and colours of
// its controls, the enabling rules, the checks of OK and the commit. The window mirrors it.
class OptionsModel {
public:
    struct Check {
        std::int16_t value = 0;  // 0 or 1
        bool enabled = true;
    };
    struct TextBox {
        std::string text;
        bool enabled = true;
        std::int32_t background = 0;  // a stored colour value
    };
    struct Control {
        bool enabled = true;
    };
    struct BellMode {
        std::string caption;
        std::int32_t foreColor = 0;
    };

    OptionsModel(TimerSettings& settings, BellHandOver& handOver);

    // Fills every control from the settings.
    void Form_Load();

    // A check box clicked (its value already set to `value`).
    void fRondelayFlag_Click(std::int16_t value);
    void fRondelayNextFlag_Click(std::int16_t value);
    void fRondelayClearFlag_Click(std::int16_t value);
    void fTimerFinFlag_Click(std::int16_t value);

    // A colour chosen for the counting or the rest display (none: cancelled). Written to the
    // settings at once, whatever happens to the dialog afterwards.
    void ColorChosen(std::optional<std::int32_t> color);
    void RestColorChosen(std::optional<std::int32_t> color);

    // Bell row `slot`: seeds the hand-over pair from the committed settings, runs the bell
    // chooser and takes the pair back into the row, confirmed or not.
    void cBellRef_Click(int slot, const std::function<void()>& runBellChooser);

    // The first failing check's message, with nothing written; or nothing, after the commit.
    std::optional<std::string> cmdOK_Click();

    // The controls, named as in the window design.
    Check fRondelayFlag, fRondelayNextFlag, fRondelayClearFlag, fTimerFinFlag;
    TextBox fRondelayMin, fRondelayNextSec, fTimerFinHour, fTimerFinMin, fTimerFinRound;
    Control fRondelayText, fRondelayColor, fRondelayNextSecTitle, fRondelayNextColor;
    Control fTimerFinHourTitle, fTimerFinMinTitle, fTimerFinRoundTitle;
    std::int32_t fRondelayColorSample = 0;  // fore colours of the two samples
    std::int32_t fRondelayNextColorSample = 0;
    std::array<Control, BellSlotCount> cBellTitle, cBellRef;
    std::array<BellMode, BellSlotCount> cBellMode;

    std::array<std::int16_t, BellSlotCount> WorkBellFlag{};
    std::array<std::string, BellSlotCount> WorkBellFile{};

private:
    void SetBellRowEnabled(int slot, std::int16_t flag);
    void SetFinTimeEnabled(std::int16_t flag);
    void SetFinRoundEnabled(std::int16_t flag);
    void SetFinEnabled(std::int16_t flag);
    void ApplyFinFlag();
    void SetRestEnabled(std::int16_t flag);
    void SetIntervalEnabled(std::int16_t flag);
    void ShowBellModes();
    void enable(TextBox& box, std::int16_t flag);

    TimerSettings& m_settings;
    BellHandOver& m_handOver;
    std::array<std::int32_t, 2> EditBackColor{};
};

// The four checks of OK, in order: messages exactly as the user sees them.
namespace OptionsMessages {
inline constexpr const char* IntervalMinutes = "インターバル時間は０～５９分を指定してください。";
inline constexpr const char* RestSeconds = "休む時間は０～６０秒を指定してください。";
inline constexpr const char* FinishHours = "終了時間は０～２３時間を指定してください。";
inline constexpr const char* FinishMinutes = "終了時間は０～５９分を指定してください。";
}  // namespace OptionsMessages
