#include "common.hpp"

#include "version.hpp"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <sys/types.h>
#include <unistd.h>

const char PROGRAM_VERSION[] = LUMTUNE_VERSION;

void fatal_error(const char *operation, const char *message) {
    char line[256];
    const int length = std::snprintf(line, sizeof line, "ERROR: %s - %s\n", operation, message);
    if (length > 0) {
        const size_t size = static_cast<size_t>(length) < sizeof line ? static_cast<size_t>(length)
                                                                      : sizeof line - 1;
        // Nothing is left to report a failed error report to.
        const ssize_t ignored = write(STDERR_FILENO, line, size);
        (void)ignored;
    }
    std::exit(1);
}

static bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

static bool is_digit(char c) { return c >= '0' && c <= '9'; }

int parse_number(const char *text) {
    while (is_space(*text)) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') { ++text; }
    // One past INT_MAX is the magnitude of INT_MIN; nothing larger matters.
    // Both arms are long long: the model checker's C++ front end types arms
    // that differ as int, and so read "\r\t\t\t\t\r\r\r \f-=80" as INT_MIN.
    const long long ceiling =
        negative ? -static_cast<long long>(INT_MIN) : static_cast<long long>(INT_MAX);
    long long magnitude = 0;
    for (; is_digit(*text); ++text) {
        if (magnitude < ceiling) { magnitude = magnitude * 10 + (*text - '0'); }
    }
    magnitude = std::min(magnitude, ceiling);
    return static_cast<int>(negative ? -magnitude : magnitude);
}
