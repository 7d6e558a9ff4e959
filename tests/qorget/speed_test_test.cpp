// Speed tests and the choice of the fastest source, against loopback servers.
#include "qorget_fixture.h"

namespace qor::test {
namespace {

// Every source on one local server, measured by a clock that reads 100 ms
// per request.
struct SpeedTest : QorgetTest {
    void SetUp() override {
        QorgetTest::SetUp();
        use_local_sources(server);
        use_fixed_step_clock();
    }
    // Source i serves a speed-test resource of kib[i] KiB (0: a 404 page).
    void serve_speed_resources(const std::array<double, 7>& kib) {
        for (int i = 0; i < 7; ++i)
            server.route("/speed/" + std::to_string(i),
                         {.status = kib[i] == 0 ? 404 : 200,
                          .pattern_length = static_cast<uint64_t>(kib[i] * 1024)});
    }
    loopback_http_server server;
};

TEST_F(SpeedTest, MeasuresWholeKibPerSecondWithTheProbeAgent) {
    server.route("/speed/1", {.pattern_length = 4 * 1024 + 1023});
    EXPECT_EQ(qorget_source_speed_test(1), 40u);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, "/speed/1");
    EXPECT_EQ(server.requests()[0].user_agent, "Qorget/6.0");
}

TEST_F(SpeedTest, RealClockMeasuresAPausedAnswer) {
    qorget::replace_clock_for_tests(nullptr);
    server.route("/speed/2", {.pattern_length = 64 * 1024, .delay_ms = 50});
    // At least 50 ms pass, so 64 KiB measure between 1 and 1280 KiB/s.
    const uint32_t speed = qorget_source_speed_test(2);
    EXPECT_GT(speed, 0u);
    EXPECT_LE(speed, 1280u);
}

// Below 1 KiB, an error page however large, a stall, a reset, an unknown id.
TEST_F(SpeedTest, SmallOrFailedAnswersMeasureZero) {
    use_short_stall_limit();
    server.route("/speed/0", {.pattern_length = 1023});
    server.route("/speed/1", {.pattern_length = 0});
    server.route("/speed/2", {.status = 500, .pattern_length = 64 * 1024});
    server.route("/speed/3", {.pattern_length = 64 * 1024, .stall_after = 100});
    server.route("/speed/4", {.pattern_length = 64 * 1024, .reset_after = 8 * 1024});
    for (int32_t id : {0, 1, 2, 3, 4, 7, -1})
        EXPECT_EQ(qorget_source_speed_test(id), 0u) << id;
    {
        loopback_http_server gone;
        use_local_sources(gone);
    }
    EXPECT_EQ(qorget_source_speed_test(3), 0u) << "unreachable";
}

TEST_F(SpeedTest, FastestSourceTestsAllSevenAndKeepsTheStrictlyFastest) {
    serve_speed_resources({2, 8, 4, 32, 0, 16, 1});
    EXPECT_EQ(qorget_find_fastest_source(), 3);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 7u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(requests[i].target, "/speed/" + std::to_string(i));
    serve_speed_resources({2, 4, 16, 8, 16, 0, 16});
    EXPECT_EQ(qorget_find_fastest_source(), 2) << "ties go to the lower id";
    serve_speed_resources({0, 0.5, 0, 0.9, 0, 0, 0});
    EXPECT_EQ(qorget_find_fastest_source(), 0) << "all zero gives GitHub";
}

TEST_F(SpeedTest, DownloadByNameWithSourceSevenUsesTheFastestOrGitHub) {
    server.route("/pkg/4/firefox/latest", {.body = "package from Winget"});
    server.route("/pkg/0/firefox/latest", {.body = "package from GitHub"});
    const auto dest = fresh_folder() / "firefox.qpa";
    serve_speed_resources({1, 2, 3, 4, 8, 2, 1});
    EXPECT_EQ(qorget_download("firefox", dest.c_str(), QORGET_SOURCE_FASTEST), QOR_OK);
    EXPECT_EQ(read_bytes(dest), "package from Winget");
    EXPECT_EQ(server.requests().size(), 8u);
    serve_speed_resources({0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(qorget_download("firefox", dest.c_str(), QORGET_SOURCE_FASTEST), QOR_OK);
    EXPECT_EQ(read_bytes(dest), "package from GitHub");
}

} // namespace
} // namespace qor::test
