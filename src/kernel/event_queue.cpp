// The kernel event queue: a ring of 1024 records guarded by one lock, plus a
// capped counter that lets a waiting thread sleep until the next push.
#include "kernel/key_state.h"

#include "host/host_keys.h"
#include "host/host_time.h"

#include <qoros/qor_event.h>
#include <qoros/qor_hooks.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

constexpr uint32_t kSlots = QOR_EVENT_QUEUE_SLOTS;
// Pushes beyond this many unconsumed signals are not counted: the desktop only
// polls, so the counter would otherwise grow without bound.
constexpr uint32_t kMaxSignals = 1024;

struct event_queue {
    std::mutex lock; // guards ring, head, tail and signals
    std::condition_variable signalled;
    uint32_t signals = 0;  // pushes not yet consumed by a sleeping wait
    uint32_t sleepers = 0; // waits asleep on `signalled`; pushes wake only when there are some
    // Written only under the lock; atomic so that wait may test for
    // emptiness without it.
    std::atomic<uint32_t> head{0}; // slot of the next push
    std::atomic<uint32_t> tail{0}; // slot of the next take
    qor_event ring[kSlots] = {};
};

std::once_flag g_event_init;
// Set up on first use and never torn down, so threads still pushing while the
// process exits never meet a destroyed lock.
event_queue* g_event_queue = nullptr;

event_queue& event_ensure_init() {
    std::call_once(g_event_init, [] { g_event_queue = new event_queue; });
    return *g_event_queue;
}

bool is_empty(const event_queue& queue) {
    return queue.head.load(std::memory_order_relaxed) == queue.tail.load(std::memory_order_relaxed);
}

// Caller holds the lock and has checked that the ring is not empty.
void take_locked(event_queue& queue, qor_event* out) {
    const uint32_t tail = queue.tail.load(std::memory_order_relaxed);
    *out = queue.ring[tail];
    queue.tail.store((tail + 1) % kSlots, std::memory_order_relaxed);
}

void fill_disk_mount_event(qor_event* out) {
    *out = qor_event{};
    out->type = QOR_EVENT_DISK_MOUNT;
    out->key = qor::host::keys::kKeyA;
    out->modifiers = qor::kernel::current_modifiers() | QOR_MOD_CTRL | QOR_MOD_TAB;
    out->timestamp = qor::host::tick_count_ms();
}

// Sleeps until a push signals or the time-out passes; true when signalled.
bool sleep_for_signal(event_queue& queue, std::unique_lock<std::mutex>& lock, uint32_t timeout_ms) {
    const auto has_signal = [&queue] { return queue.signals > 0; };
    ++queue.sleepers;
    bool signalled = true;
    if (timeout_ms == 0) {
        queue.signalled.wait(lock, has_signal);
    } else {
        signalled =
            queue.signalled.wait_for(lock, std::chrono::milliseconds(timeout_ms), has_signal);
    }
    --queue.sleepers;
    return signalled;
}

} // namespace

extern "C" int qor_event_push(qor_event* event) {
    if (!event) return QOR_ERR_INVALID_ARG;
    event_queue& queue = event_ensure_init();
    bool wake = false;
    {
        std::lock_guard<std::mutex> guard(queue.lock);
        const uint32_t head = queue.head.load(std::memory_order_relaxed);
        const uint32_t next = (head + 1) % kSlots;
        if (next == queue.tail.load(std::memory_order_relaxed)) return QOR_ERR_INVALID_ARG;
        if (event->timestamp == 0) event->timestamp = qor::host::tick_count_ms();
        queue.ring[head] = *event;
        queue.head.store(next, std::memory_order_relaxed);
        if (queue.signals < kMaxSignals) ++queue.signals;
        wake = queue.sleepers > 0;
    }
    if (wake) queue.signalled.notify_one();
    return QOR_OK;
}

extern "C" int qor_event_poll(qor_event* event) {
    if (!event) return QOR_ERR_INVALID_ARG;
    event_queue& queue = event_ensure_init();
    // The hotkey is reported ahead of anything queued, for as long as it is held.
    if (qor_asm_check_disk_hotkey()) {
        fill_disk_mount_event(event);
        return QOR_OK;
    }
    std::lock_guard<std::mutex> guard(queue.lock);
    if (is_empty(queue)) {
        event->type = QOR_EVENT_NONE;
        return QOR_OK;
    }
    take_locked(queue, event);
    return QOR_OK;
}

extern "C" int qor_event_wait(qor_event* event, uint32_t timeout_ms) {
    if (!event) return QOR_ERR_INVALID_ARG;
    event_queue& queue = event_ensure_init();
    if (!is_empty(queue)) return qor_event_poll(event);

    std::unique_lock<std::mutex> lock(queue.lock);
    // Poll does not consume signals, so a signal may be left over from an
    // event that is gone already: then this wait ends with nothing.
    if (sleep_for_signal(queue, lock, timeout_ms)) {
        --queue.signals;
        if (!is_empty(queue)) {
            take_locked(queue, event);
            return QOR_OK;
        }
    }
    event->type = QOR_EVENT_NONE;
    return QOR_OK;
}
