// Proves parse_number, which reads the argument's number and the attribute:
//   proof_number_safe: for every text of up to TEXT_BYTES bytes (any but NUL)
//     before its NUL, it reads no byte past the NUL (the text is an object of
//     exactly that size), overflows nothing and converts no value that does
//     not fit (--conversion-check);
//   proof_number_value: for every text of VALUE_BYTES bytes (any, NULs too),
//     its value is the documented reading's: blanks (space, \t to \r), one
//     sign, the digits summed exactly in 64 bits, saturated at the 32-bit ends.
#include "common.hpp"

#include <climits>
#include <cstdlib>

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
static long long documented_value(const char *text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') { ++text; }
    long long sum = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        sum = sum * 10 + (*text - '0');
    }
    const long long value = negative ? -sum : sum;
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value;
}
void proof_number_value() {
    char text[VALUE_BYTES + 1];
    for (int i = 0; i < VALUE_BYTES; ++i) {
        text[i] = nondet_char();
    }
    text[VALUE_BYTES] = '\0';
    const int value = parse_number(text);
    __CPROVER_assert(value == documented_value(text), "the documented value");
    COVER(value < -9);
    COVER(value > 9);
}
