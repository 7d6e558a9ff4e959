// Shared set-up for downloader tests: every source pointed at a loopback
// server, a clock that can be made to advance 100 ms per reading, and the
// transport limits back at their defaults after each test.
#pragma once

#include "host/host_http.h"
#include "qorget/progress.h"
#include "qorget/test_seams.h"
#include "support/loopback_http_server.h"
#include "support/scratch.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <qoros/qorget.h>
#include <string>

namespace qor::test {

class QorgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A proxy from the environment must not take the loopback requests away.
        setenv("no_proxy", "127.0.0.1", 1);
        setenv("NO_PROXY", "127.0.0.1", 1);
        reset_seams();
    }
    void TearDown() override { reset_seams(); }

    // Source i answers "/pkg/<i>/<name>/<version>", "/search/<i>?q=<query>"
    // and "/speed/<i>" on server, under its usual name.
    void use_local_sources(const loopback_http_server& server) {
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
    // Every speed test then measures exactly 100 ms.
    static void use_fixed_step_clock() {
        qorget::replace_clock_for_tests([] {
            static std::atomic<uint64_t> now{0};
            return now += 100;
        });
    }
    // Stalls are given up after about a second instead of 15.
    static void use_short_stall_limit() {
        host::http_transport_settings limits;
        limits.low_speed_window_ms = 1000;
        host::http_set_transport_settings(&limits);
    }

  private:
    static void reset_seams() {
        qorget::replace_sources_for_tests(nullptr);
        qorget::replace_clock_for_tests(nullptr);
        host::http_set_transport_settings(nullptr);
    }
    std::array<std::string, 3 * QORGET_SOURCE_COUNT> texts_;
    std::array<qorget_source, QORGET_SOURCE_COUNT> rows_{};
};

} // namespace qor::test
