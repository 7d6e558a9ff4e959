// Mean, sample standard deviation, linear regression and the comparator.
#include <qoros/qor_math.h>

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

TEST(MathEngine, MeanAndStddevTreatAbsentOrTooShortInputAsZero) {
    const double values[] = {2, 4, 4, 4, 5, 5, 7, 9};
    EXPECT_EQ(qor_math_init(), QOR_OK);
    EXPECT_DOUBLE_EQ(qor_math_mean(values, 8), 5.0);
    EXPECT_DOUBLE_EQ(qor_math_mean(values, 1), 2.0);
    EXPECT_EQ(qor_math_mean(values, 0), 0.0);
    EXPECT_EQ(qor_math_mean(nullptr, 4), 0.0);
    // The sample divisor n - 1, not n (which would give 2).
    EXPECT_NEAR(qor_math_stddev(values, 8), std::sqrt(32.0 / 7.0), 1e-12);
    EXPECT_EQ(qor_math_stddev(values, 1), 0.0);
    EXPECT_NEAR(qor_math_stddev(values + 6, 2), std::sqrt(2.0), 1e-12); // 7 and 9
    EXPECT_EQ(qor_math_stddev(nullptr, 8), 0.0);
}

TEST(MathEngine, LinearRegressionFitsAndFlatInputsGiveZeroCorrelation) {
    const struct {
        const char* why;
        std::vector<double> x, y;
        double r, slope, intercept;
    } cases[] = {
        {"rising line", {1, 2, 3}, {2, 4, 6}, 1, 2, 0},
        {"falling line", {1, 2, 3}, {6, 4, 2}, -1, -2, 8},
        {"noisy data", {1, 2, 3, 4, 5}, {2, 4, 5, 4, 5}, std::sqrt(0.6), 0.6, 2.2},
        {"flat x: slope 0, intercept the mean of y", {5, 5, 5}, {1, 2, 3}, 0, 0, 2},
        {"flat y", {1, 2, 3}, {4, 4, 4}, 0, 0, 4},
        {"one point", {1}, {1}, 0, 0, 0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.why);
        double slope = -99, intercept = -99;
        EXPECT_NEAR(
            qor_math_linear_reg(row.x.data(), row.y.data(), row.x.size(), &slope, &intercept),
            row.r, 1e-12);
        EXPECT_NEAR(slope, row.slope, 1e-12);
        EXPECT_NEAR(intercept, row.intercept, 1e-12);
    }
    // Unusable input zeroes whichever output is present.
    const double x[] = {1, 2, 3};
    double slope = 7, intercept = 7;
    EXPECT_EQ(qor_math_linear_reg(x, x, 3, nullptr, &intercept), 0.0);
    EXPECT_EQ(qor_math_linear_reg(nullptr, x, 3, &slope, nullptr), 0.0);
    EXPECT_EQ(slope, 0.0);
    EXPECT_EQ(intercept, 0.0);
}

TEST(MathEngine, CompareF64IsThreeWayWithNaNComparingEqual) {
    const double one = 1, two = 2, nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(compare_f64(&one, &two), -1);
    EXPECT_EQ(compare_f64(&two, &one), 1);
    EXPECT_EQ(compare_f64(&one, &one), 0);
    EXPECT_EQ(compare_f64(&nan, &one), 0);
    EXPECT_EQ(compare_f64(&one, &nan), 0);
}

} // namespace
