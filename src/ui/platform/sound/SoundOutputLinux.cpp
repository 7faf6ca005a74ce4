// The bells through the desktop's sound server with libpulse: PulseAudio, or PipeWire through
// its PulseAudio service.
#include <pulse/pulseaudio.h>

#include <QApplication>
#include <algorithm>
#include <optional>

#include "AppInfo.h"
#include "ui/platform/sound/SoundOutput.h"

namespace {

// How long after losing the server, or failing to reach it, the next try starts.
constexpr pa_usec_t kRetryUs = 1'000'000;
// A bell rung while the connection is being made is played once it is made, unless that took
// longer than this: by then the bell is no longer on time, and the desktop's beep sounds instead.
constexpr pa_usec_t kLongestHoldUs = 1'000'000;

// The last resort when the sound server will not take a sound. The desktop's beep belongs to
// the window system, so it is sounded from the user-interface thread.
void DesktopBeep(const char* why) {
    qCDebug(lcBells) << "desktop beep:" << why;
    QMetaObject::invokeMethod(qApp, &QApplication::beep, Qt::QueuedConnection);
}

pa_sample_format_t SampleFormat(WavSound::Encoding encoding) {
    switch (encoding) {
        case WavSound::Encoding::UInt8:
            return PA_SAMPLE_U8;
        case WavSound::Encoding::Int16:
            return PA_SAMPLE_S16LE;
        case WavSound::Encoding::Int32:
            return PA_SAMPLE_S32LE;
        case WavSound::Encoding::Float32:
            return PA_SAMPLE_FLOAT32LE;
    }
    return PA_SAMPLE_INVALID;
}

// The program as the desktop's volume mixer shows it. No media role: desktops mute the event
// role along with notification sounds, and a timer must be heard.
pa_proplist* ProgramProperties() {
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, AppInfo::Title);
    pa_proplist_sets(props, PA_PROP_APPLICATION_ID, AppInfo::AppId);
    pa_proplist_sets(props, PA_PROP_APPLICATION_ICON_NAME, AppInfo::AppId);
    pa_proplist_sets(props, PA_PROP_APPLICATION_VERSION, AppInfo::FileVersion);
    return props;
}

// One connection to the server for the program's life, on a thread of its own, rebuilt every
// second while the server is away. Every sound plays in a stream of its own, so a bell follows
// headphones plugged in. Everything in it runs with the main loop locked: on the loop's thread
// in the callbacks, on the caller's in play() and the destructor.
class PulseOutput : public SoundOutput {
public:
    explicit PulseOutput(WavSound beepSound)
        : m_beep(std::move(beepSound)),
          m_loop(pa_threaded_mainloop_new()),
          m_props(ProgramProperties()) {
        if (m_loop == nullptr) {
            qCDebug(lcBells) << "no main loop for the sound server";
            return;
        }
        m_api = pa_threaded_mainloop_get_api(m_loop);
        pa_threaded_mainloop_set_name(m_loop, "bells");
        pa_threaded_mainloop_lock(m_loop);
        connect();
        pa_threaded_mainloop_unlock(m_loop);
        if (pa_threaded_mainloop_start(m_loop) < 0) {
            qCDebug(lcBells) << "the sound server's thread did not start";
            pa_threaded_mainloop_lock(m_loop);
            dropContext();
            freeTimers();
            pa_threaded_mainloop_unlock(m_loop);
            pa_threaded_mainloop_free(m_loop);
            m_loop = nullptr;
        }
    }

    ~PulseOutput() override {
        if (m_loop != nullptr) {
            pa_threaded_mainloop_lock(m_loop);
            stopStream();
            freeTimers();
            dropContext();
            pa_threaded_mainloop_unlock(m_loop);
            pa_threaded_mainloop_stop(m_loop);
            pa_threaded_mainloop_free(m_loop);
        }
        pa_proplist_free(m_props);
    }

    void play(const WavSound& sound) override {
        if (m_loop == nullptr) {
            DesktopBeep("no sound server");
            return;
        }
        pa_threaded_mainloop_lock(m_loop);
        start(sound);
        pa_threaded_mainloop_unlock(m_loop);
    }

    void playBeep() override { play(m_beep); }

private:
    void connect() {
        m_context = pa_context_new_with_proplist(m_api, nullptr, m_props);
        if (m_context == nullptr) {
            lost();
            return;
        }
        pa_context_set_state_callback(m_context, &PulseOutput::onContextState, this);
        // Never start a server of our own: the desktop's is the one the user hears. A connect
        // that fails at once has already called lost() through the state callback.
        if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 &&
            m_context != nullptr) {
            lost();
        }
    }

    void dropContext() {
        if (m_context != nullptr) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
            m_context = nullptr;
        }
    }

    void freeTimers() {
        for (pa_time_event** timer : {&m_retry, &m_holdLimit}) {
            if (*timer != nullptr) {
                m_api->time_free(*timer);
                *timer = nullptr;
            }
        }
    }

    // Calls `handler` `us` from now, on the loop's thread, reusing `timer`.
    bool after(pa_usec_t us, pa_time_event*& timer, pa_time_event_cb_t handler) {
        timeval due{};
        pa_timeval_add(pa_gettimeofday(&due), us);
        if (timer == nullptr) {
            timer = m_api->time_new(m_api, &due, handler, this);
        } else {
            m_api->time_restart(timer, &due);
        }
        return timer != nullptr;
    }

    // The server is gone or was never there: try again a little later, for as long as it takes.
    void lost() {
        stopStream();
        dropHeld("no sound server");
        dropContext();
        if (!after(kRetryUs, m_retry, &PulseOutput::onRetry)) {
            qCDebug(lcBells) << "no timer to reach the sound server again";
        }
    }

    static void onRetry(pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
        static_cast<PulseOutput*>(self)->connect();
    }

    void dropHeld(const char* why) {
        if (m_held) {
            m_held.reset();
            DesktopBeep(why);
        }
    }

    static void onHoldLimit(pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
        static_cast<PulseOutput*>(self)->dropHeld("the sound server did not answer in time");
    }

    static void onContextState(pa_context* c, void* self) {
        auto* output = static_cast<PulseOutput*>(self);
        switch (pa_context_get_state(c)) {
            case PA_CONTEXT_READY:
                qCDebug(lcBells) << "connected to the sound server";
                if (output->m_held) {
                    const WavSound sound = *std::exchange(output->m_held, std::nullopt);
                    output->start(sound);
                }
                break;
            case PA_CONTEXT_FAILED:
            case PA_CONTEXT_TERMINATED:
                qCDebug(lcBells) << "lost the sound server:" << pa_strerror(pa_context_errno(c));
                output->lost();
                break;
            default:
                break;
        }
    }

    void start(const WavSound& sound) {
        stopStream();
        m_held.reset();  // a newer bell: the held one would have been cut off at once
        if (m_context == nullptr) {
            DesktopBeep("no sound server");
            return;
        }
        if (sound.pcm.isEmpty()) {
            DesktopBeep("no sound to play");
            return;
        }
        if (pa_context_get_state(m_context) != PA_CONTEXT_READY) {
            // Played once connected, a moment from now, or not at all.
            if (after(kLongestHoldUs, m_holdLimit, &PulseOutput::onHoldLimit)) {
                m_held = sound;
            } else {
                DesktopBeep("no timer to hold the bell");
            }
            return;
        }
        m_playing = sound;
        m_written = 0;
        const pa_sample_spec samples{SampleFormat(sound.encoding),
                                     static_cast<uint32_t>(sound.rate),
                                     static_cast<uint8_t>(sound.channels)};
        pa_channel_map channels{};
        if (pa_sample_spec_valid(&samples) != 0 &&
            pa_channel_map_init_extend(&channels, samples.channels, PA_CHANNEL_MAP_WAVEEX) !=
                nullptr) {
            m_stream = pa_stream_new_with_proplist(m_context, "ベル", &samples, &channels, nullptr);
        }
        if (m_stream == nullptr) {
            refused("the server cannot play this sound");
            return;
        }
        pa_stream_set_state_callback(m_stream, &PulseOutput::onStreamState, this);
        pa_stream_set_write_callback(m_stream, &PulseOutput::onWritable, this);
        // The server's own buffering, as `paplay` gets: measured, it starts a bell as soon as
        // a smaller target does, and on PipeWire a small one left holes in bells on a busy
        // machine. The whole sound is handed over at once either way.
        // No device named: the server's default output at this moment.
        if (pa_stream_connect_playback(m_stream, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr,
                                       nullptr) < 0) {
            stopStream();
            refused("the server refused the stream");
        }
    }

    // A sound the server would not take gives the built-in beep, and the beep the desktop's.
    void refused(const char* why) {
        qCDebug(lcBells) << why;
        if (!m_playing.pcm.isSharedWith(m_beep.pcm)) {
            start(m_beep);
        } else {
            DesktopBeep(why);
        }
    }

    void stopStream() {
        if (m_stream == nullptr) {
            return;
        }
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        if (pa_stream_get_state(m_stream) == PA_STREAM_CREATING) {
            // The server is still making it, and only a stream it has made can be taken down:
            // left alone, it would stay there for good, silent, in the desktop's mixer.
            pa_stream_set_state_callback(m_stream, &PulseOutput::onAbandonedState, nullptr);
        } else {
            pa_stream_set_state_callback(m_stream, nullptr, nullptr);
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
        }
        m_stream = nullptr;
    }

    static void onAbandonedState(pa_stream* s, void*) {
        switch (pa_stream_get_state(s)) {
            case PA_STREAM_READY:
                if (pa_stream_disconnect(s) == 0) {
                    break;  // terminated next
                }
                [[fallthrough]];
            case PA_STREAM_FAILED:
            case PA_STREAM_TERMINATED:
                pa_stream_set_state_callback(s, nullptr, nullptr);
                pa_stream_unref(s);
                break;
            default:
                break;
        }
    }

    static void onStreamState(pa_stream* s, void* self) {
        auto* output = static_cast<PulseOutput*>(self);
        switch (pa_stream_get_state(s)) {
            case PA_STREAM_READY: {
                // All of the sound at once, as much as the server holds for a stream.
                const pa_buffer_attr* buffer = pa_stream_get_buffer_attr(s);
                output->feed(buffer != nullptr ? buffer->maxlength : pa_stream_writable_size(s));
                break;
            }
            case PA_STREAM_FAILED:
                output->stopStream();
                if (output->m_written == 0) {
                    output->refused("the stream failed before the bell was heard");
                }
                break;
            default:
                break;
        }
    }

    static void onWritable(pa_stream*, size_t bytes, void* self) {
        static_cast<PulseOutput*>(self)->feed(bytes);
    }

    void feed(size_t bytes) {
        const qsizetype left = m_playing.pcm.size() - m_written;
        if (left <= 0 || bytes == static_cast<size_t>(-1)) {
            return;
        }
        const auto now = static_cast<qsizetype>(std::min<size_t>(bytes, static_cast<size_t>(left)));
        const qsizetype frame = m_playing.bytesPerFrame();
        const qsizetype whole = left == now ? now : now - now % frame;
        if (whole <= 0) {
            return;
        }
        if (pa_stream_write(m_stream, m_playing.pcm.constData() + m_written,
                            static_cast<size_t>(whole), nullptr, 0, PA_SEEK_RELATIVE) < 0) {
            stopStream();
            refused("the server did not take the sound");
            return;
        }
        m_written += whole;
        if (m_written == m_playing.pcm.size()) {
            // Closed once the server has played it all; a drain it will not take is let go.
            if (pa_operation* drain = pa_stream_drain(m_stream, &PulseOutput::onDrained, this)) {
                pa_operation_unref(drain);
            }
        }
    }

    static void onDrained(pa_stream* s, int, void* self) {
        auto* output = static_cast<PulseOutput*>(self);
        if (s == output->m_stream) {
            output->stopStream();
        }
    }

    const WavSound m_beep;
    pa_threaded_mainloop* m_loop;
    pa_mainloop_api* m_api = nullptr;
    pa_proplist* const m_props;
    pa_context* m_context = nullptr;
    pa_time_event* m_retry = nullptr;
    pa_time_event* m_holdLimit = nullptr;
    pa_stream* m_stream = nullptr;   // the sound playing, if any
    WavSound m_playing;              // its samples
    qsizetype m_written = 0;         // how many of them the server has
    std::optional<WavSound> m_held;  // rung while the connection was being made
};

}  // namespace

// The server takes the samples as they are.
void PrepareSound(WavSound&) {}

std::unique_ptr<SoundOutput> MakeSoundOutput(WavSound beep) {
    return std::make_unique<PulseOutput>(std::move(beep));
}
