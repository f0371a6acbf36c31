// Runs the built tool against a fake brightness attribute on a tmpfs laid over
// /sys/class in a private mount namespace, and checks what it prints, its exit
// status, and the attribute's exact bytes afterwards. A level the tool writes
// has no line end, so "500\n" still there afterwards means nothing was written.
#include "sandbox.hpp"

#include <cstdio>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kDevice = "/sys/class/backlight/intel_backlight";
const std::string kAttribute = kDevice + "/brightness";
const std::string kCopies = "/sys/class/test-bin";
const std::string kCopy = kCopies + "/lumtune";
const std::string kSetuidCopy = kCopies + "/lumtune-setuid";

std::string command_output(const std::string &command) {
    std::string output;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) {
            output += buffer;
        }
        pclose(pipe);
    }
    return output;
}

// What the build must have stamped in: the checkout as it is now.
std::string version_of_checkout() {
    const std::string git = "git -C '" SOURCE_DIR "' ";
    std::string count = command_output(git + "rev-list --count HEAD 2>/dev/null");
    std::string commit = command_output(git + "rev-parse --verify HEAD 2>/dev/null");
    if (count.empty() || commit.size() < 7) {
        return "0.0000000";
    }
    return count.substr(0, count.find('\n')) + "." + commit.substr(0, 7);
}

const std::string &expected_version() {
    static const std::string version = version_of_checkout();
    return version;
}

std::string usage_text() {
    return "lumtune v" + expected_version() +
           " (works only with 2.6+ kernels).\n"
           "usage: lumtune [+-=[0-976]]\n";
}

// Each test process enters its sandbox once; no test may run the tool without it.
const std::string &sandbox_problem() {
    expected_version(); // git is asked outside the namespace
    static const std::string problem = enter_private_namespace();
    return problem;
}

enum class Device {
    Holds,       // the attribute holds `before`
    NoDevice,    // /sys/class/backlight exists, intel_backlight does not
    NoAttribute, // the device directory exists without its brightness attribute
    Refuses,     // every write fails (the attribute is /dev/full)
    Unreadable,  // opens but cannot be read (the attribute is a directory)
};

enum class Runner { Root, Unprivileged, SetuidCopy };

struct Case {
    const char *name;
    std::vector<std::string> args;
    const char *before = "500\n";
    const char *after = nullptr; // nullptr: no regular file at the attribute's path
    Device device = Device::Holds;
    Runner runner = Runner::Root;
    bool usage = false;
    const char *err = "";
    int status = 0;
    const char *argv0 = "lumtune";
};

void PrintTo(const Case &c, std::ostream *out) {
    *out << c.name;
}

bool make_device(Device device, const char *before) {
    if (mkdir("/sys/class/backlight", 0755) != 0) {
        return false;
    }
    switch (device) {
    case Device::Holds: return mkdir(kDevice.c_str(), 0755) == 0 && write_file(kAttribute, before);
    case Device::NoDevice: return true;
    case Device::NoAttribute: return mkdir(kDevice.c_str(), 0755) == 0;
    case Device::Refuses:
        return mkdir(kDevice.c_str(), 0755) == 0 && symlink("/dev/full", kAttribute.c_str()) == 0;
    case Device::Unreadable:
        return mkdir(kDevice.c_str(), 0755) == 0 && mkdir(kAttribute.c_str(), 0755) == 0;
    }
    return false;
}

// Copies of the tool on the tmpfs, where an unprivileged caller can reach them
// and a set-user-id bit takes effect.
bool install_copies() {
    std::string binary = read_file(LUMTUNE_BINARY);
    return !binary.empty() && mkdir(kCopies.c_str(), 0755) == 0 &&
           write_file(kCopy, binary, 0755) &&
           (!running_as_real_root() || write_file(kSetuidCopy, binary, 04755));
}

bool regular_file_at(const std::string &path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

class Covered : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(sandbox_problem(), "");
        ASSERT_EQ(cover_sys_class(), "");
        ASSERT_TRUE(install_copies());
    }
    void TearDown() override {
        uncover_sys_class();
    }
};

class EndToEnd : public Covered, public testing::WithParamInterface<Case> {};

TEST_P(EndToEnd, Run) {
    const Case &c = GetParam();
    if (c.runner == Runner::SetuidCopy && !running_as_real_root()) {
        GTEST_SKIP() << "a set-user-id root copy needs the tests to run as root";
    }
    ASSERT_TRUE(make_device(c.device, c.before));
    std::vector<std::string> argv{c.argv0};
    argv.insert(argv.end(), c.args.begin(), c.args.end());

    Outcome outcome = run_program(c.runner == Runner::SetuidCopy ? kSetuidCopy : kCopy, argv,
                                  c.runner == Runner::Root ? Caller::Root : Caller::Unprivileged);

    ASSERT_EQ(outcome.refusal, "");
    EXPECT_EQ(outcome.out, c.usage ? usage_text() : "");
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.status, c.status);
    if (c.after != nullptr) {
        ASSERT_TRUE(regular_file_at(kAttribute)) << "the attribute is gone";
        EXPECT_EQ(read_file(kAttribute), c.after);
    } else {
        EXPECT_FALSE(regular_file_at(kAttribute)) << "a file was created at the attribute's path";
    }
}

const char *const kMustBeRoot = "ERROR: main - Must be root\n";
const char *const kInvalid = "ERROR: bright_set - Invalid value\n";
const char *const kCannotRead = "ERROR: get_current - Cannot open kernel pipe\n";
const char *const kCannotWrite = "ERROR: commit_change - Cannot open kernel pipe\n";
const char *const kReadFailed = "ERROR: get_current - Cannot read kernel pipe\n";
const char *const kWriteRefused = "ERROR: commit_change - Cannot write kernel pipe\n";

// clang-format off
const Case kCases[] = {
    // Usage: nothing to do, the attribute untouched.
    {.name = "no_argument", .args = {}, .after = "500\n", .usage = true},
    {.name = "empty_argument", .args = {""}, .after = "500\n", .usage = true},
    {.name = "digit_first", .args = {"5"}, .after = "500\n", .usage = true},
    {.name = "letter_first", .args = {"x+5"}, .after = "500\n", .usage = true},
    {.name = "space_first", .args = {" +5"}, .after = "500\n", .usage = true},
    {.name = "other_program_name", .args = {}, .after = "500\n", .usage = true, .argv0 = "brightness-up"},
    {.name = "further_arguments_ignored", .args = {"+5", "=0", "-9"}, .after = "505"},

    // Privilege: checked first, whatever the argument.
    {.name = "not_root_no_argument", .args = {}, .after = "500\n", .runner = Runner::Unprivileged, .usage = true, .err = kMustBeRoot, .status = 1},
    {.name = "not_root_raise", .args = {"+10"}, .after = "500\n", .runner = Runner::Unprivileged, .usage = true, .err = kMustBeRoot, .status = 1},
    {.name = "not_root_usage_argument", .args = {"x"}, .after = "500\n", .runner = Runner::Unprivileged, .usage = true, .err = kMustBeRoot, .status = 1},
    {.name = "setuid_copy_sets", .args = {"=300"}, .after = "300", .runner = Runner::SetuidCopy},

    // Raise: a step of at most 0 is 1; stops at 976.
    {.name = "raise", .args = {"+5"}, .after = "505"},
    {.name = "raise_plus_alone", .args = {"+"}, .after = "501"},
    {.name = "raise_zero", .args = {"+0"}, .after = "501"},
    {.name = "raise_negative", .args = {"+-7"}, .after = "501"},
    {.name = "raise_spaces", .args = {"+ \t10"}, .after = "510"},
    {.name = "raise_leading_zeros", .args = {"+010"}, .after = "510"},
    {.name = "raise_trailing_text", .args = {"+10abc"}, .after = "510"},
    {.name = "raise_second_plus", .args = {"++10"}, .after = "510"},
    {.name = "raise_to_limit", .args = {"+10"}, .before = "970\n", .after = "976"},
    {.name = "raise_at_limit", .args = {"+1"}, .before = "976\n", .after = "976\n"},
    {.name = "raise_int_max", .args = {"+2147483647"}, .after = "976"},
    {.name = "raise_beyond_32_bits", .args = {"+4294967296"}, .after = "976"},
    {.name = "raise_above_limit_lowers", .args = {"+1"}, .before = "990\n", .after = "976"},

    // Lower: a step of at most 0 is 1; stops at 0.
    {.name = "lower", .args = {"-5"}, .after = "495"},
    {.name = "lower_minus_alone", .args = {"-"}, .after = "499"},
    {.name = "lower_zero", .args = {"-0"}, .after = "499"},
    {.name = "lower_double_minus", .args = {"--3"}, .after = "499"},
    {.name = "lower_to_zero", .args = {"-10"}, .before = "5\n", .after = "0"},
    {.name = "lower_at_zero", .args = {"-1"}, .before = "0\n", .after = "0\n"},
    {.name = "lower_above_limit", .args = {"-10"}, .before = "990\n", .after = "980"},
    {.name = "lower_beyond_32_bits", .args = {"-4294967296"}, .after = "0"},

    // Set: 0 to 976, refused otherwise; written even when unchanged.
    {.name = "set", .args = {"=300"}, .after = "300"},
    {.name = "set_limit", .args = {"=976"}, .after = "976"},
    {.name = "set_zero", .args = {"=0"}, .after = "0"},
    {.name = "set_same_level", .args = {"=500"}, .after = "500"},
    {.name = "set_equals_alone", .args = {"="}, .after = "0"},
    {.name = "set_text", .args = {"=abc"}, .after = "0"},
    {.name = "set_spaces_and_sign", .args = {"= +42"}, .after = "42"},
    {.name = "set_leading_zero_is_decimal", .args = {"=042"}, .after = "42"},
    {.name = "set_above_limit", .args = {"=977"}, .after = "500\n", .err = kInvalid, .status = 1},
    {.name = "set_negative", .args = {"=-1"}, .after = "500\n", .err = kInvalid, .status = 1},
    {.name = "set_int_max_plus_one", .args = {"=2147483648"}, .after = "500\n", .err = kInvalid, .status = 1},
    // 2^32 + 500 must not wrap around to 500.
    {.name = "set_wraps_nowhere", .args = {"=4294967796"}, .after = "500\n", .err = kInvalid, .status = 1},

    // The attribute's text.
    {.name = "attribute_empty", .args = {"+5"}, .before = "", .after = "5"},
    {.name = "attribute_text", .args = {"+5"}, .before = "bright\n", .after = "5"},
    {.name = "attribute_spaces", .args = {"+1"}, .before = "  42\n", .after = "43"},
    {.name = "attribute_no_line_end", .args = {"-1"}, .before = "500", .after = "499"},
    {.name = "attribute_beyond_32_bits", .args = {"-1"}, .before = "99999999999\n", .after = "2147483646"},
    {.name = "attribute_below_32_bits", .args = {"+1"}, .before = "-99999999999\n", .after = "-2147483647"},

    // The attribute missing, refusing or unreadable; no file is ever created.
    {.name = "no_device_raise", .args = {"+5"}, .device = Device::NoDevice, .err = kCannotRead, .status = 1},
    {.name = "no_device_set", .args = {"=5"}, .device = Device::NoDevice, .err = kCannotWrite, .status = 1},
    {.name = "no_attribute_lower", .args = {"-5"}, .device = Device::NoAttribute, .err = kCannotRead, .status = 1},
    {.name = "no_attribute_set", .args = {"=5"}, .device = Device::NoAttribute, .err = kCannotWrite, .status = 1},
    {.name = "refused_set", .args = {"=500"}, .device = Device::Refuses, .err = kWriteRefused, .status = 1},
    {.name = "refused_raise", .args = {"+5"}, .device = Device::Refuses, .err = kWriteRefused, .status = 1},
    {.name = "unreadable_raise", .args = {"+5"}, .device = Device::Unreadable, .err = kReadFailed, .status = 1},
    {.name = "unreadable_set", .args = {"=5"}, .device = Device::Unreadable, .err = kCannotWrite, .status = 1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Build, VersionFollowsTheCheckout) {
    char dir[] = "/tmp/lumtune-version.XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string here = dir;
    const std::string git = "git -C " + here + " -c user.name=t -c user.email=t@t ";
    auto stamped = [&] {
        command_output("'" CMAKE_COMMAND "' -DSOURCE_DIR=" + here + " -DOUTPUT=" + here +
                       "/version.hpp -P '" SOURCE_DIR "/cmake/version.cmake'");
        std::string header = read_file(here + "/version.hpp");
        size_t quote = header.find('"');
        return quote == std::string::npos ? header
                                          : header.substr(quote + 1, header.rfind('"') - quote - 1);
    };

    EXPECT_EQ(stamped(), "0.0000000") << "outside a checkout";
    command_output(git + "init -q && " + git + "commit -q --allow-empty -m one && " + git +
                   "commit -q --allow-empty -m two");
    std::string head = command_output(git + "rev-parse HEAD");
    ASSERT_GE(head.size(), 7u);
    EXPECT_EQ(stamped(), "2." + head.substr(0, 7)) << "a checkout with two commits";
    command_output("rm -rf " + here);
}

TEST_F(Covered, BannerVersionHasItsForm) {
    ASSERT_TRUE(make_device(Device::Holds, "500\n"));
    Outcome outcome = run_program(kCopy, {"lumtune"}, Caller::Root);
    std::smatch version;
    ASSERT_TRUE(std::regex_search(outcome.out, version, std::regex("^lumtune v(\\S+) ")))
        << outcome.out;
    EXPECT_TRUE(std::regex_match(version[1].str(), std::regex("[0-9]+\\.[0-9a-f]{7}")))
        << version[1];
}

// What the shipped build promises. A sanitized build brings a runtime with
// libraries and system calls of its own, and its leak check cannot run under strace.
#ifndef LUMTUNE_SANITIZED
TEST(Build, LinksAgainstLibcAlone) {
    std::string dynamic = command_output("readelf -d '" LUMTUNE_BINARY "'");
    std::vector<std::string> needed;
    std::regex entry("\\(NEEDED\\).*\\[(.*)\\]");
    for (std::sregex_iterator it(dynamic.begin(), dynamic.end(), entry), end; it != end; ++it) {
        needed.push_back((*it)[1]);
    }
    EXPECT_EQ(needed, std::vector<std::string>{"libc.so.6"});
}

// The system calls a program makes under strace, one a line, from execve on.
std::vector<std::string> system_calls(const std::vector<std::string> &command) {
    const std::string log = kCopies + "/trace";
    std::vector<std::string> argv{"strace", "-qq", "-o", log};
    argv.insert(argv.end(), command.begin(), command.end());
    Outcome traced = run_program("strace", argv, Caller::Root);
    EXPECT_EQ(traced.status, 0) << traced.refusal << traced.err
                                << "(strace comes in Debian's package strace)";
    std::vector<std::string> calls;
    std::string text = read_file(log);
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        calls.push_back(text.substr(start, end - start));
    }
    return calls;
}

using Lean = Covered;

TEST_F(Lean, NoMoreSystemCallsThanAMinimalCProgram) {
    ASSERT_TRUE(make_device(Device::Holds, "976\n"));
    std::vector<std::string> reference = system_calls({MINIMAL_WRITER_BINARY});
    ASSERT_EQ(read_file(kAttribute), "500");
    ASSERT_TRUE(write_file(kAttribute, "976\n"));
    std::vector<std::string> tool = system_calls({kCopy, "=500"});
    ASSERT_EQ(read_file(kAttribute), "500");
    EXPECT_LE(tool.size(), reference.size()) << "the tool's calls:\n"
                                             << testing::PrintToString(tool);
}

TEST_F(Lean, OneWriteOfTheWholeLevel) {
    ASSERT_TRUE(make_device(Device::Holds, "970\n"));
    std::vector<std::string> writes;
    for (const std::string &call : system_calls({kCopy, "+10"})) {
        if (call.starts_with("write(")) {
            writes.push_back(call);
        }
    }
    ASSERT_EQ(writes.size(), 1u) << testing::PrintToString(writes);
    EXPECT_TRUE(std::regex_match(writes[0], std::regex(R"(write\(\d+, "976", 3\) *= 3)")))
        << writes[0];
    EXPECT_EQ(read_file(kAttribute), "976");
}
#endif

} // namespace
