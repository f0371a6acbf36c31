// Proves parse_number, which reads the argument's number and the attribute:
//   proof_number_safe: for every text of up to TEXT_BYTES bytes (any but NUL)
//     before its NUL, it reads no byte past the NUL (the text is an object of
//     exactly that size), overflows nothing and converts no value that does
//     not fit (--conversion-check);
//   proof_number_value: for every text of VALUE_BYTES bytes (any, NULs too),
//     its value is the documented reading's: blanks (space, \t to \r), one
//     sign, the digits' value, saturated at the 32-bit ends. The digit loop is
//     proved by induction (number.json), for any number of digits: with run[p]
//     the value of the digits that end before byte p, the loop's text stays in
//     the digits from where they start, and its magnitude is run[p] below the
//     ceiling, at least the ceiling and at most ten times it and 9 from there.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <sys/types.h>
#include <unistd.h>
// The source, its own headers with it, in C linkage: so that number.json can
// name its variables, which C++ names with the function's parameter types.
extern "C" {
#include "common.cpp"

char nondet_char();
unsigned nondet_unsigned();
void proof_number_safe() {
    const unsigned length = nondet_unsigned();
    __CPROVER_assume(length <= TEXT_BYTES);
    char *text = static_cast<char *>(malloc(length + 1));
    __CPROVER_assume(text != nullptr);
    for (unsigned i = 0; i < length; ++i) {
        __CPROVER_assume(text[i] != '\0');
    }
    text[length] = '\0';
    const int value = parse_number(text);
    COVER(value == INT_MIN);
    COVER(value == INT_MAX);
}
char bytes[VALUE_BYTES + 1];
long long run[VALUE_BYTES + 1]; // kept at 10^11 at most, which the clamp makes no matter
int first[VALUE_BYTES + 1];     // first[p]: where the digits that end before byte p start
int digits_start;               // where the number's digits start
void proof_number_value() {
    run[0] = first[0] = 0;
    for (int p = 0; p < VALUE_BYTES; ++p) {
        bytes[p] = nondet_char();
        const bool digit = bytes[p] >= '0' && bytes[p] <= '9';
        run[p + 1] = digit ? std::min(run[p] * 10 + (bytes[p] - '0'), 100000000000LL) : 0LL;
        first[p + 1] = digit ? first[p] : p + 1;
    }
    bytes[VALUE_BYTES] = '\0';
    int p = 0;
    while (bytes[p] == ' ' || (bytes[p] >= '\t' && bytes[p] <= '\r')) {
        ++p;
    }
    const bool negative = bytes[p] == '-';
    if (bytes[p] == '-' || bytes[p] == '+') { ++p; }
    for (digits_start = p; bytes[p] >= '0' && bytes[p] <= '9'; ++p) {}
    long long value = negative ? -run[p] : run[p];
    value = value < INT_MIN ? static_cast<long long>(INT_MIN) : value;
    value = value > INT_MAX ? static_cast<long long>(INT_MAX) : value;
    const int read = parse_number(bytes);
    __CPROVER_assert(read == value, "the documented value");
    COVER(read < -9);
    COVER(read > 9);
}
}
