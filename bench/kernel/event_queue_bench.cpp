// One push and one poll through the kernel event queue, beside the anchor:
// the same record through a std::deque guarded by a std::mutex.
#include <qoros/qor_event.h>

#include <benchmark/benchmark.h>

#include <deque>
#include <mutex>

namespace {

void BM_QorEventPushPoll(benchmark::State& state) {
    qor_event event{};
    event.type = QOR_EVENT_KEY_DOWN;
    event.timestamp = 1;
    qor_event out{};
    for (auto _ : state) {
        qor_event_push(&event);
        qor_event_poll(&out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_QorEventPushPoll);

void BM_AnchorMutexDequePushPop(benchmark::State& state) {
    std::mutex lock;
    std::deque<qor_event> queue;
    qor_event event{};
    event.type = QOR_EVENT_KEY_DOWN;
    event.timestamp = 1;
    qor_event out{};
    for (auto _ : state) {
        {
            std::lock_guard<std::mutex> guard(lock);
            queue.push_back(event);
        }
        {
            std::lock_guard<std::mutex> guard(lock);
            out = queue.front();
            queue.pop_front();
        }
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_AnchorMutexDequePushPop);

} // namespace

BENCHMARK_MAIN();
