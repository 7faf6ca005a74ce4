#include "ui/platform/sound/PulseOutput.h"

#include <pulse/pulseaudio.h>

#include <QApplication>
#include <QLoggingCategory>
#include <algorithm>
#include <optional>

#include "AppInfo.h"

Q_LOGGING_CATEGORY(lcBells, "rondelay.bells", QtInfoMsg)

namespace {

// How long after losing the server, or failing to reach it, the next try starts.
constexpr pa_usec_t kRetryUs = 1'000'000;

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

}  // namespace

// Everything here runs with the main loop locked: on its own thread in the callbacks, on the
// caller's in play() and the destructor.
struct PulseOutput::Connection {
    explicit Connection(WavSound beepSound)
        : beep(std::move(beepSound)),
          loop(pa_threaded_mainloop_new()),
          api(pa_threaded_mainloop_get_api(loop)),
          props(ProgramProperties()) {
        pa_threaded_mainloop_set_name(loop, "bells");
        pa_threaded_mainloop_lock(loop);
        connect();
        pa_threaded_mainloop_unlock(loop);
        pa_threaded_mainloop_start(loop);
    }

    ~Connection() {
        pa_threaded_mainloop_lock(loop);
        stopStream();
        if (retry != nullptr) {
            api->time_free(retry);
        }
        dropContext();
        pa_threaded_mainloop_unlock(loop);
        pa_threaded_mainloop_stop(loop);
        pa_threaded_mainloop_free(loop);
        pa_proplist_free(props);
    }

    void play(const WavSound& sound) {
        pa_threaded_mainloop_lock(loop);
        start(sound);
        pa_threaded_mainloop_unlock(loop);
    }

    void connect() {
        context = pa_context_new_with_proplist(api, nullptr, props);
        pa_context_set_state_callback(context, &Connection::onContextState, this);
        // Never start a server of our own: the desktop's is the one the user hears.
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            lost();
        }
    }

    void dropContext() {
        if (context != nullptr) {
            pa_context_set_state_callback(context, nullptr, nullptr);
            pa_context_disconnect(context);
            pa_context_unref(context);
            context = nullptr;
        }
    }

    // The server is gone or was never there: try again a little later, for as long as it takes.
    void lost() {
        stopStream();
        if (pending) {
            pending.reset();
            DesktopBeep("no sound server");
        }
        dropContext();
        timeval due{};
        pa_timeval_add(pa_gettimeofday(&due), kRetryUs);
        if (retry == nullptr) {
            retry = api->time_new(api, &due, &Connection::onRetry, this);
        } else {
            api->time_restart(retry, &due);
        }
    }

    static void onRetry(pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
        static_cast<Connection*>(self)->connect();
    }

    static void onContextState(pa_context* c, void* self) {
        auto* connection = static_cast<Connection*>(self);
        switch (pa_context_get_state(c)) {
            case PA_CONTEXT_READY:
                qCDebug(lcBells) << "connected to the sound server";
                if (connection->pending) {
                    const WavSound sound = *std::exchange(connection->pending, std::nullopt);
                    connection->start(sound);
                }
                break;
            case PA_CONTEXT_FAILED:
            case PA_CONTEXT_TERMINATED:
                qCDebug(lcBells) << "lost the sound server:" << pa_strerror(pa_context_errno(c));
                connection->lost();
                break;
            default:
                break;
        }
    }

    void start(const WavSound& sound) {
        stopStream();
        if (context == nullptr) {
            DesktopBeep("no sound server");
            return;
        }
        if (sound.pcm.isEmpty()) {
            DesktopBeep("no sound to play");
            return;
        }
        if (pa_context_get_state(context) != PA_CONTEXT_READY) {
            pending = sound;  // played once connected, a moment from now
            return;
        }
        playing = sound;
        written = 0;
        const pa_sample_spec samples{SampleFormat(sound.encoding),
                                     static_cast<uint32_t>(sound.rate),
                                     static_cast<uint8_t>(sound.channels)};
        pa_channel_map channels{};
        pa_channel_map_init_extend(&channels, samples.channels, PA_CHANNEL_MAP_WAVEEX);
        stream = pa_sample_spec_valid(&samples) != 0
                     ? pa_stream_new_with_proplist(context, "ベル", &samples, &channels, nullptr)
                     : nullptr;
        if (stream == nullptr) {
            refused("the server cannot play this sound");
            return;
        }
        pa_stream_set_state_callback(stream, &Connection::onStreamState, this);
        pa_stream_set_write_callback(stream, &Connection::onWritable, this);
        // The server's own buffering, as `paplay` gets: measured, it starts a bell as soon as
        // a smaller target does, and on PipeWire a small one left holes in bells on a busy
        // machine. The whole sound is handed over at once either way.
        // No device named: the server's default output at this moment.
        if (pa_stream_connect_playback(stream, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr,
                                       nullptr) < 0) {
            stopStream();
            refused("the server refused the stream");
        }
    }

    // A sound the server would not take gives the built-in beep, and the beep the desktop's.
    void refused(const char* why) {
        qCDebug(lcBells) << why;
        if (!playing.pcm.isSharedWith(beep.pcm)) {
            start(beep);
        } else {
            DesktopBeep(why);
        }
    }

    void stopStream() {
        if (stream != nullptr) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_set_write_callback(stream, nullptr, nullptr);
            pa_stream_disconnect(stream);
            pa_stream_unref(stream);
            stream = nullptr;
        }
    }

    static void onStreamState(pa_stream* s, void* self) {
        auto* connection = static_cast<Connection*>(self);
        switch (pa_stream_get_state(s)) {
            case PA_STREAM_READY:
                // All of the sound at once, as much as the server holds for a stream.
                connection->feed(pa_stream_get_buffer_attr(s)->maxlength);
                break;
            case PA_STREAM_FAILED:
                connection->stopStream();
                if (connection->written == 0) {
                    connection->refused("the stream failed before the bell was heard");
                }
                break;
            default:
                break;
        }
    }

    static void onWritable(pa_stream*, size_t bytes, void* self) {
        static_cast<Connection*>(self)->feed(bytes);
    }

    void feed(size_t bytes) {
        const qsizetype left = playing.pcm.size() - written;
        if (left <= 0) {
            return;
        }
        const auto now = static_cast<qsizetype>(std::min<size_t>(bytes, static_cast<size_t>(left)));
        const qsizetype frame = playing.bytesPerFrame();
        const qsizetype whole = left == now ? now : now - now % frame;
        if (whole <= 0 ||
            pa_stream_write(stream, playing.pcm.constData() + written, static_cast<size_t>(whole),
                            nullptr, 0, PA_SEEK_RELATIVE) < 0) {
            return;
        }
        written += whole;
        if (written == playing.pcm.size()) {
            // Closed once the server has played it all.
            pa_operation_unref(pa_stream_drain(stream, &Connection::onDrained, this));
        }
    }

    static void onDrained(pa_stream* s, int, void* self) {
        auto* connection = static_cast<Connection*>(self);
        if (s == connection->stream) {
            connection->stopStream();
        }
    }

    const WavSound beep;
    pa_threaded_mainloop* const loop;
    pa_mainloop_api* const api;
    pa_proplist* const props;
    pa_context* context = nullptr;
    pa_time_event* retry = nullptr;
    pa_stream* stream = nullptr;      // the sound playing, if any
    WavSound playing;                 // its samples
    qsizetype written = 0;            // how many of them the server has
    std::optional<WavSound> pending;  // rung while the connection was being made
};

PulseOutput::PulseOutput(WavSound beep)
    : m_connection(std::make_unique<Connection>(std::move(beep))) {}

PulseOutput::~PulseOutput() = default;

void PulseOutput::play(const WavSound& sound) {
    m_connection->play(sound);
}

void PulseOutput::playBeep() {
    m_connection->play(m_connection->beep);
}
