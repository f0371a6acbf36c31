// The conversion shared by the argument and the attribute's text, at the edges
// that running the tool cannot reach cleanly: the 32-bit limits and beyond.
#include "common.hpp"

#include <climits>
#include <gtest/gtest.h>

namespace {

struct Conversion {
    const char *name; // the test's name, as ctest shows it
    const char *text;
    int expected;
};

// How ctest lists a case, and gtest names it in a failure.
void PrintTo(const Conversion &c, std::ostream *out) { *out << c.name; }

class ParseNumber : public testing::TestWithParam<Conversion> {};

TEST_P(ParseNumber, ConvertsLikeAtoiButSaturates) {
    EXPECT_EQ(parse_number(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

const Conversion kConversions[] = {
    {"empty", "", 0},
    {"letters_only", "abc", 0},
    {"minus_alone", "-", 0},
    {"plus_alone", "+", 0},
    {"two_signs", "+-3", 0},
    {"blank_after_sign", "- 3", 0},
    {"hex_prefix_stops_at_x", "0x10", 0},
    {"leading_white_space", " \t\n\v\f\r42", 42},
    {"plus_sign", "+7", 7},
    {"minus_sign", "-7", -7},
    {"leading_zeros", "007", 7},
    {"stops_at_letter", "12abc", 12},
    {"line_end", "500\n", 500},
    {"int_max", "2147483647", INT_MAX},
    {"int_max_plus_one", "2147483648", INT_MAX},
    {"two_to_the_32", "4294967296", INT_MAX},
    {"many_digits", "99999999999999999999999999", INT_MAX},
    {"minus_int_max", "-2147483647", -INT_MAX},
    {"int_min", "-2147483648", INT_MIN},
    {"int_min_minus_one", "-2147483649", INT_MIN},
    {"many_digits_negative", "-99999999999999999999999999", INT_MIN},
    {"many_leading_zeros", "0000000000000000000000000000000000012", 12},
    // Just outside each range of characters taken: white space (tab to
    // carriage return, and space), the signs, the digits.
    {"backspace_is_not_space", "\b5", 0},
    {"shift_out_is_not_space", "\0165", 0},
    {"unit_separator_is_not_space", "\0375", 0},
    {"exclamation_mark_is_not_space", "!5", 0},
    {"no_break_space_is_not_space", "\2405", 0},
    {"asterisk_is_not_a_sign", "*5", 0},
    {"comma_is_not_a_sign", ",5", 0},
    {"full_stop_is_not_a_sign", ".5", 0},
    {"slash_is_not_a_digit", "/5", 0},
    {"colon_is_not_a_digit", ":5", 0},
    {"stops_at_slash", "5/3", 5},
    {"stops_at_colon", "5:3", 5},
    {"every_digit", "1234567890", 1234567890},
};

INSTANTIATE_TEST_SUITE_P(Table, ParseNumber, testing::ValuesIn(kConversions),
                         [](const testing::TestParamInfo<Conversion> &info) {
                             return info.param.name;
                         });

} // namespace
