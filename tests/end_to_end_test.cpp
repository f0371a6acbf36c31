// Runs the built tool against a fake attribute on a tmpfs over /sys/class, and
// checks its output, exit status and the attribute's exact bytes afterwards: a
// level written has no line end, so the starting "500\n" means no write. The
// levels follow the build's floor and limit.
#include "sandbox.hpp"

#include <climits>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kDevice = "/sys/class/backlight/" PANEL_DEVICE;
const std::string kAttribute = kDevice + "/brightness";
constexpr long long kFloor = PANEL_FLOOR;
constexpr long long kLimit = PANEL_LIMIT;
const std::string kCopies = "/sys/class/test-bin";
const std::string kCopy = kCopies + "/lumtune";
const std::string kSetuidCopy = kCopies + "/lumtune-setuid";

// The levels the cases start from and set: 500 and 300 in a default build, and
// where those do not fit, levels well inside the floor and limit.
constexpr long long kLevel =
    kFloor + 10 <= 500 && 500 + 10 <= kLimit ? 500 : kFloor + (kLimit - kFloor) / 2;
constexpr long long kSetLevel =
    kLevel - 200 >= kFloor ? kLevel - 200 : kFloor + (kLevel - kFloor) / 2;

// A level as the tool writes it, and as the kernel shows it (with a line end).
std::string text(long long level) { return std::to_string(level); }
std::string line(long long level) { return text(level) + "\n"; }

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
    return count.substr(0, count.find('\n')) + "." + commit.substr(0, 7);
}

const std::string &expected_version() {
    static const std::string version = version_of_checkout();
    return version;
}

std::string usage_text() {
    return "lumtune v" + expected_version() + " (works only with 2.6+ kernels).\n" USAGE_LINE "\n";
}

// Each test process enters its sandbox once.
const std::string &sandbox_problem() {
    expected_version(); // git is asked outside the namespace
    static const std::string problem = enter_private_namespace();
    return problem;
}

enum class Device {
    Holds,       // the attribute holds `before`
    NoDevice,    // /sys/class/backlight exists, the device does not
    NoAttribute, // the device directory exists without its brightness attribute
    Refuses,     // every write fails (the attribute is /dev/full)
    Unreadable,  // opens but cannot be read (the attribute is a directory)
    ReadOnly,    // holds `before` on a file system mounted read-only
};

enum class Runner { Root, Unprivileged, SetuidCopy };

// What a case needs of the build's floor and limit to be posed at all.
enum class Needs {
    Nothing,
    Room,        // a range at least 20 wide, so ten levels on each side of kLevel
    AboveLimit,  // levels above the limit that still fit in 32 bits
    ZeroFloor,   // a floor of 0
    RaisedFloor, // a floor above 0
};

struct Case {
    std::string name;
    std::vector<std::string> args;
    std::string before = line(kLevel);
    // None: no regular file at the attribute's path afterwards.
    std::optional<std::string> after = std::nullopt;
    Device device = Device::Holds;
    Runner runner = Runner::Root;
    bool usage = false;
    const char *err = "";
    int status = 0;
    const char *argv0 = "lumtune";
    Needs needs = Needs::Nothing;
    // With one_stream, the usage text and then the error line in standard output.
    Conditions conditions = {};
};

void PrintTo(const Case &c, std::ostream *out) { *out << c.name; }

// Why the case cannot be posed with this build's floor and limit; "" when it can.
std::string unposable(Needs needs) {
    const std::string range =
        "not posed in this build: the range " + text(kFloor) + "-" + text(kLimit);
    switch (needs) {
    case Needs::Nothing: return "";
    case Needs::Room: return kLimit - kFloor >= 20 ? "" : range + " is too narrow";
    case Needs::AboveLimit: return kLimit + 14 <= INT_MAX ? "" : range + " ends too near 2^31";
    case Needs::ZeroFloor: return kFloor == 0 ? "" : "not posed in this build: the floor is not 0";
    case Needs::RaisedFloor: return kFloor > 0 ? "" : "not posed in this build: the floor is 0";
    }
    return "unknown need";
}

bool make_device(Device device, const std::string &before) {
    if (mkdir("/sys/class/backlight", 0755) != 0) { return false; }
    switch (device) {
    case Device::Holds: return mkdir(kDevice.c_str(), 0755) == 0 && write_file(kAttribute, before);
    case Device::NoDevice: return true;
    case Device::NoAttribute: return mkdir(kDevice.c_str(), 0755) == 0;
    case Device::Refuses:
        return mkdir(kDevice.c_str(), 0755) == 0 && symlink("/dev/full", kAttribute.c_str()) == 0;
    case Device::Unreadable:
        return mkdir(kDevice.c_str(), 0755) == 0 && mkdir(kAttribute.c_str(), 0755) == 0;
    case Device::ReadOnly:
        return mkdir(kDevice.c_str(), 0755) == 0 && write_file(kAttribute, before) &&
               mount(nullptr, "/sys/class", nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    return false;
}

// Copies of the tool on the tmpfs, where nobody can run them and set-user-id works.
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
    void TearDown() override { uncover_sys_class(); }
};

class EndToEnd : public Covered, public testing::WithParamInterface<Case> {};

// Why the case cannot run here; "" when it can.
std::string skipped(const Case &c) {
    const bool setuid = c.runner == Runner::SetuidCopy;
    if (setuid && !running_as_real_root()) {
        return "a set-user-id root copy needs the tests to run as root";
    }
    if (setuid && emulated()) {
        return "the kernel starts the emulator, not the set-user-id copy (the kernel tests check "
               "it)";
    }
    if (memchecked() && (setuid || c.conditions.file_size_limit != 0 ||
                         c.conditions.closed_streams & 1U << STDERR_FILENO)) {
        return "valgrind runs the copy as its caller, writes files of its own and reports on "
               "standard error";
    }
    return unposable(c.needs);
}

TEST_P(EndToEnd, Run) {
    const Case &c = GetParam();
    if (std::string why = skipped(c); !why.empty()) { GTEST_SKIP() << why; }
    ASSERT_TRUE(make_device(c.device, c.before));
    std::vector<std::string> argv{c.argv0};
    argv.insert(argv.end(), c.args.begin(), c.args.end());

    Outcome outcome =
        run_program(c.runner == Runner::SetuidCopy ? kSetuidCopy : kCopy, argv,
                    c.runner == Runner::Root ? Caller::Root : Caller::Unprivileged, c.conditions);

    ASSERT_EQ(outcome.refusal, "");
    std::string out = c.usage ? usage_text() : "";
    if (c.conditions.file_size_limit != 0 && out.size() > c.conditions.file_size_limit) {
        out.resize(c.conditions.file_size_limit);
    }
    if (c.conditions.one_stream) {
        EXPECT_EQ(outcome.out, out + c.err);
        EXPECT_EQ(outcome.err, "");
    } else {
        EXPECT_EQ(outcome.out, out);
        EXPECT_EQ(outcome.err, c.err);
    }
    EXPECT_EQ(outcome.status, c.status);
    if (c.after) {
        ASSERT_TRUE(regular_file_at(kAttribute)) << "the attribute is gone";
        EXPECT_EQ(read_file(kAttribute), *c.after);
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
const char *const kNoOutput = "ERROR: show_usage - Cannot write standard output\n";

// A level the tool refuses to set.
const std::string kAboveLimit = text(kLimit + 1);
// The limit as the tool writes it, and its first bytes: all a file-size limit
// one byte short of it lets through.
const std::string kLimitText = text(kLimit);
const std::string kLimitCut = kLimitText.substr(0, kLimitText.size() - 1);

// clang-format off
const Case kCases[] = {
    // Usage: nothing to do, the attribute untouched.
    {.name = "no_argument", .args = {}, .after = line(kLevel), .usage = true},
    {.name = "empty_argument", .args = {""}, .after = line(kLevel), .usage = true},
    {.name = "digit_first", .args = {"5"}, .after = line(kLevel), .usage = true},
    {.name = "letter_first", .args = {"x+5"}, .after = line(kLevel), .usage = true},
    {.name = "space_first", .args = {" +5"}, .after = line(kLevel), .usage = true},
    {.name = "other_program_name", .args = {}, .after = line(kLevel), .usage = true, .argv0 = "brightness-up"},
    // A usage text that cannot be written is an error.
    {.name = "usage_to_full_output", .args = {}, .after = line(kLevel), .err = kNoOutput, .status = 1, .conditions = {.full_output = true}},
    // Cut short by a file-size limit: the banner's first ten bytes, then the error.
    {.name = "usage_cut_short", .args = {}, .after = line(kLevel), .usage = true, .err = kNoOutput, .status = 1, .conditions = {.output_file = true, .file_size_limit = 10}},
    {.name = "usage_argument_to_full_output", .args = {"x"}, .after = line(kLevel), .err = kNoOutput, .status = 1, .conditions = {.full_output = true}},
    {.name = "further_arguments_ignored", .args = {"+5", "=0", "-9"}, .after = text(kLevel + 5), .needs = Needs::Room},

    // The attribute's text.
    {.name = "attribute_empty", .args = {"+5"}, .before = "", .after = "5", .needs = Needs::Room},
    {.name = "attribute_text", .args = {"+5"}, .before = "bright\n", .after = "5", .needs = Needs::Room},
    {.name = "attribute_spaces", .args = {"+1"}, .before = "  " + line(kLevel), .after = text(kLevel + 1)},
    {.name = "attribute_no_line_end", .args = {"-1"}, .before = text(kLevel), .after = text(kLevel - 1), .needs = Needs::Room},
    // One read of at most one page less a byte: the "2" beyond its 4095 bytes is not read.
    {.name = "attribute_one_page", .args = {"+1"}, .before = std::string(4094, ' ') + "12\n", .after = "2", .needs = Needs::Room},

    // Privilege: checked first, whatever the argument.
    {.name = "not_root_no_argument", .args = {}, .after = line(kLevel), .runner = Runner::Unprivileged, .usage = true, .err = kMustBeRoot, .status = 1},
    {.name = "not_root_raise", .args = {"+10"}, .after = line(kLevel), .runner = Runner::Unprivileged, .usage = true, .err = kMustBeRoot, .status = 1},
    {.name = "not_root_usage_argument", .args = {"x"}, .after = line(kLevel), .runner = Runner::Unprivileged, .usage = true, .err = kMustBeRoot, .status = 1},
    {.name = "not_root_usage_then_error", .args = {"+10"}, .after = line(kLevel), .runner = Runner::Unprivileged, .usage = true, .err = kMustBeRoot, .status = 1, .conditions = {.one_stream = true}},
    {.name = "setuid_copy_sets", .args = {"=" + text(kSetLevel)}, .after = text(kSetLevel), .runner = Runner::SetuidCopy},

    // Raise: a step of at most 0 is 1; stops at the limit.
    {.name = "raise", .args = {"+5"}, .after = text(kLevel + 5), .needs = Needs::Room},
    {.name = "raise_plus_alone", .args = {"+"}, .after = text(kLevel + 1)},
    {.name = "raise_zero", .args = {"+0"}, .after = text(kLevel + 1)},
    {.name = "raise_negative", .args = {"+-7"}, .after = text(kLevel + 1)},
    {.name = "raise_to_limit", .args = {"+10"}, .before = line(kLimit - 6), .after = text(kLimit)},
    {.name = "raise_at_limit", .args = {"+1"}, .before = line(kLimit), .after = line(kLimit)},
    {.name = "raise_int_max", .args = {"+2147483647"}, .after = text(kLimit)},
    {.name = "raise_beyond_32_bits", .args = {"+4294967296"}, .after = text(kLimit)},
    {.name = "raise_above_limit_lowers", .args = {"+1"}, .before = line(kLimit + 14), .after = text(kLimit), .needs = Needs::AboveLimit},
    // The floor bounds lowering and setting only: a raise from below it moves by its step.
    {.name = "raise_below_floor", .args = {"+2"}, .before = line(kFloor - 5), .after = text(kFloor - 3)},

    // Lower: a step of at most 0 is 1; stops at the floor.
    {.name = "lower", .args = {"-5"}, .after = text(kLevel - 5), .needs = Needs::Room},
    {.name = "lower_minus_alone", .args = {"-"}, .after = text(kLevel - 1), .needs = Needs::Room},
    {.name = "lower_zero", .args = {"-0"}, .after = text(kLevel - 1), .needs = Needs::Room},
    {.name = "lower_double_minus", .args = {"--3"}, .after = text(kLevel - 1), .needs = Needs::Room},
    {.name = "lower_to_floor", .args = {"-10"}, .before = line(kFloor + 5), .after = text(kFloor), .needs = Needs::Room},
    // From a level the step alone would take to 0: it is the floor that stops it.
    {.name = "lower_past_floor", .args = {"-" + text(kFloor + 5)}, .before = line(kFloor + 5), .after = text(kFloor), .needs = Needs::Room},
    {.name = "lower_at_floor", .args = {"-1"}, .before = line(kFloor), .after = line(kFloor)},
    {.name = "lower_above_limit", .args = {"-10"}, .before = line(kLimit + 14), .after = text(kLimit + 4), .needs = Needs::AboveLimit},
    {.name = "lower_beyond_32_bits", .args = {"-4294967296"}, .after = text(kFloor), .needs = Needs::Room},
    // The mirror of a raise from above the limit: a lower from below the floor sets the floor.
    {.name = "lower_below_floor", .args = {"-1"}, .before = line(kFloor - 1), .after = text(kFloor)},
    {.name = "lower_from_int_min", .args = {"-1"}, .before = "-2147483648\n", .after = text(kFloor)},
    {.name = "lower_from_negative", .args = {"-5"}, .before = "-20\n", .after = text(kFloor)},

    // Set: from the floor to the limit, refused otherwise; written even when unchanged.
    {.name = "set", .args = {"=" + text(kSetLevel)}, .after = text(kSetLevel)},
    {.name = "set_limit", .args = {"=" + text(kLimit)}, .after = text(kLimit)},
    {.name = "set_floor", .args = {"=" + text(kFloor)}, .after = text(kFloor)},
    {.name = "set_same_level", .args = {"=" + text(kLevel)}, .after = text(kLevel)},
    // No number reads as 0, which only a floor of 0 lets through.
    {.name = "set_equals_alone", .args = {"="}, .after = "0", .needs = Needs::ZeroFloor},
    {.name = "set_text", .args = {"=abc"}, .after = "0", .needs = Needs::ZeroFloor},
    {.name = "set_equals_alone_below_floor", .args = {"="}, .after = line(kLevel), .err = kInvalid, .status = 1, .needs = Needs::RaisedFloor},
    {.name = "set_text_below_floor", .args = {"=abc"}, .after = line(kLevel), .err = kInvalid, .status = 1, .needs = Needs::RaisedFloor},
    {.name = "set_above_limit", .args = {"=" + kAboveLimit}, .after = line(kLevel), .err = kInvalid, .status = 1, .needs = Needs::AboveLimit},
    {.name = "set_below_floor", .args = {"=" + text(kFloor - 1)}, .after = line(kLevel), .err = kInvalid, .status = 1},
    {.name = "set_negative", .args = {"=-1"}, .after = line(kLevel), .err = kInvalid, .status = 1},
    {.name = "set_int_max_plus_one", .args = {"=2147483648"}, .after = line(kLevel), .err = kInvalid, .status = 1, .needs = Needs::AboveLimit},

    // The attribute missing, refusing or unreadable; no file is ever created.
    {.name = "no_device_raise", .args = {"+5"}, .device = Device::NoDevice, .err = kCannotRead, .status = 1},
    {.name = "no_device_set", .args = {"=" + text(kSetLevel)}, .device = Device::NoDevice, .err = kCannotWrite, .status = 1},
    {.name = "no_attribute_lower", .args = {"-5"}, .device = Device::NoAttribute, .err = kCannotRead, .status = 1},
    {.name = "no_attribute_set", .args = {"=" + text(kSetLevel)}, .device = Device::NoAttribute, .err = kCannotWrite, .status = 1},
    {.name = "refused_set", .args = {"=" + text(kLevel)}, .device = Device::Refuses, .err = kWriteRefused, .status = 1},
    {.name = "refused_raise", .args = {"+5"}, .device = Device::Refuses, .err = kWriteRefused, .status = 1},
    {.name = "unreadable_raise", .args = {"+5"}, .device = Device::Unreadable, .err = kReadFailed, .status = 1},
    {.name = "unreadable_set", .args = {"=" + text(kSetLevel)}, .device = Device::Unreadable, .err = kCannotWrite, .status = 1},
    // Read-only, the attribute is read, then cannot be opened to write.
    {.name = "read_only_raise", .args = {"+5"}, .after = line(kLevel), .device = Device::ReadOnly, .err = kCannotWrite, .status = 1},
    // A write cut short, or one that the close reports failed, is a failure too.
    {.name = "short_write_set", .args = {"=" + kLimitText}, .after = kLimitCut, .err = kWriteRefused, .status = 1, .needs = Needs::Room, .conditions = {.file_size_limit = kLimitText.size() - 1}},
    {.name = "short_write_raise", .args = {"+" + text(kLimit)}, .after = kLimitCut, .err = kWriteRefused, .status = 1, .needs = Needs::Room, .conditions = {.file_size_limit = kLimitText.size() - 1}},
    {.name = "failed_close_set", .args = {"=" + text(kSetLevel)}, .after = text(kSetLevel), .err = kWriteRefused, .status = 1, .conditions = {.failing_close = kAttribute}},
    {.name = "failed_close_lower", .args = {"-1"}, .after = text(kLevel - 1), .err = kWriteRefused, .status = 1, .needs = Needs::Room, .conditions = {.failing_close = kAttribute}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(kCases),
                         [](const auto &info) { return info.param.name; });

// A key daemon may start the tool with standard input, output or error closed,
// and the attribute's descriptor be 0, 1 or 2: each action works, or fails, as
// with all three open (the error line unseen with standard error closed).
std::vector<Case> closed_stream_cases() {
    const Case actions[] = {
        {.name = "raise", .args = {"+5"}, .after = text(kLevel + 5), .needs = Needs::Room},
        {.name = "lower", .args = {"-5"}, .after = text(kLevel - 5), .needs = Needs::Room},
        {.name = "set", .args = {"=" + text(kSetLevel)}, .after = text(kSetLevel)},
        // clang-format off
        {.name = "refused_set", .args = {"=" + text(kSetLevel)}, .device = Device::Refuses, .err = kWriteRefused, .status = 1},
        // clang-format on
    };
    const std::pair<const char *, unsigned> closings[] = {
        {"stdin", 1}, {"stdout", 2}, {"stderr", 4}, {"all", 7}}; // bit N: descriptor N
    std::vector<Case> cases;
    for (const auto &[closed, streams] : closings) {
        for (Case c : actions) {
            c.name += std::string("_") + closed + "_closed";
            c.conditions.closed_streams = streams;
            if (streams & 1U << STDERR_FILENO) { c.err = ""; }
            cases.push_back(c);
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(ClosedStreams, EndToEnd, testing::ValuesIn(closed_stream_cases()),
                         [](const auto &info) { return info.param.name; });

// What the shipped build promises; a sanitized one has a runtime of its own.
#ifndef LUMTUNE_SANITIZED
// libc, and on AArch64 the dynamic loader, which holds the stack protector's
// canary; nothing else, such as libstdc++, libgcc_s or libm.
TEST(Build, LinksAgainstLibcAlone) {
#ifdef __aarch64__
    const std::string allowed = "libc.so.6\nld-linux-aarch64.so.1\n";
#else
    const std::string allowed = "libc.so.6\n";
#endif
    EXPECT_EQ(command_output("readelf -d '" LUMTUNE_BINARY
                             "' | sed -n 's/.*(NEEDED).*\\[\\(.*\\)\\]$/\\1/p'"),
              allowed);
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

class Lean : public Covered {
  protected:
    void SetUp() override {
        if (emulated()) {
            GTEST_SKIP() << "strace would count the emulator's system calls, not the tool's";
        }
        Covered::SetUp();
    }
};

TEST_F(Lean, NoMoreSystemCallsThanAMinimalCProgram) {
    ASSERT_TRUE(make_device(Device::Holds, line(kLimit)));
    std::vector<std::string> reference = system_calls({MINIMAL_WRITER_BINARY});
    ASSERT_EQ(read_file(kAttribute), "500");
    ASSERT_TRUE(write_file(kAttribute, line(kLimit)));
    std::vector<std::string> tool = system_calls({kCopy, "=" + text(kSetLevel)});
    ASSERT_EQ(read_file(kAttribute), text(kSetLevel));
    EXPECT_LE(tool.size(), reference.size()) << "the tool's calls:\n"
                                             << testing::PrintToString(tool);
}

// A raise: the attribute opened to read, closed, opened again to write, and
// the whole level in one write.
TEST_F(Lean, ReadClosedThenOneWriteOfTheWholeLevel) {
    ASSERT_TRUE(make_device(Device::Holds, line(kLimit - 6)));
    std::vector<std::string> calls = system_calls({kCopy, "+10"}), opens, writes;
    std::string closing;
    bool closed = false;
    for (const std::string &call : calls) {
        if (call.find('"' + kAttribute + '"') != std::string::npos) {
            opens.push_back(call);
            closing = "close(" + call.substr(call.rfind(' ') + 1) + ")";
        }
        closed = closed || (opens.size() == 1 && call.starts_with(closing));
        if (call.starts_with("write(")) { writes.push_back(call); }
    }
    ASSERT_EQ(opens.size(), 2u) << testing::PrintToString(calls);
    EXPECT_TRUE(closed) << "the read's descriptor is not closed before the write's open";
    ASSERT_EQ(writes.size(), 1u) << testing::PrintToString(writes);
    const std::string limit = text(kLimit), size = text(static_cast<long long>(limit.size()));
    EXPECT_NE(writes[0].find(", \"" + limit + "\", " + size + ")"), std::string::npos) << writes[0];
    EXPECT_TRUE(writes[0].ends_with("= " + size)) << writes[0];
    EXPECT_EQ(read_file(kAttribute), limit);
}
#endif

} // namespace
