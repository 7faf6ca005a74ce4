#pragma once

#include <algorithm>
#include <deque>

#include "settings/MemorySettingsStore.h"
#include "ui/main/ProgramData.h"
#include "ui/platform/ColorChooser.h"
#include "ui/platform/FileChooser.h"
#include "ui/platform/FontChooser.h"
#include "ui/platform/MessageBox.h"

// Platform services with scripted answers, for tests of the forms.

class SilentBells : public BellRinger {
public:
    void RingBell(BellSlot) override {}
};

class ScriptedFontChooser : public FontChooser {
public:
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice& initial,
                                         const FontChooserOptions& options) override {
        asked = initial;
        askedOptions = options;
        return answer;
    }
    std::optional<FontChoice> answer;
    FontChoice asked;
    FontChooserOptions askedOptions;
};

class RecordingMessages : public MessageBox {
public:
    void show(QWidget*, const QString& text) override { shown.append(text); }
    QStringList shown;
};

class CancelledColorChooser : public ColorChooser {
public:
    std::optional<std::int32_t> chooseColor(QWidget*, std::int32_t) override { return {}; }
};

// Answers each browse from a queue; a null text or an empty queue cancels. Remembers what it
// was asked.
class ScriptedFileChooser : public FileChooser {
public:
    struct Script {
        std::deque<QString> answers;
        std::vector<OpenFileOptions> asked;
    };
    explicit ScriptedFileChooser(Script& script) : m_script(script) {}
    std::optional<QString> chooseOpenFile(QWidget*, const OpenFileOptions& options) override {
        m_script.asked.push_back(options);
        QString answer;
        if (!m_script.answers.empty()) {
            answer = m_script.answers.front();
            m_script.answers.pop_front();
        }
        return answer.isNull() ? std::nullopt : std::optional(answer);
    }

private:
    Script& m_script;
};

struct FakePlatform {
    int saves() const {
        return static_cast<int>(std::ranges::count(store.calls(), MemorySettingsStore::Call::Save,
                                                   &MemorySettingsStore::Call::kind));
    }

    MemorySettingsStore store;
    ScriptedFontChooser fonts;
    RecordingMessages messages;
    CancelledColorChooser colors;
    ScriptedFileChooser::Script files;
    PlatformServices services{store, fonts, messages, colors,
                              [this] { return std::make_unique<ScriptedFileChooser>(files); }};
    ProgramData data{[](const TimerSettings&) { return std::make_unique<SilentBells>(); }};
};
