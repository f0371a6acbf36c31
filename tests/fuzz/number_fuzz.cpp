// The number text of an argument, whatever its bytes: the tool must read the
// same number as strtol, saturated to 32 bits.
#include "common.hpp"
#include "oracle.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // An argument ends at its first NUL, as argv's strings do.
    const std::string argument(reinterpret_cast<const char *>(data), size);
    expect_level("argument", parse_number(argument.c_str()), saturated_strtol(argument.c_str()));
    return 0;
}
