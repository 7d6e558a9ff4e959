// Searches: one request to GitHub's search, one line per source.
#include "qorget_fixture.h"

#include <cstdlib>

namespace qor::test {
namespace {

struct Search : QorgetTest {
    void SetUp() override {
        QorgetTest::SetUp();
        use_local_sources(server);
    }
    void TearDown() override {
        for (char*& line : slots) {
            std::free(line);
            line = nullptr;
        }
        QorgetTest::TearDown();
    }
    int search(const std::string& query, uint32_t capacity) {
        count = 99;
        return qorget_search(query.c_str(), slots, capacity, &count);
    }
    loopback_http_server server;
    char* slots[10] = {};
    uint32_t count = 99;
};

TEST_F(Search, CapacityThreeGivesGitHubAliyunAndTsinghua) {
    server.route("/search/0?q=firefox", {.pattern_length = 100});
    EXPECT_EQ(search("firefox", 3), QOR_OK);
    ASSERT_EQ(count, 3u);
    EXPECT_STREQ(slots[0], "[GitHub] firefox - from GitHub mirror");
    EXPECT_STREQ(slots[1], "[Aliyun] firefox - from Aliyun mirror");
    EXPECT_STREQ(slots[2], "[Tsinghua] firefox - from Tsinghua mirror");
    EXPECT_EQ(slots[3], nullptr);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].user_agent, "Qorget/6.0");
}

TEST_F(Search, AtMostOneLinePerSource) {
    // Larger than the first response buffer, so it has to grow.
    server.route("/search/0?q=vlc", {.pattern_length = 300 * 1024});
    EXPECT_EQ(search("vlc", 10), QOR_OK);
    ASSERT_EQ(count, 7u);
    EXPECT_STREQ(slots[6], "[Google] vlc - from Google mirror");
    EXPECT_EQ(slots[7], nullptr);
    EXPECT_EQ(qorget_search("vlc", slots + 7, 0, &count), QOR_OK);
    EXPECT_EQ(count, 0u);
}

TEST_F(Search, ReadsAtMostOneMebibyteOfTheAnswer) {
    // The answer stalls after 2 MiB: reading it all would wait for the stall
    // limit and fail; stopping at the cap gives the lines at once.
    server.route("/search/0?q=big", {.pattern_length = 64u << 20, .stall_after = 2u << 20});
    EXPECT_EQ(search("big", 2), QOR_OK);
    ASSERT_EQ(count, 2u);
    EXPECT_STREQ(slots[1], "[Aliyun] big - from Aliyun mirror");
}

TEST_F(Search, QueryIsEncodedInTheRequestShownAsTypedAndCutTo255Bytes) {
    server.route("/search/0?q=a%20b%26page%3D2", {.pattern_length = 10});
    EXPECT_EQ(search("a b&page=2", 1), QOR_OK);
    ASSERT_EQ(count, 1u);
    EXPECT_STREQ(slots[0], "[GitHub] a b&page=2 - from GitHub mirror");
    std::free(slots[0]);
    slots[0] = nullptr;

    const std::string query(400, 'q');
    server.route("/search/0?q=" + query, {.pattern_length = 10});
    EXPECT_EQ(search(query, 1), QOR_OK);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(std::string(slots[0]), ("[GitHub] " + query).substr(0, 255));
}

TEST_F(Search, FailingRequestGivesNetworkErrorAndNoLines) {
    // No route: the server answers 404.
    EXPECT_EQ(search("firefox", 3), QOR_ERR_NETWORK);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(slots[0], nullptr);
    server.route("/search/0?q=firefox", {.pattern_length = 1000, .stall_after = 10});
    use_short_stall_limit();
    EXPECT_EQ(search("firefox", 3), QOR_ERR_NETWORK);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(qorget_search("q", slots, 3, nullptr), QOR_ERR_INVALID_ARG);
}

} // namespace
} // namespace qor::test
