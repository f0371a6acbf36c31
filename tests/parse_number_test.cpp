// The conversion shared by the argument and the attribute's text, at the edges
// that running the tool cannot reach cleanly: the 32-bit limits and beyond.
#include "common.hpp"

#include <climits>
#include <gtest/gtest.h>

namespace {

struct Conversion {
    const char *text;
    int expected;
};

class ParseNumber : public testing::TestWithParam<Conversion> {};

TEST_P(ParseNumber, ConvertsLikeAtoiButSaturates) {
    EXPECT_EQ(parse_number(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseNumber,
    testing::Values(Conversion{"", 0}, Conversion{"abc", 0}, Conversion{"-", 0}, Conversion{"+", 0},
                    Conversion{"+-3", 0}, Conversion{"- 3", 0}, Conversion{"0x10", 0},
                    Conversion{" \t\n\v\f\r42", 42}, Conversion{"+7", 7}, Conversion{"-7", -7},
                    Conversion{"007", 7}, Conversion{"12abc", 12}, Conversion{"500\n", 500},
                    Conversion{"2147483647", INT_MAX}, Conversion{"2147483648", INT_MAX},
                    Conversion{"4294967296", INT_MAX},
                    Conversion{"99999999999999999999999999", INT_MAX},
                    Conversion{"-2147483647", -INT_MAX}, Conversion{"-2147483648", INT_MIN},
                    Conversion{"-2147483649", INT_MIN},
                    Conversion{"-99999999999999999999999999", INT_MIN},
                    Conversion{"0000000000000000000000000000000000012", 12}));

} // namespace
