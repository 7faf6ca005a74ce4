// Rings bells through the real BellPlayer so that the audio test can hear them.
//
//   bell_probe [--wav SLOT=PATH]... [--path SLOT=PATH]... [--series COUNT/EVERY/SLOTS@MS]...
//              [--quit-after MS]
//              [--record SOURCE [--baseline N] [--heard-from MS | --heard-from-file PATH]
//                               [--allow-late MS]] [--started PATH]
//              [--rings-to PATH --ringer-ready PATH]
//
// --wav and --path give the bells (BellArguments.h). --series rings COUNT times, EVERY ms apart
// from MS on, taking the comma-separated SLOTS in turn ("0+2": two in one tick).
//
// With --record it records SOURCE (a sink's monitor) and has the sound meter judge every ring,
// allowing --allow-late ms beyond the median of N paplay beeps played first (beyond the ring
// itself when paplay's own beeps went wrong). Rings before --heard-from (or the number in
// --heard-from-file, read at the end) need not be heard. It exits with 1 when the verdict fails.
// Every time is counted from the moment the recording flows, and --started PATH is written then.
//
// With --rings-to the bells are not rung here: each ring is written to PATH as a line ("0",
// "0+2") for a player elsewhere, the Windows build's bell_ringer under Wine, once it has written
// the --ringer-ready file. The same rings, the same judging.

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <array>
#include <cstdio>
#include <functional>

#include "BellArguments.h"
#include "soundmeter/HeardBells.h"
#include "ui/platform/sound/BellPlayer.h"

namespace {

using Clock = SinkRecorder::Clock;

// A whole number from 0 to `limit` (ten minutes of milliseconds by default) from `text` in
// `argument`; leaves at once on an argument that the audio test did not mean to give.
int Number(const QString& text, const QString& argument, int limit = 600'000) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0 || n > limit) {
        qFatal("bell_probe: bad argument %s", qPrintable(argument));
    }
    return n;
}

// One moment of ringing: the slots rung one after the other in the same event-loop pass.
struct Ring {
    int atMs = 0;
    QString text;  // as given: "0", "0+2"
    QList<int> rung;
    Clock::time_point rungAt{};
};

// Each series, "COUNT/EVERY/SLOTS@MS", into its rings.
QList<Ring> ParseRings(const QCommandLineParser& parser) {
    QList<Ring> rings;
    for (const QString& value : parser.values("series")) {
        const QStringList parts = value.split(QRegularExpression("[/@]"));
        if (parts.size() != 4) {
            qFatal("bell_probe: bad argument %s", qPrintable(value));
        }
        const QStringList cycle = parts[2].split(QLatin1Char(','));
        const int from = Number(parts[3], value), every = Number(parts[1], value);
        for (int i = 0, count = Number(parts[0], value, 10'000); i < count; ++i) {
            Ring ring{from + i * every, cycle[i % cycle.size()], {}, {}};
            for (const QString& slot : ring.text.split(QLatin1Char('+'))) {
                ring.rung.append(Number(slot, value, BellSlotCount - 1));
            }
            rings.append(ring);
        }
    }
    std::ranges::stable_sort(rings, {}, &Ring::atMs);
    return rings;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    AddBellOptions(parser);
    parser.addOptions({{"series", "ring a series", "count/every/slots@ms"},
                       {"quit-after", "run time", "ms", "3000"},
                       {"record", "record and check", "source"},
                       {"baseline", "paplay plays before the rings", "n", "0"},
                       {"heard-from", "rings to be heard from", "ms", "0"},
                       {"heard-from-file", "file giving --heard-from once the rings end", "path"},
                       {"allow-late", "lateness allowed", "ms", "80"},
                       {"started", "file written when the times start", "path"},
                       {"rings-to", "where the rings go, instead of a player here", "path"},
                       {"ringer-ready", "written once the player there runs", "path"}});
    parser.process(app);

    const TimerSettings settings = BellSettings(parser);

    std::unique_ptr<BellPlayer> player;
    std::FILE* ringsOut = nullptr;
    if (parser.isSet("rings-to")) {
        // Wine and Qt take a second or two to start; a ring before then would ring late.
        for (int i = 0; i < 600 && !QFile::exists(parser.value("ringer-ready")); ++i) {
            QThread::msleep(50);
        }
        ringsOut = std::fopen(QFile::encodeName(parser.value("rings-to")).constData(), "w");
        if (ringsOut == nullptr || !QFile::exists(parser.value("ringer-ready"))) {
            std::fprintf(stderr, "bell_probe: the ringer did not start\n");
            return 1;
        }
    } else {
        player = std::make_unique<BellPlayer>(settings);
        player->PrepareBells();
    }
    QList<Ring> rings = ParseRings(parser);
    const QString runTime = parser.value("quit-after");
    const int quitAfter = Number(runTime, "--quit-after " + runTime);

    std::unique_ptr<SinkRecorder> recorder;
    const StallWatch stallWatch;
    if (parser.isSet("record")) {
        recorder = std::make_unique<SinkRecorder>(parser.value("record").toStdString());
        // A null sink that nobody has asked for short blocks renders seconds of silence ahead
        // and sleeps through them; whatever starts meanwhile, paplay and the recording
        // included, waits for it to wake. So nothing is rung before the recording flows.
        if (!recorder->waitForSamples(std::chrono::seconds(5))) {
            std::fprintf(stderr, "bell_probe: nothing recorded from %s in 5 s\n",
                         qPrintable(parser.value("record")));
            return 1;
        }
    }
    if (parser.isSet("started")) {
        QFile(parser.value("started")).open(QIODevice::WriteOnly);
    }
    // Every ring and beep is timed from this one moment, not from when its timer was set: a
    // pause in between (479 ms, seen once) ran the baseline's last beep into the first ring.
    const Clock::time_point zero = Clock::now();
    const auto at = [&](int ms, const std::function<void()>& act) {
        const auto left = zero + std::chrono::milliseconds(ms) - Clock::now();
        QTimer::singleShot(std::max(std::chrono::ceil<std::chrono::milliseconds>(left), {}),
                           Qt::PreciseTimer, &app, act);
    };
    for (Ring& ring : rings) {
        at(ring.atMs, [&] {
            ring.rungAt = Clock::now();
            if (ringsOut != nullptr) {
                std::fprintf(ringsOut, "%s\n", qPrintable(ring.text));
                std::fflush(ringsOut);
                return;
            }
            for (int slot : ring.rung) {
                player->RingBell(slot);
            }
        });
    }

    // The baseline: the beep played by paplay, one every 700 ms from 1.5 s on.
    QTemporaryDir scratch;
    const QString beepFile = scratch.filePath("beep.wav");
    QFile::copy(":/sounds/beep.wav", beepFile);
    const int baselineCount = Number(parser.value("baseline"), "--baseline", 100);
    std::vector<WantedBell> baselineBells(static_cast<std::size_t>(baselineCount));
    // What the beep sounds like, measured from its file the way the recording is.
    const std::optional<SoundPrint> beepPrint = PrintOfWav(ReadFile(beepFile));
    std::vector<pid_t> paplays;
    for (WantedBell& bell : baselineBells) {
        const auto i = &bell - baselineBells.data();
        bell.sound = *beepPrint;
        bell.label = "paplay " + std::to_string(i + 1);
        at(static_cast<int>(1500 + 700 * i), [&] {
            bell.rungAt = Clock::now();
            paplays.push_back(StartPlayer("paplay", beepFile.toStdString()));
        });
    }
    QTimer::singleShot(quitAfter, &app, &QCoreApplication::quit);
    const int status = app.exec();
    if (!recorder) {
        return status;
    }
    recorder->stop();
    WaitForPlayers(paplays);

    const BellVerdict paplay = JudgeBells(*recorder, baselineBells, 1e9);
    const double allowLate = AllowedLateness(
        paplay, baselineCount, Number(parser.value("allow-late"), "--allow-late", 10'000));

    // What each slot should sound like.
    std::array<SoundPrint, BellSlotCount> slotPrints;
    for (std::size_t slot = 0; slot < slotPrints.size(); ++slot) {
        const std::optional<SoundPrint> print =
            settings.BellFlag[slot] == 0
                ? beepPrint
                : PrintOfWav(ReadFile(QString::fromStdString(settings.BellFile[slot])));
        slotPrints[slot] = print ? *print : *beepPrint;  // a file that cannot be played beeps
    }

    // The test writes the file while the probe runs, when it knows the moment that counts.
    const QString heardFromText = parser.isSet("heard-from-file")
                                      ? QString::fromUtf8(ReadFile(parser.value("heard-from-file")))
                                      : parser.value("heard-from");
    const int heardFrom = Number(heardFromText.trimmed(), "--heard-from " + heardFromText);
    std::vector<WantedBell> bells;
    for (const Ring& ring : rings) {
        const int slot = ring.rung.back();  // the last one rung is the one left sounding
        bells.push_back({ring.rungAt, slotPrints[static_cast<std::size_t>(slot)],
                         ring.atMs >= heardFrom,
                         QString("bell %1 (slot %2 at %3 ms)")
                             .arg(bells.size() + 1)
                             .arg(slot)
                             .arg(ring.atMs)
                             .toStdString()});
    }
    const std::vector<Stall> stalls = stallWatch.stalls();
    const BellVerdict verdict = JudgeBells(*recorder, bells, allowLate, stalls);
    return ReportVerdict(verdict, paplay, baselineCount, stalls.size()) && status == 0 ? 0 : 1;
}
