// HTTPS against a loopback TLS server whose certificate authority the test
// makes and hands to the client.
#include "qorget_fixture.h"

#include "support/test_certificates.h"

namespace qor::test {
namespace {

class Https : public QorgetTest {
  protected:
    void SetUp() override {
        QorgetTest::SetUp();
        ASSERT_TRUE(make_test_certificates(fresh_folder("ca"), &certificates_));
    }
    void trust_test_authority() {
        host::http_transport_settings settings;
        settings.ca_bundle_path = certificates_.authority_path.c_str();
        host::http_set_transport_settings(&settings);
    }
    test_certificates certificates_;
};

TEST_F(Https, DownloadsOnlyFromAServerSignedByATrustedAuthority) {
    loopback_http_server server(&certificates_.server);
    ASSERT_TRUE(server.running());
    server.route("/secure", {.pattern_length = 200 * 1024});
    const auto folder = fresh_folder();
    const auto dest = folder / "out.bin";
    // The system's store does not know the test authority.
    EXPECT_EQ(qorget_download(server.url("/secure").c_str(), dest.c_str(), 0), QOR_ERR_NETWORK);
    EXPECT_TRUE(folder_names(folder).empty());
    trust_test_authority();
    EXPECT_EQ(qorget_download(server.url("/secure").c_str(), dest.c_str(), 0), QOR_OK);
    EXPECT_EQ(read_bytes(dest), pattern_bytes(200 * 1024));
    EXPECT_EQ(qorget_get_progress(), 100u);
}

TEST_F(Https, SpeedTestsAndSearchesWorkOverTls) {
    loopback_http_server server(&certificates_.server);
    use_local_sources(server);
    use_fixed_step_clock();
    trust_test_authority();
    server.route("/speed/5", {.pattern_length = 3 * 1024});
    EXPECT_EQ(qorget_source_speed_test(5), 30u);
    server.route("/search/0?q=tls", {.pattern_length = 10});
    char* lines[1] = {};
    uint32_t count = 0;
    EXPECT_EQ(qorget_search("tls", lines, 1, &count), QOR_OK);
    ASSERT_EQ(count, 1u);
    EXPECT_STREQ(lines[0], "[GitHub] tls - from GitHub mirror");
    std::free(lines[0]);
}

} // namespace
} // namespace qor::test
