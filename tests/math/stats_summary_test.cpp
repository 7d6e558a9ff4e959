#include "allocation_probe.h"

#include <qoros/qor_math.h>

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct summary {
    double mean = -99, median = -99, stddev = -99, min = -99, max = -99;
};

int summarise(const std::vector<double>& values, summary* out) {
    return qor_math_stats_summary(values.data(), values.size(), &out->mean, &out->median,
                                  &out->stddev, &out->min, &out->max);
}

} // namespace

TEST(StatsSummary, OddAndEvenCountsLeaveTheInputUnchanged) {
    const std::vector<double> odd = {3, 1, 2};
    const std::vector<double> odd_copy = odd;
    summary s;
    ASSERT_EQ(summarise(odd, &s), QOR_OK);
    EXPECT_DOUBLE_EQ(s.mean, 2);
    EXPECT_DOUBLE_EQ(s.median, 2);
    EXPECT_DOUBLE_EQ(s.stddev, 1);
    EXPECT_DOUBLE_EQ(s.min, 1);
    EXPECT_DOUBLE_EQ(s.max, 3);
    EXPECT_EQ(odd, odd_copy);

    ASSERT_EQ(summarise({4, 1, 3, 2}, &s), QOR_OK);
    EXPECT_DOUBLE_EQ(s.median, 2.5);
}

TEST(StatsSummary, SingleValueAndAbsentInput) {
    summary s;
    ASSERT_EQ(summarise({7}, &s), QOR_OK);
    EXPECT_EQ(s.stddev, 0.0);
    EXPECT_EQ(s.median, 7.0);

    summary untouched;
    const double one = 1;
    EXPECT_EQ(
        qor_math_stats_summary(nullptr, 3, &untouched.mean, nullptr, nullptr, nullptr, nullptr),
        QOR_ERR_INVALID_ARG);
    EXPECT_EQ(qor_math_stats_summary(&one, 0, &untouched.mean, nullptr, nullptr, nullptr, nullptr),
              QOR_ERR_INVALID_ARG);
    EXPECT_EQ(untouched.mean, -99);
    EXPECT_EQ(qor_math_stats_summary(&one, 1, nullptr, nullptr, nullptr, nullptr, nullptr), QOR_OK);
}

TEST(StatsSummary, OnlyTheMedianAllocatesAndItsFailureKeepsEarlierOutputs) {
    const double values[] = {5, 1, 3};
    auto& probe = qor::test::nothrow_array_allocations();

    probe = {};
    double mean = 0;
    ASSERT_EQ(qor_math_stats_summary(values, 3, &mean, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(probe.count, 0);

    probe = {0, true};
    summary s;
    EXPECT_EQ(qor_math_stats_summary(values, 3, &s.mean, &s.median, &s.stddev, &s.min, &s.max),
              QOR_ERR_NO_MEMORY);
    probe = {};
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
    summary s;
    ASSERT_EQ(summarise({3, kNaN, 1, 2}, &s), QOR_OK); // 1 2 3 NaN
    EXPECT_EQ(s.median, 2.5);
    ASSERT_EQ(summarise({kNaN, 1, kNaN, 0, 2}, &s), QOR_OK); // 0 1 2 NaN NaN
    EXPECT_EQ(s.median, 2);
    ASSERT_EQ(summarise({kNaN, kNaN, 5}, &s), QOR_OK); // 5 NaN NaN
    EXPECT_TRUE(std::isnan(s.median));
    ASSERT_EQ(summarise({kNaN, -std::numeric_limits<double>::infinity(), 4}, &s), QOR_OK);
    EXPECT_EQ(s.median, 4);
}

TEST(StatsSummaryNaN, LargeShuffledInputWithManyNaNsHasTheExactMedian) {
    // Large enough that the sort takes its partitioning path, where an
    // inconsistent order reads outside the array.
    std::vector<double> values(1000);
    std::iota(values.begin(), values.end(), 0.0);
    values.insert(values.end(), 500, kNaN);
    std::shuffle(values.begin(), values.end(), std::mt19937(12345));

    summary s;
    ASSERT_EQ(summarise(values, &s), QOR_OK);
    // Sorted: 0..999 then 500 NaNs; the middle pair is 749 and 750.
    EXPECT_EQ(s.median, 749.5);
    EXPECT_EQ(s.min, 0);
    EXPECT_EQ(s.max, 999);
}
