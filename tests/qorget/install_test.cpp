// Installing a package by name into the host temporary folder.
#include "qorget_fixture.h"

#include "host/host_fs.h"
#include "host/host_private_folders.h"

namespace qor::test {
namespace {

using Install = QorgetTest;
namespace fs = std::filesystem;

TEST_F(Install, SavesNameDotQpaInTheTemporaryFolderOrPassesOnTheFailure) {
    loopback_http_server server;
    use_local_sources(server);
    server.route("/pkg/1/firefox/latest", {.body = "firefox package"});
    EXPECT_EQ(qorget_install("firefox", 1), QOR_OK);
    const fs::path saved = host::temp_folder() + "firefox.qpa";
    EXPECT_EQ(read_bytes(saved), "firefox package");
    fs::remove(saved);
    EXPECT_EQ(qorget_install("absent", 3), QOR_ERR_NETWORK);
    EXPECT_FALSE(fs::exists(host::temp_folder() + "absent.qpa"));
    EXPECT_EQ(qorget_install("firefox", 7 + 1), QOR_ERR_NOT_FOUND);
}

TEST_F(Install, NamesThatWouldChangeThePathAreRefusedByInstallAndDownload) {
    loopback_http_server server;
    use_local_sources(server);
    const auto dest = fresh_folder() / "out.qpa";
    // Dot segments and the empty name would change the URL's path; the rest
    // are encoded into one segment, but as file names they could leave the
    // temporary folder.
    for (const char* name : {"..", ".", ""})
        EXPECT_EQ(qorget_download(name, dest.c_str(), 0), QOR_ERR_INVALID_ARG) << name;
    for (const char* name : {"../evil", "a/b", "..", ".", "x..y", "a\\b", ""})
        EXPECT_EQ(qorget_install(name, 0), QOR_ERR_INVALID_ARG) << name;
    const std::string long_name(300, 'n'); // no room for the installed file's path
    EXPECT_EQ(qorget_install(long_name.c_str(), 0), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qorget_install(nullptr, 0), QOR_ERR_INVALID_ARG);
    EXPECT_TRUE(server.requests().empty());
    EXPECT_FALSE(fs::exists(dest));
}

} // namespace
} // namespace qor::test
