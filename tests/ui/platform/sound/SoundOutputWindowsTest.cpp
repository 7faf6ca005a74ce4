#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QStringList>

#include "ui/platform/sound/SoundOutput.h"

namespace {

// The player's account of each bell, from its debug lines.
QStringList lines;

void Keep(QtMsgType, const QMessageLogContext& context, const QString& text) {
    if (qstrcmp(context.category, "rondelay.bells") == 0) {
        lines.append(text);
    }
}

TEST(SoundOutputWindows, ASoundTheSystemCannotTakeGivesTheBeepAndNoBeepTheDesktopsOwn) {
    QLoggingCategory::setFilterRules(QStringLiteral("rondelay.bells.debug=true"));
    const QtMessageHandler before = qInstallMessageHandler(Keep);
    WavSound beep;
    beep.pcm = QByteArray(4410, '\0');
    PrepareSound(beep);
    ASSERT_FALSE(beep.image.isEmpty()) << "no WAV image made for PlaySound";

    MakeSoundOutput(beep)->play(WavSound{});  // never prepared: no image to play
    EXPECT_EQ(lines.filter("the beep instead").size(), 1) << lines.join(" / ").toStdString();
    lines.clear();
    MakeSoundOutput(WavSound{})->playBeep();  // the built-in beep could not be read
    EXPECT_EQ(lines.filter("desktop beep").size(), 1) << lines.join(" / ").toStdString();
    qInstallMessageHandler(before);
}

}  // namespace
