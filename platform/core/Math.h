#pragma once

#include <cmath>

namespace platform {

// The platform's arithmetic on doubles: the C library's correctly rounded functions.
inline double Sqrt(double x) {
    return std::sqrt(x);
}
inline double Abs(double x) {
    return std::fabs(x);
}
inline double Exp(double x) {
    return std::exp(x);
}
inline double Pow(double base, double exponent) {
    return std::pow(base, exponent);
}

} // namespace platform
