// The source table and the URLs built from it (text only, no network):
// properties every source keeps rather than a copy of the table.
#include "qorget/source_table.h"
#include "qorget/test_seams.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <qoros/qorget.h>
#include <random>
#include <set>
#include <string>

namespace {

std::string package_url(int32_t id, const char* name, const char* version = nullptr) {
    char url[4096];
    EXPECT_EQ(qorget_build_package_url(id, name, version, url, sizeof url), QOR_OK);
    return url;
}

std::string search_url(int32_t id, const std::string& query) {
    char url[4096];
    EXPECT_EQ(qorget_build_search_url(id, query.c_str(), url, sizeof url), QOR_OK);
    return url;
}

// Percent-encoding over RFC 3986's unreserved set, written out literally.
std::string reference_encoding(const std::string& text) {
    static const std::string unreserved =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
    std::string out;
    char escaped[4];
    for (const unsigned char c : text) {
        std::snprintf(escaped, sizeof escaped, "%%%02X", c);
        out += unreserved.find(static_cast<char>(c)) != std::string::npos ? std::string(1, c)
                                                                          : escaped;
    }
    return out;
}

TEST(SourceTable, EverySourceHasAUniqueNameAndHttpsUrlsUnknownIdsHaveNone) {
    std::set<std::string> names;
    for (uint32_t i = 0; i < qorget_source_count(); ++i) {
        const int32_t id = qorget_source_at(i);
        const std::string name = qorget_source_name(id), base = qorget_source_base_url(id);
        SCOPED_TRACE(name);
        EXPECT_NE(name, "Unknown");
        EXPECT_TRUE(names.insert(name).second) << "names tell the sources apart";
        EXPECT_EQ(base.rfind("https://", 0), 0u);
        const std::string url = package_url(id, "firefox", "2.0");
        EXPECT_EQ(url.rfind(base + "/", 0), 0u) << url;
        EXPECT_NE(url.find("firefox"), std::string::npos) << url;
        EXPECT_EQ(search_url(id, "").rfind("https://", 0), 0u);
    }
    EXPECT_EQ(names.size(), 7u);
    EXPECT_EQ(qorget_source_at(qorget_source_count()), 0);
    char url[64] = "untouched";
    for (const int32_t id : {7, -1}) {
        EXPECT_STREQ(qorget_source_name(id), "Unknown");
        EXPECT_EQ(qorget_source_base_url(id), nullptr);
        EXPECT_EQ(qorget_build_package_url(id, "firefox", nullptr, url, sizeof url),
                  QOR_ERR_NOT_FOUND);
        EXPECT_EQ(qorget_build_search_url(id, "firefox", url, sizeof url), QOR_ERR_NOT_FOUND);
    }
    EXPECT_STREQ(url, "untouched");
}

// Lookups search the table's rows only: a row just behind them is never
// found.
TEST(SourceTable, LookupsStopAtTheLastRow) {
    qorget_source rows[QORGET_SOURCE_COUNT + 1];
    for (int32_t i = 0; i <= QORGET_SOURCE_COUNT; ++i)
        rows[i] = {i, "Row", "https://row", "https://row/%s", "https://row?q=%s", "https://row"};
    qor::qorget::replace_sources_for_tests(rows);
    EXPECT_STREQ(qorget_source_name(QORGET_SOURCE_COUNT - 1), "Row");
    EXPECT_STREQ(qorget_source_name(QORGET_SOURCE_COUNT), "Unknown");
    qor::qorget::replace_sources_for_tests(nullptr);
}

// The slots take the name, the version ("latest" when absent) and the name.
TEST(Urls, FillTheTemplateSlotsInOrder) {
    EXPECT_EQ(package_url(0, "vlc", "3.0"), "https://github.com/vlc/releases/download/3.0/vlc");
    EXPECT_EQ(package_url(0, "vlc"), "https://github.com/vlc/releases/download/latest/vlc");
}

// Any random query or name, encoded, is exactly the reference encoding in
// the template's slot: it can add neither path segments nor parameters.
TEST(Urls, QueriesAndNamesArePercentEncodedInTheirSlot) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        // First the edges of the unreserved ranges and their neighbours.
        std::string query = "AZaz09-._~@[`{/:,}\x7F\x80\xFF";
        if (round > 0) {
            query.assign(random() % 12, '\0');
            for (char& c : query)
                c = static_cast<char>(1 + random() % 255);
        }
        const int32_t id = qorget_source_at(random() % qorget_source_count());
        const std::string prefix = search_url(id, "");
        const std::string url = search_url(id, query);
        ASSERT_EQ(url, prefix + reference_encoding(query)) << id;
        ASSERT_NE(package_url(0, query.c_str(), query.c_str()).find(reference_encoding(query)),
                  std::string::npos);
    }
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

} // namespace
