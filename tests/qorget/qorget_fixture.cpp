#include "qorget_fixture.h"

#include <atomic>
#include <cstdlib>

namespace qor::test {

namespace {

std::atomic<uint64_t> g_fake_now{0};

uint64_t fixed_step_clock() {
    return g_fake_now += 100;
}

void reset_seams() {
    qorget::replace_sources_for_tests(nullptr);
    qorget::replace_clock_for_tests(nullptr);
    host::http_set_transport_settings(nullptr);
}

} // namespace

void QorgetTest::SetUp() {
    // A proxy from the environment must not take the loopback requests away.
    setenv("no_proxy", "127.0.0.1", 1);
    setenv("NO_PROXY", "127.0.0.1", 1);
    reset_seams();
}

void QorgetTest::TearDown() {
    reset_seams();
}

void QorgetTest::use_local_sources(const loopback_http_server& server) {
    for (int i = 0; i < QORGET_SOURCE_COUNT; ++i) {
        const std::string n = std::to_string(i);
        texts_[3 * i] = server.url("/pkg/" + n + "/%s/%s");
        texts_[3 * i + 1] = server.url("/search/" + n + "?q=%s");
        texts_[3 * i + 2] = server.url("/speed/" + n);
        rows_[i] = {i,
                    qorget_source_name(i),
                    qorget_source_base_url(i),
                    texts_[3 * i].c_str(),
                    texts_[3 * i + 1].c_str(),
                    texts_[3 * i + 2].c_str()};
    }
    qorget::replace_sources_for_tests(rows_.data());
}

void QorgetTest::use_fixed_step_clock() {
    qorget::replace_clock_for_tests(fixed_step_clock);
}

void QorgetTest::use_short_stall_limit() {
    host::http_transport_settings limits;
    limits.low_speed_window_ms = 1000;
    host::http_set_transport_settings(&limits);
}

} // namespace qor::test
