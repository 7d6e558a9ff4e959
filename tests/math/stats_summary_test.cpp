// The statistics summary, its one allocation and its order with NaNs.
#include <qoros/qor_math.h>

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <new>
#include <numeric>
#include <random>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The one allocation the summary makes is the median's working copy, a
// nothrow array new: counted here, and failed on request.
struct {
    int count = 0;
    bool fail = false;
} g_array_news;

struct summary {
    double mean = -99, median = -99, stddev = -99, min = -99, max = -99;
};

int summarise(const std::vector<double>& values, summary* out) {
    return qor_math_stats_summary(values.data(), values.size(), &out->mean, &out->median,
                                  &out->stddev, &out->min, &out->max);
}

} // namespace

// Replaces the nothrow array new for this test program; the memory still
// comes from the ordinary array new, so delete[] pairs with it.
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++g_array_news.count;
    return g_array_news.fail ? nullptr : ::operator new[](size);
}

namespace {

TEST(StatsSummary, OddAndEvenCountsLeaveTheInputUnchanged) {
    const std::vector<double> odd = {3, 1, 2};
    summary s;
    ASSERT_EQ(summarise(odd, &s), QOR_OK);
    EXPECT_DOUBLE_EQ(s.mean, 2);
    EXPECT_DOUBLE_EQ(s.median, 2);
    EXPECT_DOUBLE_EQ(s.stddev, 1);
    EXPECT_DOUBLE_EQ(s.min, 1);
    EXPECT_DOUBLE_EQ(s.max, 3);
    EXPECT_EQ(odd, (std::vector<double>{3, 1, 2}));
    ASSERT_EQ(summarise({4, 1, 3, 2}, &s), QOR_OK);
    EXPECT_DOUBLE_EQ(s.median, 2.5);
    ASSERT_EQ(summarise({7}, &s), QOR_OK);
    EXPECT_EQ(s.stddev, 0.0);
    EXPECT_EQ(s.median, 7.0);
}

TEST(StatsSummary, AbsentInputIsRefusedAndAFailedMedianKeepsEarlierOutputs) {
    const double values[] = {5, 1, 3};
    summary s;
    EXPECT_EQ(qor_math_stats_summary(nullptr, 3, &s.mean, nullptr, nullptr, nullptr, nullptr),
              QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_math_stats_summary(values, 0, &s.mean, nullptr, nullptr, nullptr, nullptr),
              QOR_ERR_INVALID_ARG);
    EXPECT_EQ(s.mean, -99);

    g_array_news = {};
    ASSERT_EQ(qor_math_stats_summary(values, 3, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(g_array_news.count, 0) << "no median asked, nothing allocated";

    g_array_news = {0, true};
    EXPECT_EQ(qor_math_stats_summary(values, 3, &s.mean, &s.median, &s.stddev, &s.min, &s.max),
              QOR_ERR_NO_MEMORY);
    g_array_news = {};
    EXPECT_DOUBLE_EQ(s.mean, 3);
    EXPECT_DOUBLE_EQ(s.stddev, 2);
    EXPECT_DOUBLE_EQ(s.min, 1);
    EXPECT_DOUBLE_EQ(s.max, 5);
    EXPECT_EQ(s.median, -99);
}

TEST(StatsSummaryNaN, MinAndMaxSkipNaNUnlessItComesFirst) {
    summary s;
    ASSERT_EQ(summarise({3, kNaN, 1, 2}, &s), QOR_OK);
    EXPECT_EQ(s.min, 1);
    EXPECT_EQ(s.max, 3);
    EXPECT_TRUE(std::isnan(s.mean));
    EXPECT_TRUE(std::isnan(s.stddev));
    ASSERT_EQ(summarise({kNaN, 3, 1}, &s), QOR_OK);
    EXPECT_TRUE(std::isnan(s.min));
    EXPECT_TRUE(std::isnan(s.max));
}

TEST(StatsSummaryNaN, MedianCountsNaNsAsLargerThanEveryNumber) {
    const struct {
        std::vector<double> values;
        double median; // NaN when the middle falls on the NaNs
    } cases[] = {
        {{3, kNaN, 1, 2}, 2.5},                                   // 1 2 3 NaN
        {{kNaN, 1, kNaN, 0, 2}, 2},                               // 0 1 2 NaN NaN
        {{kNaN, kNaN, 5}, kNaN},                                  // 5 NaN NaN
        {{kNaN, -std::numeric_limits<double>::infinity(), 4}, 4}, // -inf 4 NaN
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(::testing::PrintToString(row.values));
        summary s;
        ASSERT_EQ(summarise(row.values, &s), QOR_OK);
        if (std::isnan(row.median))
            EXPECT_TRUE(std::isnan(s.median)) << s.median;
        else
            EXPECT_EQ(s.median, row.median);
    }

    // Large enough that the sort takes its partitioning path, where an
    // inconsistent order reads outside the array.
    std::vector<double> values(1000);
    std::iota(values.begin(), values.end(), 0.0);
    values.insert(values.end(), 500, kNaN);
    std::shuffle(values.begin(), values.end(), std::mt19937(12345));
    summary s;
    ASSERT_EQ(summarise(values, &s), QOR_OK);
    EXPECT_EQ(s.median, 749.5); // 0..999 then 500 NaNs: the middle pair is 749 and 750
    EXPECT_EQ(s.min, 0);
    EXPECT_EQ(s.max, 999);
}

} // namespace
