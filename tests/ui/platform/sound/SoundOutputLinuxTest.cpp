#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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
    const QByteArray path = QFile::encodeName(dir.filePath("native"));
    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::copy_n(path.constData(), path.size() + 1, address.sun_path);
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(server, 1), 0);
    qputenv("PULSE_SERVER", "unix:" + path);
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
    close(server);
}

}  // namespace
