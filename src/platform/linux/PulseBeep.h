#pragma once
#include "platform/Beep.h"

#include <QObject>
#include <chrono>
#include <cstdint>
#include <iostream>

struct pa_context;
struct pa_mainloop_api;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;
struct timeval;

namespace veskor {

// A short tone through the desktop's sound server (PulseAudio, or PipeWire's service of its
// protocol), tagged as an event sound so that the desktop's volume and mute apply. The tone is
// uploaded to the server once and played from there; everything that waits on the server runs
// on libpulse's own thread, so beep() never waits. Beeps asked for in a row come out one after
// another with a short gap. Without a server `fallback` rings instead, said once on `report`,
// and the server is tried again a little later.
class PulseBeep final : public IBeep {
public:
    explicit PulseBeep(IBeep& fallback, std::ostream& report = std::cerr);
    ~PulseBeep() override;
    PulseBeep(const PulseBeep&) = delete;
    PulseBeep& operator=(const PulseBeep&) = delete;

    // Connects on the first call: a program that never beeps never talks to the server.
    void beep() override;

private:
    enum class State { Idle, Connecting, Ready, Failed };

    // The members below run on the sound thread, or with its lock held.
    void connect();
    void upload();
    void playQueued();
    void playSoon();
    void playNow();
    void fail(const char* reason);
    void dropContext();
    static void contextChanged(pa_context* context, void* self);
    static void uploadChanged(pa_stream* stream, void* self);
    static void serveNow(pa_mainloop_api* api, void* self);
    static void connectTimedOut(pa_mainloop_api* api, pa_time_event* event, const timeval* time,
                                void* self);
    static void playLater(pa_mainloop_api* api, pa_time_event* event, const timeval* time,
                          void* self);

    IBeep& m_fallback;
    std::ostream& m_report;
    QObject m_guiThread; // the sound thread hands the fallback's rings to this thread
    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_upload = nullptr;
    pa_time_event* m_connectTimer = nullptr;
    State m_state = State::Idle;
    int m_queued = 0;              // beeps asked for and not yet played
    std::uint64_t m_nextStart = 0; // when the next beep may start, on libpulse's clock (µs)
    std::chrono::steady_clock::time_point m_retryAt;
    bool m_reported = false;
};

} // namespace veskor
