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
#include <gtest/gtest.h>
#include <qoros/qorget.h>
#include <string>

namespace qor::test {

class QorgetTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Source i answers "/pkg/<i>/<name>/<version>", "/search/<i>?q=<query>"
    // and "/speed/<i>" on server, under its usual name.
    void use_local_sources(const loopback_http_server& server);
    // Every speed test then measures exactly 100 ms.
    static void use_fixed_step_clock();
    // Stalls are given up after about a second instead of 15.
    static void use_short_stall_limit();

  private:
    std::array<std::string, 3 * QORGET_SOURCE_COUNT> texts_;
    std::array<qorget_source, QORGET_SOURCE_COUNT> rows_{};
};

} // namespace qor::test
