// The statistics summary against a sorted copy of random inputs (NaNs and
// infinities included), its one allocation and what a failed one leaves.
#include <qoros/qor_math.h>

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <new>
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

bool same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

} // namespace

// Replaces the nothrow array new for this test program; the memory still
// comes from the ordinary array new, so delete[] pairs with it.
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++g_array_news.count;
    return g_array_news.fail ? nullptr : ::operator new[](size);
}

namespace {

// The median is the middle of the numbers sorted ascending with every NaN
// after every number (the mean of the middle pair for even counts); min and
// max skip NaNs unless the first value is one. Sizes reach past the point
// where the sort partitions, where an inconsistent order reads outside the
// array. The input is never reordered.
TEST(StatsSummary, MatchesASortedCopyWithNaNsLast) {
    std::mt19937 random(12345);
    const double specials[] = {kNaN, std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), 0.0};
    for (int round = 0; round < 400; ++round) {
        std::vector<double> values(1 + random() % (round < 300 ? 9 : 1500));
        for (double& v : values)
            v = random() % 5 == 0 ? specials[random() % 4] : static_cast<int>(random() % 200) - 100;
        const std::vector<double> input = values;
        std::vector<double> sorted = values;
        const auto nans = std::stable_partition(sorted.begin(), sorted.end(),
                                                [](double v) { return !std::isnan(v); });
        std::sort(sorted.begin(), nans);
        const size_t n = sorted.size();
        const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
        const bool nan_first = std::isnan(values[0]);
        const double lo = nan_first ? kNaN : sorted[0], hi = nan_first ? kNaN : *(nans - 1);
        summary s;
        ASSERT_EQ(summarise(values, &s), QOR_OK);
        SCOPED_TRACE(::testing::PrintToString(values));
        EXPECT_TRUE(same(s.median, median)) << s.median << " want " << median;
        EXPECT_TRUE(same(s.min, lo)) << s.min;
        EXPECT_TRUE(same(s.max, hi)) << s.max;
        EXPECT_TRUE(same(s.mean, qor_math_mean(values.data(), n)));
        EXPECT_TRUE(same(s.stddev, qor_math_stddev(values.data(), n)));
        ASSERT_TRUE(std::equal(values.begin(), values.end(), input.begin(), same));
    }
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

} // namespace
