// HTTPS against a loopback TLS server whose throw-away certificate authority
// the test makes with the openssl tool and hands to the client.
#include "qorget_fixture.h"

#include <cstdlib>
#include <fstream>

namespace qor::test {
namespace {

class Https : public QorgetTest {
  protected:
    void SetUp() override {
        QorgetTest::SetUp();
        const std::string key = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
        std::ofstream(folder_ / "server.ext") << "subjectAltName=IP:127.0.0.1\n"
                                                 "basicConstraints=CA:FALSE\n"
                                                 "extendedKeyUsage=serverAuth\n";
        ASSERT_TRUE(openssl("req -x509 " + key +
                            " -keyout ca.key -out ca.pem -days 2 -subj '/CN=QorOS Test CA'"
                            " -addext basicConstraints=critical,CA:TRUE"
                            " -addext keyUsage=critical,keyCertSign,cRLSign"));
        ASSERT_TRUE(
            openssl("req " + key + " -keyout server.key -out server.csr -subj '/CN=127.0.0.1'"));
        ASSERT_TRUE(openssl("x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial"
                            " -out server.pem -days 2 -extfile server.ext"));
    }
    // Its output goes to openssl.log in the certificates' folder.
    bool openssl(const std::string& arguments) {
        const std::string command =
            "cd '" + folder_.string() + "' && openssl " + arguments + " >>openssl.log 2>&1";
        return std::system(command.c_str()) == 0;
    }
    void trust_test_authority() {
        host::http_transport_settings settings;
        settings.ca_bundle_path = authority_.c_str();
        host::http_set_transport_settings(&settings);
    }
    std::filesystem::path folder_ = fresh_folder("ca");
    std::string authority_ = (folder_ / "ca.pem").string();
    tls_identity identity_{(folder_ / "server.pem").string(), (folder_ / "server.key").string()};
};

TEST_F(Https, DownloadsOnlyFromAServerSignedByATrustedAuthority) {
    loopback_http_server server(&identity_);
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
    loopback_http_server server(&identity_);
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
