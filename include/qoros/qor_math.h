/* QorOS math engine: descriptive statistics over arrays of doubles. */
#ifndef QOROS_QOR_MATH_H
#define QOROS_QOR_MATH_H

#include "qor_types.h"

QOR_EXTERN_C_BEGIN

/* Nothing to prepare; always 0. */
int qor_math_init(void);

/* Arithmetic mean; 0.0 for a null array or a count of 0. */
double qor_math_mean(const double* values, uint64_t count);
/* Sample standard deviation (divisor count - 1); 0.0 for a null array or a
 * count below 2. */
double qor_math_stddev(const double* values, uint64_t count);
/* Least-squares line y = slope * x + intercept; returns Pearson's r. With a
 * null input, a count below 2 or a null out-parameter, every present
 * out-parameter receives 0.0 and the result is 0.0. */
double qor_math_linear_reg(const double* x, const double* y, uint64_t count, double* slope,
                           double* intercept);
/* Fills each present out-parameter. 0; QOR_ERR_INVALID_ARG for a null array
 * or a count of 0; QOR_ERR_NO_MEMORY when the median's working copy cannot be
 * allocated (the outputs before the median are written by then). NaNs sort
 * after every number for the median. */
int qor_math_stats_summary(const double* values, uint64_t count, double* mean, double* median,
                           double* stddev, double* min, double* max);

/* Three-way comparison of two doubles for ascending order: -1, 1, or 0 when
 * equal or when either is NaN. */
int compare_f64(const void* a, const void* b);

QOR_EXTERN_C_END

#endif
