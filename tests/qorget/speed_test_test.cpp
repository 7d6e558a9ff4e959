// Speed tests and the choice of the fastest source, against loopback servers.
#include "qorget_fixture.h"

namespace qor::test {
namespace {

using SpeedTest = QorgetTest;

http_route resource_of(uint64_t bytes) {
    http_route route;
    route.pattern_length = bytes;
    return route;
}

// Source i serves a speed-test resource of kib[i] KiB (0: a 404 page).
void serve_speed_resources(loopback_http_server& server, const std::array<double, 7>& kib) {
    for (int i = 0; i < 7; ++i) {
        http_route route = resource_of(static_cast<uint64_t>(kib[i] * 1024));
        if (kib[i] == 0) route.status = 404;
        server.route("/speed/" + std::to_string(i), route);
    }
}

TEST_F(SpeedTest, MeasuresWholeKibPerSecondWithTheProbeAgent) {
    loopback_http_server server;
    use_local_sources(server);
    use_fixed_step_clock();
    server.route("/speed/1", resource_of(4 * 1024 + 1023));
    EXPECT_EQ(qorget_source_speed_test(1), 40u);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, "/speed/1");
    EXPECT_EQ(server.requests()[0].user_agent, "Qorget/6.0");
}

TEST_F(SpeedTest, ResourceBelowOneKibMeasuresZero) {
    loopback_http_server server;
    use_local_sources(server);
    use_fixed_step_clock();
    server.route("/speed/0", resource_of(1023));
    EXPECT_EQ(qorget_source_speed_test(0), 0u);
    server.route("/speed/0", resource_of(0));
    EXPECT_EQ(qorget_source_speed_test(0), 0u);
}

TEST_F(SpeedTest, RealClockMeasuresAPausedAnswer) {
    loopback_http_server server;
    use_local_sources(server);
    http_route route = resource_of(64 * 1024);
    route.delay_ms = 50;
    server.route("/speed/2", route);
    // At least 50 ms pass, so 64 KiB measure between 1 and 1280 KiB/s.
    const uint32_t speed = qorget_source_speed_test(2);
    EXPECT_GT(speed, 0u);
    EXPECT_LE(speed, 1280u);
}

TEST_F(SpeedTest, FailedRequestsMeasureZero) {
    loopback_http_server server;
    use_local_sources(server);
    use_fixed_step_clock();
    use_short_stall_limit();
    // An error page is not the resource, however large.
    http_route error_page = resource_of(64 * 1024);
    error_page.status = 500;
    server.route("/speed/0", error_page);
    EXPECT_EQ(qorget_source_speed_test(0), 0u);
    // A source that stalls is given up and measures 0, whatever arrived.
    http_route stalled = resource_of(64 * 1024);
    stalled.stall_after = 100;
    server.route("/speed/1", stalled);
    EXPECT_EQ(qorget_source_speed_test(1), 0u);
    // So does one whose connection breaks.
    http_route broken = resource_of(64 * 1024);
    broken.reset_after = 8 * 1024;
    server.route("/speed/2", broken);
    EXPECT_EQ(qorget_source_speed_test(2), 0u);
    EXPECT_EQ(qorget_source_speed_test(7), 0u);
    EXPECT_EQ(qorget_source_speed_test(-1), 0u);
}

TEST_F(SpeedTest, UnreachableSourceMeasuresZero) {
    {
        loopback_http_server gone;
        use_local_sources(gone);
    }
    EXPECT_EQ(qorget_source_speed_test(3), 0u);
}

TEST_F(SpeedTest, FastestSourceTestsAllSevenAndKeepsTheStrictlyFastest) {
    loopback_http_server server;
    use_local_sources(server);
    use_fixed_step_clock();
    serve_speed_resources(server, {2, 8, 4, 32, 0, 16, 1});
    EXPECT_EQ(qorget_find_fastest_source(), 3);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 7u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(requests[i].target, "/speed/" + std::to_string(i));
}

TEST_F(SpeedTest, TiesGoToTheLowerIdAndAllZeroGivesGitHub) {
    loopback_http_server server;
    use_local_sources(server);
    use_fixed_step_clock();
    serve_speed_resources(server, {2, 4, 16, 8, 16, 0, 16});
    EXPECT_EQ(qorget_find_fastest_source(), 2);
    serve_speed_resources(server, {0, 0.5, 0, 0.9, 0, 0, 0});
    EXPECT_EQ(qorget_find_fastest_source(), 0);
}

TEST_F(SpeedTest, DownloadByNameWithSourceSevenUsesTheFastest) {
    loopback_http_server server;
    use_local_sources(server);
    use_fixed_step_clock();
    serve_speed_resources(server, {1, 2, 3, 4, 8, 2, 1});
    http_route package;
    package.body = "package from Winget";
    server.route("/pkg/4/firefox/latest", package);
    const auto dest = fresh_folder() / "firefox.qpa";
    EXPECT_EQ(qorget_download("firefox", dest.c_str(), QORGET_SOURCE_FASTEST), QOR_OK);
    EXPECT_EQ(read_bytes(dest), "package from Winget");
    EXPECT_EQ(server.requests().size(), 8u);
}

TEST_F(SpeedTest, DownloadWithSourceSevenFallsBackToGitHubWhenAllMeasureZero) {
    loopback_http_server server;
    use_local_sources(server);
    use_fixed_step_clock();
    serve_speed_resources(server, {0, 0, 0, 0, 0, 0, 0});
    http_route package;
    package.body = "package from GitHub";
    server.route("/pkg/0/firefox/latest", package);
    const auto dest = fresh_folder() / "firefox.qpa";
    EXPECT_EQ(qorget_download("firefox", dest.c_str(), QORGET_SOURCE_FASTEST), QOR_OK);
    EXPECT_EQ(read_bytes(dest), "package from GitHub");
}

} // namespace
} // namespace qor::test
