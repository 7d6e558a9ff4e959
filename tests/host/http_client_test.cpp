// The host HTTP client against a server outside the process, whose address
// comes from QOR_TEST_HTTP_BASE ("http://127.0.0.1:<port>"). The Windows
// build runs this from scripts/windows-programs.sh with the loopback server
// program (qor_test_http_server), so WinINet is exercised under Wine; the
// Linux client has its own in-process server tests.
#include "host/host_http.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

struct answer {
    int responses = 0;
    qor::host::http_response response;
    std::string body;
    qor::host::http_outcome outcome = qor::host::http_outcome::failed;
};

answer get(const std::string& target, size_t stop_after = std::string::npos) {
    const char* base = std::getenv("QOR_TEST_HTTP_BASE");
    answer a;
    if (!base) {
        ADD_FAILURE() << "QOR_TEST_HTTP_BASE is not set";
        return a;
    }
    struct context {
        answer* a;
        size_t stop_after;
    } c{&a, stop_after};
    qor::host::http_sink sink;
    sink.context = &c;
    sink.on_response = [](void* p, const qor::host::http_response& r) {
        auto* got = static_cast<context*>(p);
        ++got->a->responses;
        got->a->response = r;
        return true;
    };
    sink.on_body = [](void* p, const void* data, size_t size) {
        auto* got = static_cast<context*>(p);
        got->a->body.append(static_cast<const char*>(data), size);
        return got->a->body.size() < got->stop_after;
    };
    qor::host::http_client* client = qor::host::http_open("Qorget/6.0");
    if (!client) {
        ADD_FAILURE() << "no client";
        return a;
    }
    a.outcome = qor::host::http_get(client, (base + target).c_str(), sink);
    qor::host::http_close(client);
    return a;
}

using qor::host::http_outcome;

TEST(HostHttp, WholeBodyWithStatusAndLength) {
    const answer a = get("/bytes/300000");
    EXPECT_EQ(a.outcome, http_outcome::complete);
    EXPECT_EQ(a.responses, 1);
    EXPECT_EQ(a.response.status, 200);
    EXPECT_TRUE(a.response.has_length);
    EXPECT_EQ(a.response.content_length, 300000u);
    ASSERT_EQ(a.body.size(), 300000u);
    for (size_t i = 0; i < a.body.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(a.body[i]), (i * 7 + 3) % 256) << i;
}

TEST(HostHttp, ErrorStatusAndEmptyBodyStillReachTheSink) {
    const answer missing = get("/status/404");
    EXPECT_EQ(missing.outcome, http_outcome::complete);
    EXPECT_EQ(missing.response.status, 404);
    const answer empty = get("/bytes/0");
    EXPECT_EQ(empty.outcome, http_outcome::complete);
    EXPECT_EQ(empty.responses, 1) << "the answer is announced also without a body";
    EXPECT_EQ(empty.response.content_length, 0u);
}

TEST(HostHttp, RedirectsAreFollowedToTheFinalAnswer) {
    const answer a = get("/redirect/bytes/1000");
    EXPECT_EQ(a.outcome, http_outcome::complete);
    EXPECT_EQ(a.response.status, 200);
    EXPECT_EQ(a.body.size(), 1000u);
}

TEST(HostHttp, ShortBodyFailsAndSinkCanStop) {
    EXPECT_EQ(get("/short/5000").outcome, http_outcome::failed)
        << "a body shorter than its Content-Length is a failed transfer";
    EXPECT_EQ(get("/bytes/300000", 1).outcome, http_outcome::stopped_by_sink);
}

TEST(HostHttp, OnlyHttpAndHttpsAreSpoken) {
    qor::host::http_client* client = qor::host::http_open("Qorget/6.0");
    ASSERT_NE(client, nullptr);
    qor::host::http_sink sink;
    EXPECT_EQ(qor::host::http_get(client, "ftp://127.0.0.1/file", sink), http_outcome::failed);
    EXPECT_EQ(qor::host::http_get(client, "file:///etc/hosts", sink), http_outcome::failed);
    EXPECT_EQ(qor::host::http_get(client, "http://127.0.0.1:1/", sink), http_outcome::failed);
    qor::host::http_close(client);
}

} // namespace
