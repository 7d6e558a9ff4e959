// The built-in source table and the URLs built from it (text only, no network).
#include <cstring>
#include <gtest/gtest.h>
#include <qoros/qorget.h>
#include <string>

namespace {

std::string package_url(int32_t id, const char* name, const char* version = nullptr) {
    char url[2048];
    EXPECT_EQ(qorget_build_package_url(id, name, version, url, sizeof url), QOR_OK);
    return url;
}

std::string search_url(int32_t id, const char* query) {
    char url[2048];
    EXPECT_EQ(qorget_build_search_url(id, query, url, sizeof url), QOR_OK);
    return url;
}

TEST(SourceTable, SevenNamedRowsAndUnknownIdsOutside) {
    EXPECT_EQ(qorget_source_count(), 7u);
    const char* names[] = {"GitHub", "Aliyun", "Tsinghua", "Taobao", "Winget", "Bing", "Google"};
    for (uint32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(qorget_source_at(i), static_cast<int32_t>(i));
        EXPECT_STREQ(qorget_source_name(static_cast<int32_t>(i)), names[i]);
    }
    EXPECT_EQ(qorget_source_at(9), 0);
    EXPECT_EQ(qorget_source_at(7), 0);
    char url[64] = "untouched";
    for (const int32_t id : {7, -1}) {
        EXPECT_STREQ(qorget_source_name(id), "Unknown");
        EXPECT_EQ(qorget_source_base_url(id), nullptr);
        EXPECT_EQ(qorget_build_package_url(id, "firefox", nullptr, url, sizeof url),
                  QOR_ERR_NOT_FOUND);
        EXPECT_EQ(qorget_build_search_url(id, "firefox", url, sizeof url), QOR_ERR_NOT_FOUND);
    }
}

TEST(Urls, FollowEachSourcesTemplate) {
    EXPECT_EQ(package_url(0, "firefox"),
              "https://github.com/firefox/releases/download/latest/firefox");
    EXPECT_EQ(package_url(1, "firefox", "2.0"),
              "https://mirrors.aliyun.com/qoros/packages/firefox/2.0");
    EXPECT_EQ(package_url(2, "firefox"),
              "https://mirrors.tuna.tsinghua.edu.cn/qoros/packages/firefox/latest");
    EXPECT_EQ(package_url(3, "vlc", "3.0"), "https://npmmirror.com/qoros/packages/vlc/3.0");
    EXPECT_EQ(package_url(4, "firefox"),
              "https://cdn.winget.microsoft.com/cache/source/firefox/latest");
    EXPECT_EQ(package_url(5, "firefox", "9.9"), "https://www.bing.com/search?q=qoros+firefox");
    EXPECT_EQ(package_url(6, "firefox"), "https://www.google.com/search?q=qoros+firefox");
    EXPECT_EQ(search_url(0, "firefox"), "https://api.github.com/search/repositories?q=firefox");
    EXPECT_EQ(search_url(1, "firefox"), "https://mirrors.aliyun.com/qoros/search?q=firefox");
    EXPECT_EQ(search_url(4, "firefox"),
              "https://store.rg-adguard.net/api/GetFiles?type=url&url=firefox");
    EXPECT_EQ(search_url(6, "firefox"), "https://www.google.com/search?q=firefox");
}

TEST(Urls, AreCutToTheBufferAndStillSucceed) {
    char url[16];
    std::memset(url, 'x', sizeof url);
    EXPECT_EQ(qorget_build_package_url(0, "firefox", nullptr, url, sizeof url), QOR_OK);
    EXPECT_STREQ(url, "https://github.");
    EXPECT_EQ(qorget_build_search_url(0, "firefox", url, sizeof url), QOR_OK);
    EXPECT_STREQ(url, "https://api.git");
    char one[1] = {'x'};
    EXPECT_EQ(qorget_build_package_url(0, "firefox", nullptr, one, sizeof one), QOR_OK);
    EXPECT_EQ(one[0], '\0');
    EXPECT_EQ(qorget_build_package_url(0, "firefox", nullptr, url, 0), QOR_ERR_INVALID_ARG);
    // An argument check comes before the id check.
    EXPECT_EQ(qorget_build_package_url(7, nullptr, nullptr, url, sizeof url), QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qorget_build_search_url(0, nullptr, url, sizeof url), QOR_ERR_INVALID_ARG);
}

TEST(Urls, NamesVersionsAndQueriesCannotAddPathsOrParameters) {
    EXPECT_EQ(package_url(1, "../../etc", "1.0/../x"),
              "https://mirrors.aliyun.com/qoros/packages/..%2F..%2Fetc/1.0%2F..%2Fx");
    EXPECT_EQ(package_url(5, "a&b=c d"), "https://www.bing.com/search?q=qoros+a%26b%3Dc%20d");
    EXPECT_EQ(search_url(0, "x&sort=stars#top"),
              "https://api.github.com/search/repositories?q=x%26sort%3Dstars%23top");
    EXPECT_EQ(search_url(1, "\xE7\x81\xAB\xE7\x8B\x90%"),
              "https://mirrors.aliyun.com/qoros/search?q=%E7%81%AB%E7%8B%90%25");
    // Plain names pass unchanged.
    EXPECT_EQ(package_url(2, "vlc-3.0_beta~1", "2.0"),
              "https://mirrors.tuna.tsinghua.edu.cn/qoros/packages/vlc-3.0_beta~1/2.0");
}

} // namespace
