// Downloads into files: bodies, progress, names and URLs, and every way a
// transfer can fail without harming what the destination held before.
#include "qorget_fixture.h"

#include <chrono>
#include <sys/stat.h>
#include <thread>

namespace qor::test {
namespace {

using Download = QorgetTest;
using names = std::vector<std::string>;
namespace fs = std::filesystem;

// A destination that already holds a user's file.
fs::path existing_file(const fs::path& folder) {
    const auto path = folder / "keep.qpa";
    write_bytes(path, "the old package");
    return path;
}

TEST_F(Download, BodiesWithAndWithoutLengthReplaceTheFile) {
    loopback_http_server server;
    const struct {
        uint64_t length;
        bool send_length;
    } cases[] = {{1000, true}, {300 * 1024, false}, {0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.length) + (c.send_length ? " announced" : " unannounced"));
        server.route("/file", {.pattern_length = c.length, .send_length = c.send_length});
        const auto folder = fresh_folder();
        const auto dest = existing_file(folder);
        EXPECT_EQ(qorget_download(server.url("/file").c_str(), dest.c_str(), 0), QOR_OK);
        EXPECT_EQ(read_bytes(dest), pattern_bytes(c.length));
        EXPECT_EQ(qorget_get_progress(), 100u);
        EXPECT_EQ(qorget::g_total_bytes, c.send_length ? c.length : 0u);
        EXPECT_EQ(qorget::g_downloaded_bytes, c.length);
        EXPECT_EQ(folder_names(folder), names{"keep.qpa"});
    }
    EXPECT_EQ(server.requests().at(0).user_agent, "Qorget/6.0 (Windows; QorOS v6.0)");
}

TEST_F(Download, ProgressReadsFortyAfterFourHundredOfAThousandBytes) {
    loopback_http_server server;
    server.route("/held", {.pattern_length = 1000, .hold_after = 400});
    const auto dest = fresh_folder() / "out.bin";
    int result = 1;
    std::thread downloader(
        [&] { result = qorget_download(server.url("/held").c_str(), dest.c_str(), 0); });
    // The server holds the rest back until released, so the figure cannot
    // move past 400 bytes while it is read.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (qorget::g_downloaded_bytes < 400 && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(qorget::g_downloaded_bytes, 400u);
    EXPECT_EQ(qorget::g_total_bytes, 1000u);
    EXPECT_EQ(qorget_get_progress(), 40u);
    server.release_holds();
    downloader.join();
    EXPECT_EQ(result, QOR_OK);
    EXPECT_EQ(qorget_get_progress(), 100u);
    EXPECT_EQ(read_bytes(dest), pattern_bytes(1000));
}

TEST_F(Download, NamesGoThroughTheChosenSourceAndOnlyLowerCaseSchemesMakeAUrl) {
    loopback_http_server server;
    use_local_sources(server);
    server.route("/pkg/2/firefox/latest", {.body = "tsinghua package"});
    const auto dest = fresh_folder() / "out.bin";
    EXPECT_EQ(qorget_download("firefox", dest.c_str(), 2), QOR_OK);
    EXPECT_EQ(read_bytes(dest), "tsinghua package");
    fs::remove(dest);

    const std::string upper = "HTTP" + server.url("/file").substr(4);
    // Treated as a package name: encoded into source 1's package path.
    EXPECT_EQ(qorget_download(upper.c_str(), dest.c_str(), 1), QOR_ERR_NETWORK);
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[1].target.rfind("/pkg/1/HTTP%3A%2F%2F127.0.0.1%3A", 0), 0u);
    EXPECT_EQ(qorget_download("Https://example.com/x", dest.c_str(), 9), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qorget_download("firefox", dest.c_str(), -1), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qorget_download("firefox", nullptr, 0), QOR_ERR_INVALID_ARG);
    EXPECT_FALSE(fs::exists(dest));
}

TEST_F(Download, RedirectsAreFollowedOverHttpOnly) {
    loopback_http_server server;
    server.route("/moved", {.status = 302, .location = server.url("/final")});
    server.route("/final", {.body = "after the redirect"});
    const auto folder = fresh_folder();
    const auto dest = folder / "out.bin";
    EXPECT_EQ(qorget_download(server.url("/moved").c_str(), dest.c_str(), 0), QOR_OK);
    EXPECT_EQ(read_bytes(dest), "after the redirect");

    // A redirect to a local file is not followed.
    write_bytes(folder / "secret", "local secret");
    server.route("/to-file", {.status = 302, .location = "file://" + (folder / "secret").string()});
    const auto other = folder / "other.bin";
    EXPECT_EQ(qorget_download(server.url("/to-file").c_str(), other.c_str(), 0), QOR_ERR_NETWORK);
    EXPECT_FALSE(fs::exists(other));
}

// An error page, a reset, a body shorter than announced, a stall and a server
// that is gone: each fails as a network error and leaves the old file alone.
TEST_F(Download, FailedTransfersKeepTheOldFile) {
    use_short_stall_limit();
    loopback_http_server server;
    server.route("/missing", {.status = 404, .body = "<html>404 page</html>"});
    server.route("/broken", {.pattern_length = 256 * 1024, .reset_after = 100 * 1024});
    server.route("/short", {.pattern_length = 600, .announced_length = 1000});
    server.route("/stall", {.pattern_length = 64 * 1024, .stall_after = 100});
    std::string gone_url;
    {
        loopback_http_server gone;
        gone_url = gone.url("/file");
    }
    for (const auto& url : {server.url("/missing"), server.url("/broken"), server.url("/short"),
                            server.url("/stall"), gone_url}) {
        SCOPED_TRACE(url);
        const auto folder = fresh_folder();
        const auto dest = existing_file(folder);
        EXPECT_EQ(qorget_download(url.c_str(), dest.c_str(), 0), QOR_ERR_NETWORK);
        EXPECT_EQ(read_bytes(dest), "the old package");
        EXPECT_EQ(qorget_download(url.c_str(), (folder / "new.qpa").c_str(), 0), QOR_ERR_NETWORK);
        EXPECT_EQ(folder_names(folder), names{"keep.qpa"});
    }
    qorget_download(server.url("/short").c_str(), (fresh_folder() / "x").c_str(), 0);
    EXPECT_EQ(qorget_get_progress(), 60u) << "600 of the 1000 bytes announced";
}

TEST_F(Download, DestinationThatCannotBeCreatedIsAnIoFailure) {
    loopback_http_server server;
    server.route("/file", {.body = "content"});
    const auto folder = fresh_folder();
    const auto missing = folder / "no-such-folder" / "out.bin";
    EXPECT_EQ(qorget_download(server.url("/file").c_str(), missing.c_str(), 0), QOR_ERR_IO);
    // A folder in the destination's place stays a folder.
    fs::create_directory(folder / "taken");
    write_bytes(folder / "taken" / "inside", "kept");
    const auto taken = folder / "taken";
    EXPECT_EQ(qorget_download(server.url("/file").c_str(), taken.c_str(), 0), QOR_ERR_IO);
    EXPECT_EQ(read_bytes(folder / "taken" / "inside"), "kept");
    // So do a FIFO and a link to a device: only files are replaced.
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", folder / "null");
    for (const char* name : {"fifo", "null"})
        EXPECT_EQ(qorget_download(server.url("/file").c_str(), (folder / name).c_str(), 0),
                  QOR_ERR_IO)
            << name;
    EXPECT_TRUE(fs::is_fifo(folder / "fifo"));
    EXPECT_TRUE(fs::is_symlink(folder / "null"));
    EXPECT_EQ(folder_names(folder), (names{"fifo", "null", "taken"}));

    // A finished file gets ordinary permissions: 0666 less the umask.
    const mode_t previous = umask(027);
    const auto dest = folder / "out.bin";
    const int result = qorget_download(server.url("/file").c_str(), dest.c_str(), 0);
    umask(previous);
    EXPECT_EQ(result, QOR_OK);
    EXPECT_EQ(fs::status(dest).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

} // namespace
} // namespace qor::test
