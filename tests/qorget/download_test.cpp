// Downloads into files: bodies, progress, names and URLs, and every way a
// transfer can fail without harming what the destination held before.
#include "qorget_fixture.h"

#include <chrono>
#include <sys/stat.h>
#include <thread>

namespace qor::test {
namespace {

using Download = QorgetTest;
namespace fs = std::filesystem;

http_route body_of(const std::string& body) {
    http_route route;
    route.body = body;
    return route;
}

http_route pattern_of(uint64_t bytes) {
    http_route route;
    route.pattern_length = bytes;
    return route;
}

// A destination that already holds a user's file.
fs::path existing_file(const fs::path& folder) {
    const auto path = folder / "keep.qpa";
    write_bytes(path, "the old package");
    return path;
}

TEST_F(Download, BodyWithLengthBecomesTheFile) {
    loopback_http_server server;
    server.route("/file", pattern_of(1000));
    const auto folder = fresh_folder();
    const auto dest = folder / "out.bin";
    EXPECT_EQ(qorget_download(server.url("/file").c_str(), dest.c_str(), 0), QOR_OK);
    EXPECT_EQ(read_bytes(dest), pattern_bytes(1000));
    EXPECT_EQ(qorget_get_progress(), 100u);
    EXPECT_EQ(qorget::g_total_bytes, 1000u);
    EXPECT_EQ(qorget::g_downloaded_bytes, 1000u);
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{"out.bin"});
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].user_agent, "Qorget/6.0 (Windows; QorOS v6.0)");
}

TEST_F(Download, BodyWithoutLengthEndsAtOneHundredPercent) {
    loopback_http_server server;
    http_route route = pattern_of(300 * 1024);
    route.send_length = false;
    server.route("/file", route);
    const auto dest = fresh_folder() / "out.bin";
    EXPECT_EQ(qorget_download(server.url("/file").c_str(), dest.c_str(), 0), QOR_OK);
    EXPECT_EQ(read_bytes(dest), pattern_bytes(300 * 1024));
    EXPECT_EQ(qorget::g_total_bytes, 0u);
    EXPECT_EQ(qorget::g_downloaded_bytes, 300u * 1024);
    EXPECT_EQ(qorget_get_progress(), 100u);
}

TEST_F(Download, EmptyBodyGivesAnEmptyFile) {
    loopback_http_server server;
    server.route("/empty", body_of(""));
    const auto dest = existing_file(fresh_folder());
    EXPECT_EQ(qorget_download(server.url("/empty").c_str(), dest.c_str(), 0), QOR_OK);
    EXPECT_TRUE(fs::exists(dest));
    EXPECT_EQ(fs::file_size(dest), 0u);
}

TEST_F(Download, ProgressReadsFortyAfterFourHundredOfAThousandBytes) {
    loopback_http_server server;
    http_route route = pattern_of(1000);
    route.hold_after = 400;
    server.route("/held", route);
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

TEST_F(Download, BareNameGoesThroughTheChosenSource) {
    loopback_http_server server;
    use_local_sources(server);
    server.route("/pkg/2/firefox/latest", body_of("tsinghua package"));
    const auto dest = fresh_folder() / "firefox.qpa";
    EXPECT_EQ(qorget_download("firefox", dest.c_str(), 2), QOR_OK);
    EXPECT_EQ(read_bytes(dest), "tsinghua package");
}

TEST_F(Download, OnlyLowerCaseSchemesMakeAUrl) {
    loopback_http_server server;
    use_local_sources(server);
    const auto dest = fresh_folder() / "out.bin";
    const std::string upper = "HTTP" + server.url("/file").substr(4);
    // Treated as a package name: encoded into source 1's package path.
    EXPECT_EQ(qorget_download(upper.c_str(), dest.c_str(), 1), QOR_ERR_NETWORK);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target.rfind("/pkg/1/HTTP%3A%2F%2F127.0.0.1%3A", 0), 0u);
    EXPECT_EQ(qorget_download("Https://example.com/x", dest.c_str(), 9), QOR_ERR_NOT_FOUND);
    EXPECT_FALSE(fs::exists(dest));
}

TEST_F(Download, ArgumentsAndIdsAreChecked) {
    const auto dest = fresh_folder() / "out.bin";
    EXPECT_EQ(qorget_download(nullptr, dest.c_str(), 0), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qorget_download("firefox", nullptr, 0), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qorget_download("firefox", dest.c_str(), 8), QOR_ERR_NOT_FOUND);
    EXPECT_EQ(qorget_download("firefox", dest.c_str(), -1), QOR_ERR_NOT_FOUND);
    EXPECT_FALSE(fs::exists(dest));
}

TEST_F(Download, RedirectsAreFollowedOverHttpOnly) {
    loopback_http_server server;
    http_route moved;
    moved.status = 302;
    moved.location = server.url("/final");
    server.route("/moved", moved);
    server.route("/final", body_of("after the redirect"));
    const auto folder = fresh_folder();
    const auto dest = folder / "out.bin";
    EXPECT_EQ(qorget_download(server.url("/moved").c_str(), dest.c_str(), 0), QOR_OK);
    EXPECT_EQ(read_bytes(dest), "after the redirect");

    // A redirect to a local file is not followed.
    write_bytes(folder / "secret", "local secret");
    moved.location = "file://" + (folder / "secret").string();
    server.route("/to-file", moved);
    const auto other = folder / "other.bin";
    EXPECT_EQ(qorget_download(server.url("/to-file").c_str(), other.c_str(), 0), QOR_ERR_NETWORK);
    EXPECT_FALSE(fs::exists(other));
}

TEST_F(Download, ErrorStatusWritesNothing) {
    loopback_http_server server;
    http_route missing = body_of("<html>404 page</html>");
    missing.status = 404;
    server.route("/missing", missing);
    const auto folder = fresh_folder();
    const auto dest = existing_file(folder);
    EXPECT_EQ(qorget_download(server.url("/missing").c_str(), dest.c_str(), 0), QOR_ERR_NETWORK);
    EXPECT_EQ(read_bytes(dest), "the old package");
    const auto fresh = folder / "new.qpa";
    EXPECT_EQ(qorget_download(server.url("/missing").c_str(), fresh.c_str(), 0), QOR_ERR_NETWORK);
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{"keep.qpa"});
}

TEST_F(Download, InterruptedTransferKeepsTheOldFile) {
    loopback_http_server server;
    http_route route = pattern_of(256 * 1024);
    route.reset_after = 100 * 1024;
    server.route("/broken", route);
    const auto folder = fresh_folder();
    const auto dest = existing_file(folder);
    EXPECT_EQ(qorget_download(server.url("/broken").c_str(), dest.c_str(), 0), QOR_ERR_NETWORK);
    EXPECT_EQ(read_bytes(dest), "the old package");
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{"keep.qpa"});
}

TEST_F(Download, BodyShorterThanAnnouncedFails) {
    loopback_http_server server;
    http_route route = pattern_of(600);
    route.announced_length = 1000;
    server.route("/short", route);
    const auto folder = fresh_folder();
    const auto dest = existing_file(folder);
    EXPECT_EQ(qorget_download(server.url("/short").c_str(), dest.c_str(), 0), QOR_ERR_NETWORK);
    EXPECT_EQ(read_bytes(dest), "the old package");
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{"keep.qpa"});
    EXPECT_EQ(qorget_get_progress(), 60u);
}

TEST_F(Download, StalledServerIsGivenUp) {
    use_short_stall_limit();
    loopback_http_server server;
    http_route route = pattern_of(64 * 1024);
    route.stall_after = 100;
    server.route("/stall", route);
    const auto folder = fresh_folder();
    const auto dest = existing_file(folder);
    EXPECT_EQ(qorget_download(server.url("/stall").c_str(), dest.c_str(), 0), QOR_ERR_NETWORK);
    EXPECT_EQ(read_bytes(dest), "the old package");
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{"keep.qpa"});
}

TEST_F(Download, UnreachableServerFailsAsNetwork) {
    std::string url;
    {
        loopback_http_server gone;
        url = gone.url("/file");
    }
    const auto folder = fresh_folder();
    const auto dest = existing_file(folder);
    EXPECT_EQ(qorget_download(url.c_str(), dest.c_str(), 0), QOR_ERR_NETWORK);
    EXPECT_EQ(read_bytes(dest), "the old package");
}

TEST_F(Download, DestinationThatCannotBeCreatedIsAnIoFailure) {
    loopback_http_server server;
    server.route("/file", body_of("content"));
    const auto folder = fresh_folder();
    const auto missing = folder / "no-such-folder" / "out.bin";
    EXPECT_EQ(qorget_download(server.url("/file").c_str(), missing.c_str(), 0), QOR_ERR_IO);
    // A folder in the destination's place stays a folder.
    fs::create_directory(folder / "taken");
    write_bytes(folder / "taken" / "inside", "kept");
    const auto taken = folder / "taken";
    EXPECT_EQ(qorget_download(server.url("/file").c_str(), taken.c_str(), 0), QOR_ERR_IO);
    EXPECT_EQ(read_bytes(folder / "taken" / "inside"), "kept");
    EXPECT_EQ(folder_names(folder), std::vector<std::string>{"taken"});
}

TEST_F(Download, FinishedFileGetsOrdinaryPermissions) {
    loopback_http_server server;
    server.route("/file", body_of("content"));
    const auto folder = fresh_folder();
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
