// sink_sounds SECONDS READY_FILE: records the default sink's monitor ("rec.monitor") for SECONDS
// from the moment the recording flows, when it creates READY_FILE; then prints every sound in
// it: when it began, in milliseconds after the SIGUSR1 it was sent (the moment to count from),
// how long it lasted and its pitch. The moments come from the stamps of the recording's chunks,
// not from sample counts, which drift from real time on a null sink.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <thread>

#include "soundmeter/HeardBells.h"

namespace {

// The same clock as the recording's stamps (steady_clock is CLOCK_MONOTONIC here).
volatile std::sig_atomic_t marked = 0;
timespec mark{};

extern "C" void Mark(int) {
    clock_gettime(CLOCK_MONOTONIC, &mark);
    marked = 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: sink_sounds SECONDS READY_FILE\n");
        return 2;
    }
    std::signal(SIGUSR1, Mark);
    SinkRecorder recording("rec.monitor");
    if (!recording.waitForSamples(std::chrono::seconds(5))) {
        std::fprintf(stderr, "sink_sounds: nothing recorded; is a sound server up?\n");
        return 1;
    }
    std::ofstream(argv[2]).put('\n');
    std::this_thread::sleep_for(std::chrono::seconds(std::atoi(argv[1])));
    recording.stop();
    if (!marked) {
        std::fprintf(stderr, "sink_sounds: no SIGUSR1 to count from\n");
        return 1;
    }
    const SinkRecorder::Clock::time_point from{std::chrono::seconds(mark.tv_sec) +
                                               std::chrono::nanoseconds(mark.tv_nsec)};
    for (const SoundSegment& sound : FindSounds(recording.samples())) {
        const std::chrono::duration<double, std::milli> at = recording.timeOf(sound.begin) - from;
        std::printf("%.1f %.3f %.0f\n", at.count(), sound.seconds(SinkRecorder::kRate),
                    sound.hertz);
    }
    return 0;
}
