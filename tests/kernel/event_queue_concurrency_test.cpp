// Several producers and consumers share the queue: every event arrives exactly
// once, and each producer's events arrive in the order it pushed them.
#include <qoros/qor_event.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr int kProducers = 4;
constexpr int kEachProducer = 4000;
constexpr int kAll = kProducers * kEachProducer;

struct received_log {
    std::vector<std::atomic<int>> seen = std::vector<std::atomic<int>>(kAll); // by p * kEach + s
    std::atomic<int> total{0};
    std::atomic<int> out_of_order{0};
    std::atomic<bool> producers_done{false};
};

// One consumer; last[p] is the latest sequence of producer p this consumer saw.
void consume(received_log* log, bool use_wait) {
    std::vector<int> last(kProducers, -1);
    while (log->total.load() < kAll) {
        // Read the flag first: once every producer is done, an empty queue stays empty.
        const bool done = log->producers_done.load();
        qor_event event{};
        use_wait ? qor_event_wait(&event, 5) : qor_event_poll(&event);
        if (event.type == QOR_EVENT_NONE) {
            if (done) return;
            continue;
        }
        if (event.param2 <= last[event.param1]) log->out_of_order.fetch_add(1);
        last[event.param1] = event.param2;
        log->seen[event.param1 * kEachProducer + event.param2].fetch_add(1);
        log->total.fetch_add(1);
    }
}

void run(int waiting_consumers, int polling_consumers) {
    qor_event event{};
    do {
        qor_event_poll(&event);
    } while (event.type != QOR_EVENT_NONE);

    received_log log;
    std::vector<std::thread> consumers, producers;
    for (int i = 0; i < waiting_consumers + polling_consumers; ++i)
        consumers.emplace_back(consume, &log, i < waiting_consumers);
    for (int p = 0; p < kProducers; ++p) {
        producers.emplace_back([p] {
            for (int s = 0; s < kEachProducer; ++s) {
                qor_event pushed{};
                pushed.type = QOR_EVENT_KEY_DOWN;
                pushed.param1 = p;
                pushed.param2 = s;
                while (qor_event_push(&pushed) != QOR_OK)
                    std::this_thread::yield();
            }
        });
    }
    for (auto& thread : producers)
        thread.join();
    log.producers_done.store(true);
    for (auto& thread : consumers)
        thread.join();

    EXPECT_EQ(log.total.load(), kAll);
    EXPECT_EQ(log.out_of_order.load(), 0);
    for (int i = 0; i < kAll; ++i)
        ASSERT_EQ(log.seen[i].load(), 1)
            << "producer " << i / kEachProducer << " event " << i % kEachProducer;
}

TEST(EventQueueThreads, ProducersAndOneWaitingConsumerLoseAndDuplicateNothing) {
    run(1, 0);
}

TEST(EventQueueThreads, WaitingAndPollingConsumersShareTheEventsExactlyOnce) {
    run(2, 1);
}

} // namespace
