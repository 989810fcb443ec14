#include "platform/linux/X11StripScroller.h"

#include "platform/linux/X11Connection.h"

#include <QTimer>
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <deque>
#include <limits>
#include <string_view>
#include <utility>
#include <xcb/sync.h>
#include <xcb/xcb.h>

namespace veskor {

namespace {

using namespace std::chrono_literals;

// Steps are queued this far ahead and topped up this often: the band keeps moving through a
// stall of the program's event loop of up to a second and a half.
constexpr auto kQueueAhead = 2000ms;
constexpr auto kTopUpEvery = 500ms;

struct Disconnect {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
using OwnConnection = std::unique_ptr<xcb_connection_t, Disconnect>;

std::int64_t fromSync(xcb_sync_int64_t value) {
    return static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(value.hi)) << 32) | value.lo);
}

xcb_sync_int64_t toSync(std::int64_t value) {
    return {static_cast<std::int32_t>(value >> 32), static_cast<std::uint32_t>(value)};
}

// The server's clock in milliseconds, a system counter of the SYNC extension; XCB_NONE without.
xcb_sync_counter_t serverTimeCounter(xcb_connection_t* c) {
    const xcb_query_extension_reply_t* sync = xcb_get_extension_data(c, &xcb_sync_id);
    if (sync == nullptr || sync->present == 0) {
        return XCB_NONE;
    }
    const XcbReply<xcb_sync_initialize_reply_t> version(xcb_sync_initialize_reply(
        c, xcb_sync_initialize(c, XCB_SYNC_MAJOR_VERSION, XCB_SYNC_MINOR_VERSION), nullptr));
    const XcbReply<xcb_sync_list_system_counters_reply_t> list(
        xcb_sync_list_system_counters_reply(c, xcb_sync_list_system_counters(c), nullptr));
    if (!version || !list) {
        return XCB_NONE;
    }
    // Read by hand: libxcb's accessors take an entry's head for 16 bytes where the protocol has
    // 14, and so misplace every name. An entry: counter (4 bytes), resolution (8), name length
    // (2), the name, padded to 4 bytes.
    const auto* at = reinterpret_cast<const std::uint8_t*>(list.get() + 1);
    const auto* end = at + std::size_t{4} * list->length;
    constexpr std::ptrdiff_t kHead = 14;
    for (std::uint32_t i = 0; i < list->counters_len && end - at >= kHead; ++i) {
        xcb_sync_counter_t counter = XCB_NONE;
        std::uint16_t nameLength = 0;
        std::memcpy(&counter, at, sizeof counter);
        std::memcpy(&nameLength, at + 12, sizeof nameLength);
        if (end - at < kHead + nameLength) {
            break;
        }
        if (std::string_view(reinterpret_cast<const char*>(at + kHead), nameLength) ==
            "SERVERTIME") {
            return counter;
        }
        at += (kHead + nameLength + 3) / 4 * 4;
    }
    return XCB_NONE;
}

int bitsPerPixel(const xcb_setup_t* setup, std::uint8_t depth) {
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem != 0;
         xcb_format_next(&formats)) {
        if (formats.data->depth == depth) {
            return formats.data->bits_per_pixel;
        }
    }
    return 0;
}

// The window's depth when its pixels are laid out as the strip's are (0xRRGGBB in a 32-bit word
// of this machine's byte order), so that the strip goes up unconverted; 0 otherwise, and for a
// window this connection does not see.
std::uint8_t plainDepth(xcb_connection_t* c, xcb_window_t window) {
    const XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    if (!attributes) {
        return 0;
    }
    const xcb_setup_t* setup = xcb_get_setup(c);
    const auto order = std::endian::native == std::endian::little ? XCB_IMAGE_ORDER_LSB_FIRST
                                                                  : XCB_IMAGE_ORDER_MSB_FIRST;
    if (setup->image_byte_order != order) {
        return 0;
    }
    for (auto screens = xcb_setup_roots_iterator(setup); screens.rem != 0;
         xcb_screen_next(&screens)) {
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem != 0;
             xcb_depth_next(&depths)) {
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem != 0;
                 xcb_visualtype_next(&visuals)) {
                const xcb_visualtype_t& visual = *visuals.data;
                if (visual.visual_id != attributes->visual) {
                    continue;
                }
                const bool rgb = visual._class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                                 visual.red_mask == 0xff0000 && visual.green_mask == 0xff00 &&
                                 visual.blue_mask == 0xff;
                const std::uint8_t depth = depths.data->depth;
                return rgb && bitsPerPixel(setup, depth) == 32 ? depth : 0;
            }
        }
    }
    return 0;
}

// A pixmap of the strip on the connection's server, uploaded in bands of rows that each fit in
// one request; XCB_NONE when the server refuses it.
xcb_pixmap_t uploadStrip(xcb_connection_t* c, xcb_window_t window, std::uint8_t depth,
                         xcb_gcontext_t gc, const StripPixels& strip) {
    const std::size_t rowBytes = std::size_t{4} * static_cast<std::size_t>(strip.width);
    const std::size_t requestBytes = std::size_t{4} * xcb_get_maximum_request_length(c);
    if (requestBytes < sizeof(xcb_put_image_request_t) + rowBytes) {
        return XCB_NONE;
    }
    const auto bandRows =
        static_cast<int>((requestBytes - sizeof(xcb_put_image_request_t)) / rowBytes);
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    const XcbReply<xcb_generic_error_t> refused(
        xcb_request_check(c, xcb_create_pixmap_checked(c, depth, pixmap, window,
                                                       static_cast<std::uint16_t>(strip.width),
                                                       static_cast<std::uint16_t>(strip.height))));
    if (refused) {
        return XCB_NONE;
    }
    // Without graphics exposures a copy sends nothing back.
    const std::uint32_t noExposures = 0;
    xcb_create_gc(c, gc, pixmap, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    for (int row = 0; row < strip.height; row += bandRows) {
        const int rows = std::min(bandRows, strip.height - row);
        const std::span<const std::uint32_t> band =
            strip.pixels.subspan(static_cast<std::size_t>(row) * rowBytes / 4,
                                 static_cast<std::size_t>(rows) * rowBytes / 4);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc,
                      static_cast<std::uint16_t>(strip.width), static_cast<std::uint16_t>(rows), 0,
                      static_cast<std::int16_t>(row), 0, depth,
                      static_cast<std::uint32_t>(band.size_bytes()),
                      reinterpret_cast<const std::uint8_t*>(band.data()));
    }
    return pixmap;
}

class X11Running final : public IStripScroller::Running {
public:
    struct Area {
        xcb_window_t window;
        int x;
        int y;
        int width;
        int height;
    };

    X11Running(xcb_connection_t* toolkit, OwnConnection own, xcb_pixmap_t pixmap, xcb_gcontext_t gc,
               Area area, int lastColumn, xcb_sync_counter_t clock,
               std::chrono::milliseconds interval, std::function<int()> nextColumn)
        : m_toolkit(toolkit), m_own(std::move(own)), m_pixmap(pixmap), m_gc(gc), m_area(area),
          m_lastColumn(lastColumn), m_clock(clock), m_interval(interval.count()),
          m_nextColumn(std::move(nextColumn)) {
        const XcbReply<xcb_sync_query_counter_reply_t> now(xcb_sync_query_counter_reply(
            m_own.get(), xcb_sync_query_counter(m_own.get(), m_clock), nullptr));
        m_serverStart = now ? fromSync(now->counter_value) : 0;
        m_steadyStart = std::chrono::steady_clock::now();
        m_nextDue = m_serverStart + m_interval;
        m_topUp.setInterval(kTopUpEvery);
        QObject::connect(&m_topUp, &QTimer::timeout, [this] { topUp(); });
        m_topUp.start();
        topUp();
    }

    // The server closes our connection at once, with the steps it has not made yet; the
    // toolkit's connection asks it, as ours waits for the next step.
    ~X11Running() override {
        xcb_kill_client(m_toolkit, m_pixmap);
        xcb_flush(m_toolkit);
    }
    X11Running(const X11Running&) = delete;
    X11Running& operator=(const X11Running&) = delete;
    X11Running(X11Running&&) = delete;
    X11Running& operator=(X11Running&&) = delete;

    [[nodiscard]] int shownColumn() const override {
        const std::int64_t now = serverNow();
        int shown = m_shown;
        for (const Step& step : m_queued) {
            if (step.due > now) {
                break;
            }
            shown = step.column;
        }
        return shown;
    }

private:
    struct Step {
        std::int64_t due;
        int column;
    };

    [[nodiscard]] std::int64_t serverNow() const {
        return m_serverStart + std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - m_steadyStart)
                                   .count();
    }

    void topUp() {
        xcb_connection_t* c = m_own.get();
        const std::int64_t now = serverNow();
        while (!m_queued.empty() && m_queued.front().due <= now) {
            m_shown = m_queued.front().column;
            m_queued.pop_front();
        }
        // After a stall longer than the queue the band stood still: it goes on from now rather
        // than racing through the steps it missed.
        m_nextDue = std::max(m_nextDue, now + m_interval);
        const std::int64_t last = now + std::chrono::milliseconds(kQueueAhead).count();
        for (; m_nextDue <= last; m_nextDue += m_interval) {
            const int column = std::clamp(m_nextColumn(), 0, m_lastColumn);
            const xcb_sync_waitcondition_t due{
                {m_clock, XCB_SYNC_VALUETYPE_ABSOLUTE, toSync(m_nextDue),
                 XCB_SYNC_TESTTYPE_POSITIVE_COMPARISON},
                toSync(std::numeric_limits<std::int64_t>::max())}; // no event back
            xcb_sync_await(c, 1, &due);
            xcb_copy_area(c, m_pixmap, m_area.window, m_gc, static_cast<std::int16_t>(column), 0,
                          static_cast<std::int16_t>(m_area.x), static_cast<std::int16_t>(m_area.y),
                          static_cast<std::uint16_t>(m_area.width),
                          static_cast<std::uint16_t>(m_area.height));
            m_queued.push_back({m_nextDue, column});
        }
        xcb_flush(c);
        // Nothing is asked back; what comes anyway (an error once the window is gone) is dropped.
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            std::free(event);
        }
    }

    xcb_connection_t* m_toolkit;
    OwnConnection m_own;
    xcb_pixmap_t m_pixmap;
    xcb_gcontext_t m_gc;
    Area m_area;
    int m_lastColumn;
    xcb_sync_counter_t m_clock;
    std::int64_t m_interval;
    std::function<int()> m_nextColumn;
    std::int64_t m_serverStart = 0;
    std::chrono::steady_clock::time_point m_steadyStart;
    std::int64_t m_nextDue = 0;
    std::deque<Step> m_queued;
    int m_shown = -1;
    QTimer m_topUp;
};

} // namespace

std::unique_ptr<IStripScroller::Running>
X11StripScroller::start(std::uintptr_t window, int x, int y, int width, StripPixels strip,
                        std::chrono::milliseconds interval, std::function<int()> nextColumn) {
    constexpr int kMaxCoordinate = std::numeric_limits<std::int16_t>::max();
    xcb_connection_t* toolkit = x11Connection();
    if (toolkit == nullptr || window == 0 || width <= 0 || strip.width < width ||
        strip.height <= 0 || strip.width > kMaxCoordinate || strip.height > kMaxCoordinate ||
        x < 0 || y < 0 || x > kMaxCoordinate || y > kMaxCoordinate || interval.count() <= 0 ||
        strip.pixels.size() <
            static_cast<std::size_t>(strip.width) * static_cast<std::size_t>(strip.height) ||
        !nextColumn) {
        return nullptr;
    }
    // The display the toolkit was given; a window it does not have fails the depth check.
    OwnConnection own(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(own.get()) != 0) {
        return nullptr;
    }
    xcb_connection_t* c = own.get();
    const auto target = static_cast<xcb_window_t>(window);
    const xcb_sync_counter_t clock = serverTimeCounter(c);
    const std::uint8_t depth = clock != XCB_NONE ? plainDepth(c, target) : 0;
    const xcb_gcontext_t gc = xcb_generate_id(c);
    const xcb_pixmap_t pixmap = depth != 0 ? uploadStrip(c, target, depth, gc, strip) : XCB_NONE;
    if (pixmap == XCB_NONE) {
        return nullptr;
    }
    return std::make_unique<X11Running>(
        toolkit, std::move(own), pixmap, gc, X11Running::Area{target, x, y, width, strip.height},
        strip.width - width, clock, interval, std::move(nextColumn));
}

} // namespace veskor
