#pragma once

#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include <QFont>
#include <QGuiApplication>
#include "engine/TimerView.h"

#include "ui/app/PlatformServices.h"
#include "ui/app/ProgramData.h"
#include "ui/platform/timing/TickSource.h"

// The timer window. It wires the engine to the labels, buttons and tick source; the rules
// live in the engine, the texts in MainTexts and the arithmetic in DisplayLayout.
class frmMain : public QMainWindow, public TimerView {
    Q_OBJECT
public:
    frmMain(ProgramData& data, PlatformServices& platform, QWidget* parent = nullptr);

    // What the engine asks of the window.
    void UpdateDisplay(const TimerState& state) override;
    void SetDisplayColor(std::int32_t color) override;
    void UpdateStartStop(bool running) override;
    void SetTickSourceEnabled(bool enabled) override;

    void UpdateStatus();
    void ApplyDisplayFont();
    void ChooseDisplayFont();
    void ArrangeDisplay();

    // Unloads the other forms, then saves the settings, or deletes them after
    // delete-and-exit; only the first call acts, whichever way the program ends.
    void Form_Unload();
    // Saves the settings, or deletes them after delete-and-exit, now: at the session's end the
    // system may end the program before its window is closed.
    void CommitSettings();

    // The controls, named as in the window design.
    QLabel* fTimerDisplay;
    QLabel* fTimerRoundTitle;
    QLabel* fTimerRound;
    QLabel* fStatus;
    QPushButton* fStartButton;
    QPushButton* fClearButton;
    QPushButton* fDumyButton;
    TickSource fTimer;

    QAction *mnuStartTimer, *mnuClearTimer, *mnuFileDelRegExit, *mnuFileExit;
    QAction *mnuSetFont, *mnuViewOptions, *mnuHelpAbout;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void CreateMenus();
    void ApplyTitleRule();
    bool ShowsMinimisedTitle() const;
    QSize measureSample() const;
    void ParkFocus();
    void fStartButton_Click();
    void fClearButton_Click();
    void mnuViewOptions_Click();
    void ShowBellChooser();
    void mnuHelpAbout_Click();
    void mnuFileDelRegExit_Click();

    ProgramData& m_data;
    PlatformServices& m_platform;
    QIcon StartGlyph;
    QIcon StopGlyph;
    bool DelRegFlag = false;
    bool m_unloaded = false;
    // A Wayland client is never told that it was minimised, so there the title keeps the
    // plain rule and the display keeps counting; a title that changed every second whenever
    // the window is merely in the background would crowd taskbars and screen readers. The
    // platform is fixed for the run, so this is decided once, not on every tick.
    const bool m_toldWhenMinimised =
        !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
};
