#include "platform/linux/MappingGuard.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace veskor {

namespace {

enum SlotState : int { kFree, kClaimed, kLive };

struct Slot {
    std::atomic<int> state{kFree};
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> truncated{false};
};
// The handler may only touch what never takes a lock.
static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

std::array<Slot, kGuardedMappings> g_slots;
std::uintptr_t g_pageSize = 0;
struct sigaction g_previous {};

// Maps a zero page over the faulting page of a guarded mapping; false when the address is in
// none of them.
bool zeroFill(std::uintptr_t address) {
    for (Slot& slot : g_slots) {
        if (slot.state.load(std::memory_order_acquire) != kLive ||
            address < slot.begin.load(std::memory_order_relaxed) ||
            address >= slot.end.load(std::memory_order_relaxed)) {
            continue;
        }
        // The raw call: the library's mmap may be wrapped by tools that are not signal-safe.
        const long mapped = ::syscall(SYS_mmap, address & ~(g_pageSize - 1), g_pageSize, PROT_READ,
                                      MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == -1) {
            return false;
        }
        slot.truncated.store(true, std::memory_order_relaxed);
        return true;
    }
    return false;
}

void passOn(int signal, siginfo_t* info, void* context) {
    if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction != nullptr) {
        g_previous.sa_sigaction(signal, info, context);
        return;
    }
    if (g_previous.sa_handler == SIG_IGN && info != nullptr && info->si_code <= 0) {
        return; // sent by a process, and ignored before we came
    }
    if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
        return;
    }
    // The default action. The signal is blocked while this runs, so it is delivered (and kills)
    // on return; a fault would also strike again.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    ::sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
}

void onBusError(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    // Only a fault reports a real address; a signal sent by a process has none.
    const bool handled = info != nullptr && info->si_code == BUS_ADRERR &&
                         zeroFill(reinterpret_cast<std::uintptr_t>(info->si_addr));
    if (!handled) {
        passOn(signal, info, context);
    }
    errno = savedErrno;
}

bool installHandler() {
    static const bool installed = [] {
        g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        ::sigemptyset(&action.sa_mask);
        return ::sigaction(SIGBUS, &action, &g_previous) == 0;
    }();
    return installed;
}

} // namespace

int guardMapping(const void* address, std::size_t size) {
    if (!installHandler()) {
        return -1;
    }
    for (int i = 0; i < kGuardedMappings; ++i) {
        Slot& slot = g_slots[static_cast<std::size_t>(i)];
        int expected = kFree;
        if (!slot.state.compare_exchange_strong(expected, kClaimed, std::memory_order_acquire)) {
            continue;
        }
        const auto begin = reinterpret_cast<std::uintptr_t>(address);
        slot.begin.store(begin, std::memory_order_relaxed);
        slot.end.store(begin + size, std::memory_order_relaxed);
        slot.truncated.store(false, std::memory_order_relaxed);
        slot.state.store(kLive, std::memory_order_release);
        return i;
    }
    return -1;
}

void unguardMapping(int slot) {
    if (slot >= 0 && slot < kGuardedMappings) {
        g_slots[static_cast<std::size_t>(slot)].state.store(kFree, std::memory_order_release);
    }
}

bool mappingTruncated(int slot) {
    return slot >= 0 && slot < kGuardedMappings &&
           g_slots[static_cast<std::size_t>(slot)].truncated.load(std::memory_order_relaxed);
}

} // namespace veskor
