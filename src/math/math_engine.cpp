// Descriptive statistics: mean, sample standard deviation and least-squares
// regression. Sums run in index order from 0.0 so results are reproducible.
#include <qoros/qor_math.h>

#include <cmath>

namespace {

// Counts are unsigned; as divisors they go through a signed 64-bit value.
double as_divisor(uint64_t count) {
    return static_cast<double>(static_cast<int64_t>(count));
}

} // namespace

extern "C" int qor_math_init(void) {
    return QOR_OK;
}

extern "C" double qor_math_mean(const double* values, uint64_t count) {
    if (!values || count == 0) return 0.0;
    double sum = 0.0;
    for (uint64_t i = 0; i < count; ++i)
        sum += values[i];
    return sum / as_divisor(count);
}

extern "C" double qor_math_stddev(const double* values, uint64_t count) {
    if (!values || count < 2) return 0.0;
    const double mean = qor_math_mean(values, count);
    double squares = 0.0;
    for (uint64_t i = 0; i < count; ++i) {
        const double d = values[i] - mean;
        squares += d * d;
    }
    return std::sqrt(squares / as_divisor(count - 1));
}

extern "C" double qor_math_linear_reg(const double* x, const double* y, uint64_t count,
                                      double* slope, double* intercept) {
    if (!x || !y || count < 2 || !slope || !intercept) {
        if (slope) *slope = 0.0;
        if (intercept) *intercept = 0.0;
        return 0.0;
    }

    double sx = 0.0, sy = 0.0, sxy = 0.0, sxx = 0.0, syy = 0.0;
    for (uint64_t i = 0; i < count; ++i) {
        sx += x[i];
        sy += y[i];
        sxy += x[i] * y[i];
        sxx += x[i] * x[i];
        syy += y[i] * y[i];
    }
    const double n = as_divisor(count);

    const double den = n * sxx - sx * sx;
    if (den == 0.0) { // every x is the same: a flat line through the mean of y
        *slope = 0.0;
        *intercept = sy / n;
        return 0.0;
    }
    const double num = n * sxy - sx * sy;
    *slope = num / den;
    *intercept = sy / n - (sx / n) * *slope;

    const double root = std::sqrt(den * (n * syy - sy * sy));
    if (root == 0.0) return 0.0; // every y is the same: no correlation to speak of
    return num / root;
}

extern "C" int compare_f64(const void* a, const void* b) {
    const double lhs = *static_cast<const double*>(a);
    const double rhs = *static_cast<const double*>(b);
    if (lhs < rhs) return -1;
    if (lhs > rhs) return 1;
    return 0;
}
