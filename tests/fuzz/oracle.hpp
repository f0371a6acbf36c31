// The fuzz targets' independent reference for reading a number: the C library's
// strtol, cut down to the signed 32-bit range.
#pragma once

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

inline int saturated_strtol(const char *text) {
    errno = 0;
    long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX) { return INT_MAX; }
    if (value < INT_MIN) { return INT_MIN; }
    return static_cast<int>(value);
}

inline void expect_level(const char *what, int actual, int expected) {
    if (actual != expected) {
        std::fprintf(stderr, "%s: read %d, strtol reads %d\n", what, actual, expected);
        std::abort();
    }
}
