// Writes the settings through the real store: `once first|second` writes that record and
// exits, `loop` writes the two in turn, a line after each, until the store fault test kills it
// in the middle of a save and expects one record or the other, whole.
#include <cstdio>
#include <cstring>

#include "settings/QtSettingsStore.h"
#include "settings/SettingsPersistence.h"

namespace {

TimerSettings record(bool second) {
    TimerSettings s;
    s.IntFlag = 1;
    s.IntMin = second ? 9 : 7;
    // Different lengths, so that a file cut short or mixed from both cannot pass for either.
    s.FinNum = second ? std::string(2000, '9') : "3";
    s.BellFile[2] = second ? "/home/u/二番目.wav" : "/home/u/first.wav";
    return s;
}

bool save(bool second) {
    QtSettingsStore store;
    SaveSettings(store, record(second));
    return store.sync();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "once") == 0) {
        return save(std::strcmp(argv[2], "second") == 0) ? 0 : 1;
    }
    if (argc == 2 && std::strcmp(argv[1], "loop") == 0) {
        // A line after each save tells the test where the loop stands.
        for (bool second = true; save(second); second = !second) {
            std::puts("saved");
            std::fflush(stdout);
        }
        return 1;
    }
    std::fprintf(stderr, "usage: %s once first|second | loop\n", argv[0]);
    return 2;
}
