#pragma once

#include <algorithm>
#include <functional>

#include "support/MemorySettingsStore.h"
#include "ui/app/PlatformServices.h"
#include "ui/app/ProgramData.h"
#include "ui/platform/dialogs/ColorChooser.h"
#include "ui/platform/dialogs/FileChooser.h"
#include "ui/platform/dialogs/FontChooser.h"
#include "ui/platform/dialogs/MessageBox.h"

// Platform services with scripted answers, for tests of the forms.

// Counts the preparations, so that a test can tell when the bells were loaded.
struct SilentBells : BellRinger {
    void RingBell(BellSlot) override {}
    void PrepareBells() override { ++prepared; }
    int prepared = 0;
};

// Each browse is answered by `answer`, given what it was asked; no value cancels.
struct ScriptedFileChooser : FileChooser {
    using Answer = std::function<std::optional<QString>(const OpenFileOptions&)>;
    explicit ScriptedFileChooser(Answer a) : answer(std::move(a)) {}
    std::optional<QString> chooseOpenFile(QWidget*, const OpenFileOptions& options) override {
        return answer(options);
    }
    Answer answer;
};

// Fonts answered with `fontAnswer`, colours and browses cancelled, messages recorded, the store
// in memory.
struct FakePlatform : FontChooser, MessageBox, ColorChooser {
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice& initial,
                                         const FontChooserOptions& options) override {
        askedFont = initial;
        askedFontOptions = options;
        return fontAnswer;
    }
    void show(QWidget*, const QString& text) override { messages.append(text); }
    std::optional<std::int32_t> chooseColor(QWidget*, std::int32_t) override { return {}; }
    auto saves() const { return std::ssize(store.saves); }
    int bellsPrepared() const { return static_cast<const SilentBells&>(*data.bells).prepared; }

    std::optional<FontChoice> fontAnswer;
    FontChoice askedFont;
    FontChooserOptions askedFontOptions;
    QStringList messages;
    MemorySettingsStore store;
    PlatformServices services{store, *this, *this, *this, [] {
                                  return std::make_unique<ScriptedFileChooser>(
                                      [](const OpenFileOptions&) { return std::nullopt; });
                              }};
    ProgramData data{[](const TimerSettings&) { return std::make_unique<SilentBells>(); }};
};
