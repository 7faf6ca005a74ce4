#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>

#include "engine/BellRinger.h"
#include "settings/MemorySettingsStore.h"
#include "ui/main/ProgramData.h"
#include "ui/platform/ColorChooser.h"
#include "ui/platform/FileChooser.h"
#include "ui/platform/FontChooser.h"
#include "ui/platform/MessageBox.h"

// Platform services with scripted answers, for tests of the forms.

class RecordingBells : public BellRinger {
public:
    void RingBell(BellSlot slot) override { rung.push_back(slot); }
    std::vector<BellSlot> rung;
};

class ScriptedFontChooser : public FontChooser {
public:
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice& initial,
                                         const FontChooserOptions& options) override {
        asked = initial;
        askedOptions = options;
        ++calls;
        return answer;
    }
    std::optional<FontChoice> answer;
    FontChoice asked;
    FontChooserOptions askedOptions;
    int calls = 0;
};

class RecordingMessages : public MessageBox {
public:
    void show(QWidget*, const QString& text) override { shown.append(text); }
    QStringList shown;
};

class ScriptedColorChooser : public ColorChooser {
public:
    std::optional<std::int32_t> chooseColor(QWidget*, std::int32_t initial) override {
        asked = initial;
        return answer;
    }
    std::optional<std::int32_t> answer;
    std::int32_t asked = -1;
};

// Answers each browse from a queue; a null text or an empty queue cancels. Remembers what it
// was asked.
class ScriptedFileChooser : public FileChooser {
public:
    struct Script {
        std::deque<QString> answers;
        std::vector<OpenFileOptions> asked;
        int choosersMade = 0;
    };
    explicit ScriptedFileChooser(Script& script) : m_script(script) {}
    std::optional<QString> chooseOpenFile(QWidget*, const OpenFileOptions& options) override {
        m_script.asked.push_back(options);
        if (m_script.answers.empty()) {
            return std::nullopt;
        }
        const QString answer = m_script.answers.front();
        m_script.answers.pop_front();
        if (answer.isNull()) {
            return std::nullopt;
        }
        return answer;
    }

private:
    Script& m_script;
};

struct FakePlatform {
    MemorySettingsStore store;
    ScriptedFontChooser fonts;
    RecordingMessages messages;
    ScriptedColorChooser colors;
    ScriptedFileChooser::Script files;
    PlatformServices services{store, fonts, messages, colors, [this] {
                                  ++files.choosersMade;
                                  return std::make_unique<ScriptedFileChooser>(files);
                              }};
    RecordingBells* bells = nullptr;
    ProgramData data{[this](const TimerSettings&) {
        auto made = std::make_unique<RecordingBells>();
        bells = made.get();
        return made;
    }};
};
