#ifndef PERTODE_H
#define PERTODE_H

#include <cmath>

#include <gtest/gtest.h>

// a ≈ b within eps, relative to the larger magnitude once that exceeds 1, so that exact zeros and
// large coordinates are both handled; prints both values on failure.
inline ::testing::AssertionResult pertoDe(double a, double b, double eps = 1e-9)
{
    const double escala = std::fmax(1.0, std::fmax(std::fabs(a), std::fabs(b)));
    if (std::fabs(a - b) <= eps * escala)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << a << " is not within " << eps << " of " << b << " (difference " << (a - b) << ")";
}

#endif
