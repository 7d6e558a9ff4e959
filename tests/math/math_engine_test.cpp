#include <qoros/qor_math.h>

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(MathMean, AveragesAndTreatsAbsentInputAsZero) {
    const double values[] = {1, 2, 3, 4};
    EXPECT_EQ(qor_math_init(), QOR_OK);
    EXPECT_DOUBLE_EQ(qor_math_mean(values, 4), 2.5);
    EXPECT_DOUBLE_EQ(qor_math_mean(values, 1), 1.0);
    EXPECT_EQ(qor_math_mean(values, 0), 0.0);
    EXPECT_EQ(qor_math_mean(nullptr, 4), 0.0);
}

TEST(MathStddev, UsesTheSampleDivisor) {
    const double values[] = {2, 4, 4, 4, 5, 5, 7, 9};
    EXPECT_NEAR(qor_math_stddev(values, 8), std::sqrt(32.0 / 7.0), 1e-12);
    EXPECT_NEAR(qor_math_stddev(values, 8), 2.138, 1e-3);
    EXPECT_EQ(qor_math_stddev(values, 1), 0.0);
    EXPECT_EQ(qor_math_stddev(nullptr, 8), 0.0);
}

TEST(MathLinearReg, FitsExactLinesBothWays) {
    const double x[] = {1, 2, 3};
    const double up[] = {2, 4, 6};
    const double down[] = {6, 4, 2};
    double slope = -1, intercept = -1;
    EXPECT_DOUBLE_EQ(qor_math_linear_reg(x, up, 3, &slope, &intercept), 1.0);
    EXPECT_DOUBLE_EQ(slope, 2.0);
    EXPECT_NEAR(intercept, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(qor_math_linear_reg(x, down, 3, &slope, &intercept), -1.0);
    EXPECT_DOUBLE_EQ(slope, -2.0);
    EXPECT_DOUBLE_EQ(intercept, 8.0);
}

TEST(MathLinearReg, FlatInputsGiveZeroCorrelation) {
    const double same_x[] = {5, 5, 5};
    const double rising[] = {1, 2, 3};
    const double same_y[] = {4, 4, 4};
    double slope = -1, intercept = -1;
    EXPECT_EQ(qor_math_linear_reg(same_x, rising, 3, &slope, &intercept), 0.0);
    EXPECT_EQ(slope, 0.0);
    EXPECT_DOUBLE_EQ(intercept, 2.0);
    EXPECT_EQ(qor_math_linear_reg(rising, same_y, 3, &slope, &intercept), 0.0);
    EXPECT_EQ(slope, 0.0);
    EXPECT_DOUBLE_EQ(intercept, 4.0);
}

TEST(MathLinearReg, UnusableInputZeroesWhateverOutputIsPresent) {
    const double x[] = {1, 2, 3};
    double slope = 7, intercept = 7;
    EXPECT_EQ(qor_math_linear_reg(x, x, 1, &slope, &intercept), 0.0);
    EXPECT_EQ(slope, 0.0);
    EXPECT_EQ(intercept, 0.0);

    intercept = 7;
    EXPECT_EQ(qor_math_linear_reg(x, x, 3, nullptr, &intercept), 0.0);
    EXPECT_EQ(intercept, 0.0);
    slope = 7;
    EXPECT_EQ(qor_math_linear_reg(nullptr, x, 3, &slope, nullptr), 0.0);
    EXPECT_EQ(slope, 0.0);
}

TEST(MathLinearReg, NoisyDataMatchesTheTextbookFit) {
    const double x[] = {1, 2, 3, 4, 5};
    const double y[] = {2, 4, 5, 4, 5};
    double slope = 0, intercept = 0;
    const double r = qor_math_linear_reg(x, y, 5, &slope, &intercept);
    EXPECT_NEAR(slope, 0.6, 1e-12);
    EXPECT_NEAR(intercept, 2.2, 1e-12);
    EXPECT_NEAR(r, 0.7745966692, 1e-9);
}

TEST(CompareF64, ThreeWayWithNaNComparingEqual) {
    const double one = 1, two = 2, nan = kNaN;
    EXPECT_EQ(compare_f64(&one, &two), -1);
    EXPECT_EQ(compare_f64(&two, &one), 1);
    EXPECT_EQ(compare_f64(&one, &one), 0);
    EXPECT_EQ(compare_f64(&nan, &one), 0);
    EXPECT_EQ(compare_f64(&one, &nan), 0);
}
