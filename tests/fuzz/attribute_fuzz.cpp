// Whatever bytes the brightness attribute holds, get_current must read the number
// that strtol finds in the first 4095 bytes (as much as one read takes), saturated
// to 32 bits. The attribute is a file on a tmpfs laid over /sys/class in a private
// mount namespace; the target refuses to run without it.
#include "backlight.hpp"
#include "oracle.hpp"
#include "sandbox.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace {
const char kDevice[] = "/sys/class/backlight/" PANEL_DEVICE;
const char kAttribute[] = "/sys/class/backlight/" PANEL_DEVICE "/brightness";
constexpr size_t kOneRead = 4095;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    std::string problem = enter_private_namespace();
    if (problem.empty()) { problem = cover_sys_class(); }
    if (problem.empty() &&
        (mkdir("/sys/class/backlight", 0755) != 0 || mkdir(kDevice, 0755) != 0)) {
        problem = "cannot make the device directory";
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "attribute_fuzz: no sandbox: %s\n", problem.c_str());
        std::exit(1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string content(reinterpret_cast<const char *>(data), size);
    if (!write_file(kAttribute, content)) {
        std::fprintf(stderr, "attribute_fuzz: cannot write the attribute\n");
        std::abort();
    }
    const std::string first_read = content.substr(0, std::min(size, kOneRead));
    expect_level("attribute", get_current(), saturated_strtol(first_read.c_str()));
    return 0;
}
