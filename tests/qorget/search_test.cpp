// Searches: one request to GitHub's search, one line per source.
#include "qorget_fixture.h"

#include <cstdlib>

namespace qor::test {
namespace {

using Search = QorgetTest;

struct search_lines {
    char* slots[10] = {};
    uint32_t count = 99;
    ~search_lines() {
        for (char* line : slots)
            std::free(line);
    }
};

void serve_search(loopback_http_server& server, const std::string& target, uint64_t body_bytes) {
    http_route route;
    route.pattern_length = body_bytes;
    server.route(target, route);
}

TEST_F(Search, CapacityThreeGivesGitHubAliyunAndTsinghua) {
    loopback_http_server server;
    use_local_sources(server);
    serve_search(server, "/search/0?q=firefox", 100);
    search_lines result;
    EXPECT_EQ(qorget_search("firefox", result.slots, 3, &result.count), QOR_OK);
    ASSERT_EQ(result.count, 3u);
    EXPECT_STREQ(result.slots[0], "[GitHub] firefox - from GitHub mirror");
    EXPECT_STREQ(result.slots[1], "[Aliyun] firefox - from Aliyun mirror");
    EXPECT_STREQ(result.slots[2], "[Tsinghua] firefox - from Tsinghua mirror");
    EXPECT_EQ(result.slots[3], nullptr);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].user_agent, "Qorget/6.0");
}

TEST_F(Search, AtMostOneLinePerSource) {
    loopback_http_server server;
    use_local_sources(server);
    // Larger than the first response buffer, so it has to grow.
    serve_search(server, "/search/0?q=vlc", 300 * 1024);
    search_lines result;
    EXPECT_EQ(qorget_search("vlc", result.slots, 10, &result.count), QOR_OK);
    ASSERT_EQ(result.count, 7u);
    EXPECT_STREQ(result.slots[6], "[Google] vlc - from Google mirror");
    EXPECT_EQ(result.slots[7], nullptr);
    EXPECT_EQ(qorget_search("vlc", result.slots + 7, 0, &result.count), QOR_OK);
    EXPECT_EQ(result.count, 0u);
}

TEST_F(Search, QueryIsEncodedInTheRequestButShownAsTyped) {
    loopback_http_server server;
    use_local_sources(server);
    serve_search(server, "/search/0?q=a%20b%26page%3D2", 10);
    search_lines result;
    EXPECT_EQ(qorget_search("a b&page=2", result.slots, 1, &result.count), QOR_OK);
    ASSERT_EQ(result.count, 1u);
    EXPECT_STREQ(result.slots[0], "[GitHub] a b&page=2 - from GitHub mirror");
}

TEST_F(Search, LongLinesAreCutTo255Bytes) {
    loopback_http_server server;
    use_local_sources(server);
    const std::string query(400, 'q');
    serve_search(server, "/search/0?q=" + query, 10);
    search_lines result;
    EXPECT_EQ(qorget_search(query.c_str(), result.slots, 1, &result.count), QOR_OK);
    ASSERT_EQ(result.count, 1u);
    EXPECT_EQ(std::string(result.slots[0]), ("[GitHub] " + query).substr(0, 255));
}

TEST_F(Search, FailingRequestGivesNetworkErrorAndNoLines) {
    loopback_http_server server;
    use_local_sources(server);
    search_lines result;
    // No route: the server answers 404.
    EXPECT_EQ(qorget_search("firefox", result.slots, 3, &result.count), QOR_ERR_NETWORK);
    EXPECT_EQ(result.count, 0u);
    EXPECT_EQ(result.slots[0], nullptr);
    http_route stalled;
    stalled.pattern_length = 1000;
    stalled.stall_after = 10;
    server.route("/search/0?q=firefox", stalled);
    use_short_stall_limit();
    result.count = 99;
    EXPECT_EQ(qorget_search("firefox", result.slots, 3, &result.count), QOR_ERR_NETWORK);
    EXPECT_EQ(result.count, 0u);
}

TEST_F(Search, MissingArgumentsAreRefused) {
    search_lines result;
    EXPECT_EQ(qorget_search(nullptr, result.slots, 3, &result.count), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qorget_search("q", nullptr, 3, &result.count), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qorget_search("q", result.slots, 3, nullptr), QOR_ERR_INVALID_ARG);
}

} // namespace
} // namespace qor::test
