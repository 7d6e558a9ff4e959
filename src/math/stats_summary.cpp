// One-call summary: mean, median, standard deviation, minimum and maximum.
#include <qoros/qor_math.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

namespace {

// Ascending with every NaN after every number. compare_f64 calls NaN equal to
// everything, which is no order at all and makes sorting undefined.
bool nan_last_less(double a, double b) {
    if (std::isnan(a)) return false;
    if (std::isnan(b)) return true;
    return a < b;
}

void min_max(const double* values, uint64_t count, double* min, double* max) {
    double lo = values[0], hi = values[0];
    for (uint64_t i = 1; i < count; ++i) {
        if (values[i] < lo) lo = values[i];
        if (values[i] > hi) hi = values[i];
    }
    if (min) *min = lo;
    if (max) *max = hi;
}

// False when the working copy cannot be allocated.
bool median_of(const double* values, uint64_t count, double* median) {
    if (count > SIZE_MAX / sizeof(double)) return false;
    const size_t n = static_cast<size_t>(count);
    std::unique_ptr<double[]> sorted(new (std::nothrow) double[n]);
    if (!sorted) return false;
    std::memcpy(sorted.get(), values, n * sizeof(double));
    std::sort(sorted.get(), sorted.get() + n, nan_last_less);
    *median = (n % 2 == 1) ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) * 0.5;
    return true;
}

} // namespace

extern "C" int qor_math_stats_summary(const double* values, uint64_t count, double* mean,
                                      double* median, double* stddev, double* min, double* max) {
    if (!values || count == 0) return QOR_ERR_INVALID_ARG;
    if (mean) *mean = qor_math_mean(values, count);
    if (stddev) *stddev = qor_math_stddev(values, count);
    if (min || max) min_max(values, count, min, max);
    if (median && !median_of(values, count, median)) return QOR_ERR_NO_MEMORY;
    return QOR_OK;
}
