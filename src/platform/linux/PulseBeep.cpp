#include "platform/linux/PulseBeep.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>
#include <utility>
#include <vector>

namespace veskor {

namespace {

constexpr const char* kSampleName = "veskor-alarm-beep";
constexpr std::uint32_t kRate = 44100; // samples a second, mono
constexpr double kFrequencyHz = 880;   // A5: clear, and far from mains hum
constexpr double kToneSeconds = 0.1;
constexpr double kFadeSeconds = 0.005;         // ramps at both ends, so the tone does not click
constexpr pa_usec_t kSpacing = 200'000;        // start to start: the tone, then as long a gap
constexpr pa_usec_t kMostAhead = 1'000'000;    // beeps further behind than this are dropped
constexpr pa_usec_t kConnectLimit = 5'000'000; // a server that answers slower is none
constexpr auto kRetryAfter = std::chrono::seconds(30);
constexpr int kMostQueued = 2; // one timer tick's worth: any more would only come late

const std::vector<std::int16_t>& tone() {
    static const std::vector<std::int16_t> samples = [] {
        const auto count = static_cast<std::size_t>(kRate * kToneSeconds);
        const double fade = kRate * kFadeSeconds;
        std::vector<std::int16_t> made(count);
        for (std::size_t i = 0; i < count; ++i) {
            const double edge = std::min(
                {1.0, static_cast<double>(i) / fade, static_cast<double>(count - 1 - i) / fade});
            const double envelope = 0.5 - 0.5 * std::cos(std::numbers::pi * edge);
            const double wave =
                std::sin(2 * std::numbers::pi * kFrequencyHz * static_cast<double>(i) / kRate);
            made[i] = static_cast<std::int16_t>(std::lround(0.5 * 32767 * envelope * wave));
        }
        return made;
    }();
    return samples;
}

// What the desktop's volume rules go by: an event sound, here an alarm's. The sound theme's
// name for it is given only when playing: on an upload the server takes it as the sample's
// name, and would put our tone in the place of the theme's sound for every program.
pa_proplist* eventProperties(bool playing) {
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
    if (playing) {
        pa_proplist_sets(properties, PA_PROP_EVENT_ID, "alarm-clock-elapsed");
        pa_proplist_sets(properties, PA_PROP_MEDIA_NAME, "Alarm");
    }
    return properties;
}

} // namespace

PulseBeep::PulseBeep(IBeep& fallback, std::ostream& report)
    : m_fallback(fallback), m_report(report) {}

PulseBeep::~PulseBeep() {
    if (m_loop == nullptr) {
        return;
    }
    // The sound thread only ever waits in poll(), never on the server: it ends at once, and a
    // server that stopped answering cannot hold the program up.
    pa_threaded_mainloop_stop(m_loop);
    dropContext();
    pa_threaded_mainloop_free(m_loop); // with the timers of beeps still to come
}

void PulseBeep::beep() {
    if (m_loop == nullptr) {
        m_loop = pa_threaded_mainloop_new();
        if (m_loop == nullptr || pa_threaded_mainloop_start(m_loop) < 0) {
            if (m_loop != nullptr) {
                pa_threaded_mainloop_free(m_loop);
                m_loop = nullptr;
            }
            if (!std::exchange(m_reported, true)) {
                m_report << QCoreApplication::translate(
                                "PulseBeep", "veskor: no sound thread; alarms ring the X bell")
                                .toStdString()
                         << '\n'
                         << std::flush;
            }
            m_fallback.beep();
            return;
        }
    }
    bool ring = false;
    pa_threaded_mainloop_lock(m_loop);
    if (m_state == State::Failed && std::chrono::steady_clock::now() < m_retryAt) {
        ring = true;
    } else {
        // Connecting reads the client's configuration, maybe from the X server, and a timer
        // for the second beep must be set where the loop sees it: all on the sound thread.
        m_queued = std::min(m_queued + 1, kMostQueued);
        pa_mainloop_api_once(pa_threaded_mainloop_get_api(m_loop), &PulseBeep::serveNow, this);
    }
    pa_threaded_mainloop_unlock(m_loop);
    if (ring) {
        m_fallback.beep();
    }
}

void PulseBeep::serveNow(pa_mainloop_api* /*api*/, void* self) {
    auto* beep = static_cast<PulseBeep*>(self);
    switch (beep->m_state) {
    case State::Idle:
    case State::Failed:
        beep->connect();
        break;
    case State::Connecting:
        break; // played once the tone is on the server
    case State::Ready:
        beep->playQueued();
        break;
    }
}

void PulseBeep::connect() {
    m_state = State::Connecting;
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Veskor Pro");
    m_context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(m_loop), "Veskor Pro",
                                             properties);
    pa_proplist_free(properties);
    if (m_context == nullptr) {
        fail("cannot make a connection");
        return;
    }
    pa_context_set_state_callback(m_context, &PulseBeep::contextChanged, this);
    m_connectTimer = pa_context_rttime_new(m_context, pa_rtclock_now() + kConnectLimit,
                                           &PulseBeep::connectTimedOut, this);
    // No autospawn: starting the user's sound server is not a bar's business, and it waits.
    // A refused connection may fail inside this call and drop the context already.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 &&
        m_context != nullptr) {
        fail(pa_strerror(pa_context_errno(m_context)));
    }
}

void PulseBeep::contextChanged(pa_context* context, void* self) {
    auto* beep = static_cast<PulseBeep*>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        beep->upload();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        beep->fail(pa_strerror(pa_context_errno(context)));
        break;
    default:
        break;
    }
}

// Uploaded once a connection: the server keeps the tone and plays it on request, so a beep is
// one small message rather than a stream of its own.
void PulseBeep::upload() {
    const std::vector<std::int16_t>& samples = tone();
    const pa_sample_spec spec{PA_SAMPLE_S16NE, kRate, 1};
    pa_proplist* properties = eventProperties(false);
    m_upload = pa_stream_new_with_proplist(m_context, kSampleName, &spec, nullptr, properties);
    pa_proplist_free(properties);
    if (m_upload == nullptr) {
        fail(pa_strerror(pa_context_errno(m_context)));
        return;
    }
    pa_stream_set_state_callback(m_upload, &PulseBeep::uploadChanged, this);
    if (pa_stream_connect_upload(m_upload, samples.size() * sizeof(std::int16_t)) < 0) {
        fail(pa_strerror(pa_context_errno(m_context)));
    }
}

void PulseBeep::uploadChanged(pa_stream* stream, void* self) {
    auto* beep = static_cast<PulseBeep*>(self);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY: {
        const std::vector<std::int16_t>& samples = tone();
        pa_stream_write(stream, samples.data(), samples.size() * sizeof(std::int16_t), nullptr, 0,
                        PA_SEEK_RELATIVE);
        pa_stream_finish_upload(stream);
        break;
    }
    case PA_STREAM_TERMINATED: // the tone is on the server
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_unref(std::exchange(beep->m_upload, nullptr));
        pa_threaded_mainloop_get_api(beep->m_loop)
            ->time_free(std::exchange(beep->m_connectTimer, nullptr));
        beep->m_state = State::Ready;
        beep->playQueued();
        break;
    case PA_STREAM_FAILED:
        beep->fail(pa_strerror(pa_context_errno(beep->m_context)));
        break;
    default:
        break;
    }
}

void PulseBeep::connectTimedOut(pa_mainloop_api* /*api*/, pa_time_event* /*event*/,
                                const timeval* /*time*/, void* self) {
    auto* beep = static_cast<PulseBeep*>(self);
    beep->fail("no answer");
}

void PulseBeep::playQueued() {
    for (; m_queued > 0; --m_queued) {
        playSoon();
    }
}

// Right away when the last beep is over, else as soon as it is: two beeps asked for together
// are heard as two.
void PulseBeep::playSoon() {
    const pa_usec_t now = pa_rtclock_now();
    if (m_nextStart <= now) {
        playNow();
        m_nextStart = now + kSpacing;
    } else if (m_nextStart - now <= kMostAhead) {
        pa_context_rttime_new(m_context, m_nextStart, &PulseBeep::playLater, this);
        m_nextStart += kSpacing;
    }
}

void PulseBeep::playLater(pa_mainloop_api* api, pa_time_event* event, const timeval* /*time*/,
                          void* self) {
    api->time_free(event);
    auto* beep = static_cast<PulseBeep*>(self);
    if (beep->m_state == State::Ready) {
        beep->playNow();
    }
}

void PulseBeep::playNow() {
    pa_proplist* properties = eventProperties(true);
    // The default device at the volume the desktop gives event sounds.
    if (pa_operation* played = pa_context_play_sample_with_proplist(
            m_context, kSampleName, nullptr, PA_VOLUME_INVALID, properties, nullptr, nullptr)) {
        pa_operation_unref(played);
    }
    pa_proplist_free(properties);
}

void PulseBeep::fail(const char* reason) {
    if (m_context == nullptr) {
        return; // already failed, within the same call
    }
    if (!std::exchange(m_reported, true)) {
        m_report << QCoreApplication::translate(
                        "PulseBeep", "veskor: no sound server (%1); alarms ring the X bell")
                        .arg(QString::fromStdString(std::string(reason)))
                        .toStdString()
                 << '\n'
                 << std::flush;
    }
    // A server that went away after working may be back already (restarted); one that never
    // answered is given a while.
    const bool wasReady = m_state == State::Ready;
    dropContext();
    m_state = State::Failed;
    m_retryAt =
        std::chrono::steady_clock::now() + (wasReady ? std::chrono::seconds(0) : kRetryAfter);
    if (const int owed = std::exchange(m_queued, 0); owed > 0) {
        // The X bell is rung through the toolkit's X connection, which lives on its thread.
        QMetaObject::invokeMethod(
            &m_guiThread,
            [this, owed] {
                for (int i = 0; i < owed; ++i) {
                    m_fallback.beep();
                }
            },
            Qt::QueuedConnection);
    }
}

void PulseBeep::dropContext() {
    if (m_upload != nullptr) {
        pa_stream_set_state_callback(m_upload, nullptr, nullptr);
        pa_stream_unref(std::exchange(m_upload, nullptr));
    }
    if (m_context == nullptr) {
        return;
    }
    if (m_connectTimer != nullptr) {
        pa_threaded_mainloop_get_api(m_loop)->time_free(std::exchange(m_connectTimer, nullptr));
    }
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(std::exchange(m_context, nullptr));
}

} // namespace veskor
