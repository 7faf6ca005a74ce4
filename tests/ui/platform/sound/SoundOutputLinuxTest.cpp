#include <gtest/gtest.h>

#include <QLocalServer>
#include <QLoggingCategory>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <mutex>

#include "ui/platform/sound/SoundOutput.h"

namespace {

// The player's account of each bell, from its debug lines.
std::mutex said;
QStringList lines;

void Keep(QtMsgType, const QMessageLogContext& context, const QString& text) {
    if (qstrcmp(context.category, "rondelay.bells") == 0) {
        const std::lock_guard lock(said);
        lines.append(text);
    }
}

bool Said(const QString& what) {
    const std::lock_guard lock(said);
    return lines.filter(what).size() > 0;
}

// A sound server that takes the connection and never answers it, as one that hangs does.
TEST(SoundOutputLinux, ABellHeldForAServerThatDoesNotAnswerGivesTheDesktopBeepWithinASecondOrSo) {
    QTemporaryDir dir;
    QLocalServer server;
    ASSERT_TRUE(server.listen(dir.filePath("native")));
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(server.fullServerName()));
    QLoggingCategory::setFilterRules(QStringLiteral("rondelay.bells.debug=true"));
    const QtMessageHandler before = qInstallMessageHandler(Keep);

    WavSound sound;
    sound.pcm = QByteArray(4410, '\0');
    {
        const std::unique_ptr<SoundOutput> output = MakeSoundOutput(sound);
        output->play(sound);
        EXPECT_TRUE(QTest::qWaitFor([] { return Said("did not answer in time"); }, 5000))
            << "the bell waits for the server: " << lines.join(" / ").toStdString();
        EXPECT_FALSE(Said("connected"));
    }
    qInstallMessageHandler(before);
}

}  // namespace
