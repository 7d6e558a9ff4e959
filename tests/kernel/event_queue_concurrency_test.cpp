// Several producers and consumers share the queue: every event arrives exactly
// once, and each producer's events arrive in the order it pushed them.
#include <qoros/qor_event.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr int kProducers = 4;
constexpr int kEventsPerProducer = 4000;

void push_until_stored(qor_event event) {
    while (qor_event_push(&event) != QOR_OK)
        std::this_thread::yield();
}

void drain() {
    qor_event event{};
    do {
        qor_event_poll(&event);
    } while (event.type != QOR_EVENT_NONE);
}

struct received_log {
    // seen[p][s]: how often event s of producer p arrived
    std::vector<std::vector<std::atomic<int>>> seen;
    std::atomic<int> total{0};
    std::atomic<int> out_of_order{0};

    received_log() : seen(kProducers) {
        for (auto& row : seen)
            row = std::vector<std::atomic<int>>(kEventsPerProducer);
    }
};

void start_producers(std::vector<std::thread>* threads) {
    for (int p = 0; p < kProducers; ++p) {
        threads->emplace_back([p] {
            for (int s = 0; s < kEventsPerProducer; ++s) {
                qor_event event{};
                event.type = QOR_EVENT_KEY_DOWN;
                event.param1 = p;
                event.param2 = s;
                push_until_stored(event);
            }
        });
    }
}

// One consumer; last[p] tracks the order of producer p as this consumer sees it.
void consume(received_log* log, bool use_wait, const std::atomic<bool>* producers_done) {
    std::vector<int> last(kProducers, -1);
    constexpr int kAll = kProducers * kEventsPerProducer;
    while (log->total.load() < kAll) {
        qor_event event{};
        if (use_wait) {
            qor_event_wait(&event, 5);
        } else {
            qor_event_poll(&event);
        }
        if (event.type == QOR_EVENT_NONE) {
            // Nothing more can come once every producer is done and the queue is empty.
            if (producers_done->load()) {
                qor_event probe{};
                qor_event_poll(&probe);
                if (probe.type == QOR_EVENT_NONE) return;
                event = probe;
            } else {
                continue;
            }
        }
        if (event.param2 <= last[event.param1]) log->out_of_order.fetch_add(1);
        last[event.param1] = event.param2;
        log->seen[event.param1][event.param2].fetch_add(1);
        log->total.fetch_add(1);
    }
}

void expect_each_event_once(const received_log& log) {
    EXPECT_EQ(log.total.load(), kProducers * kEventsPerProducer);
    EXPECT_EQ(log.out_of_order.load(), 0);
    for (int p = 0; p < kProducers; ++p) {
        for (int s = 0; s < kEventsPerProducer; ++s) {
            ASSERT_EQ(log.seen[p][s].load(), 1) << "producer " << p << " event " << s;
        }
    }
}

void run(int waiting_consumers, int polling_consumers) {
    drain();
    received_log log;
    std::atomic<bool> producers_done{false};
    std::vector<std::thread> consumers;
    for (int i = 0; i < waiting_consumers; ++i) {
        consumers.emplace_back(consume, &log, true, &producers_done);
    }
    for (int i = 0; i < polling_consumers; ++i) {
        consumers.emplace_back(consume, &log, false, &producers_done);
    }
    std::vector<std::thread> producers;
    start_producers(&producers);
    for (auto& thread : producers)
        thread.join();
    producers_done.store(true);
    for (auto& thread : consumers)
        thread.join();
    expect_each_event_once(log);
}

TEST(EventQueueThreads, ProducersAndOneWaitingConsumerLoseAndDuplicateNothing) {
    run(1, 0);
}

TEST(EventQueueThreads, WaitingAndPollingConsumersShareTheEventsExactlyOnce) {
    run(2, 1);
}

} // namespace
