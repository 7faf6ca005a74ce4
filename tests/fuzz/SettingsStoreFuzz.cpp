// Arbitrary bytes as the settings file, read through the real QSettings store: every field in
// its range with the flag rules held, and a save and a second load give the same record.
#include <cstdint>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/FlagRules.h"
#include "settings/QtSettingsStore.h"
#include "settings/SettingsPersistence.h"

namespace {

QTemporaryDir home;
const QString file = home.path() + "/Rondelay/Rondelay.conf";

// QSettings keeps parsed files between stores and reads a file again only when its size or
// time changed; the inputs come faster than the clock moves, so each gets a time of its own.
void giveOwnTime() {
    static std::int64_t input = 0;
    const timespec when{.tv_sec = 1'000'000'000 + ++input, .tv_nsec = 0};
    const timespec times[2] = {when, when};
    utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0);
}

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    require(QDir().mkpath(home.path() + "/Rondelay"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        QFile out(file);
        require(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    giveOwnTime();

    TimerSettings loaded;
    {
        QtSettingsStore store;
        LoadSettings(store, loaded);
        TimerSettings ruled = loaded;
        ApplyFlagRules(ruled);
        require(ruled == loaded);
        require(loaded.Font.Size > FontSize() && loaded.Font.Size <= FontSize::fromWhole(4096));
        require(loaded.FinNum.size() <= 4096 && loaded.Font.Name.size() <= 4096);
        for (const std::string& bell : loaded.BellFile) {
            require(bell.size() <= 4096);
        }
        SaveSettings(store, loaded);
        require(store.sync());
    }
    TimerSettings again;
    QtSettingsStore store;
    LoadSettings(store, again);
    require(again == loaded);
    return 0;
}
