// Proves src/backlight.cpp with stubs for the system calls, which may fail as
// the kernel's may and record what they were given:
//   both: the attribute is opened read-only to read, write-only and truncated
//     to write, never created; each descriptor opened is closed; a failed open
//     or read, or a write that fails, is cut short or whose close fails, is
//     reported, and nothing else;
//   proof_write: for every level of up to WRITE_DIGITS digits (every int at
//     10), commit_change writes in one write(), from inside its buffer, the
//     level's decimal text: a minus sign exactly when it is negative, then its
//     digits without a leading zero. The harness chooses that text, and the
//     level is its value: every int has exactly one. The digit loop is proved
//     by induction (attribute.json): after k digits, the magnitude left is the
//     value of the text's digits above the k lowest, which are those written;
//   proof_read: for every length read() may return (-1 to the count asked),
//     get_current hands parse_number a text that ends inside its buffer.
#include <climits>
#include <cstddef>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>
// The source, its own headers with it, in C linkage: so that attribute.json
// can name its variables, which C++ names with the function's parameter types.
extern "C" {
#include "backlight.cpp"

char nondet_char();
ssize_t nondet_ssize_t();
static int access_mode, open_descriptors; // access_mode: O_RDONLY or O_WRONLY
static bool failed;                       // a call failed, so it must be reported
static ssize_t written_length, read_length;
static const char *read_buffer;
static ssize_t result_up_to(size_t count) {
    const ssize_t result = nondet_ssize_t();
    __CPROVER_assume(result >= -1 && result <= static_cast<ssize_t>(count));
    return result;
}
extern "C" int open(const char *, int flags, ...) {
    const bool as_needed =
        (flags & (O_ACCMODE | O_CREAT)) == access_mode && (!access_mode || flags & O_TRUNC);
    __CPROVER_assert(as_needed, "opened as the access needs");
    const int descriptor = nondet_int() < 0 ? -1 : nondet_int();
    failed = descriptor < 0;
    open_descriptors += !failed;
    return descriptor;
}
extern "C" int close(int) {
    --open_descriptors;
    const int result = nondet_int() == 0 ? 0 : -1;
    failed = failed || (access_mode == O_WRONLY && result != 0); // a failed close loses a write
    return result;
}
static bool negative;         // the level written: its sign,
static int digits;            // how many digits it has, 1 to WRITE_DIGITS,
static char digit[10];        // digit[i]: the one worth 10^i,
unsigned long long above[11]; // above[i]: the value of digit[i] and those above it
extern "C" ssize_t write(int descriptor, const void *text, size_t count) {
    __CPROVER_assert(descriptor >= 0 && written_length < 0, "only an open descriptor, one write");
    written_length = static_cast<ssize_t>(count);
    // The text, where commit_change has it: a sign exactly when negative, then the digits.
    const char *end = static_cast<const char *>(text) + count;
    __CPROVER_assert(written_length == negative + digits && (!negative || end[-1 - digits] == '-'),
                     "a sign exactly when negative, then as many digits");
    for (int i = 0; i < digits; ++i) {
        __CPROVER_assert(end[-1 - i] == '0' + digit[i], "the level's digits");
    }
    const ssize_t result = result_up_to(count);
    failed = result != written_length;
    return result;
}
extern "C" ssize_t read(int descriptor, void *buffer, size_t count) {
    __CPROVER_assert(descriptor >= 0, "only an open descriptor read");
    read_buffer = static_cast<const char *>(buffer);
    read_length = result_up_to(count);
    failed = read_length < 0;
    return read_length;
}
int parse_number(const char *text) {
    // --bounds-check checks that text[read_length] lies inside the buffer.
    __CPROVER_assert(text == read_buffer && text[read_length] == '\0',
                     "the text ends inside its buffer");
    return 0;
}
// Each proof starts here: goto-instrument gives every static any first value.
static void start(int mode) {
    access_mode = mode;
    open_descriptors = 0;
    failed = false;
    written_length = -1;
}
void fatal_error(const char *, const char *) {
    __CPROVER_assert(failed && open_descriptors == 0, "only a failure reported, once closed");
    __CPROVER_assume(false); // it never returns
}
void proof_write() {
    digits = nondet_int();
    __CPROVER_assume(digits >= 1 && digits <= WRITE_DIGITS);
    above[10] = 0;
    for (int i = 9; i >= 0; --i) {
        digit[i] = nondet_char();
        __CPROVER_assume(digit[i] >= 0 && digit[i] <= 9);
        above[i] = i < digits ? above[i + 1] * 10 + digit[i] : 0ULL;
    }
    __CPROVER_assume(digits == 1 || digit[digits - 1] != 0);
    negative = nondet_int() < 0;
    const long long level =
        negative ? -static_cast<long long>(above[0]) : static_cast<long long>(above[0]);
    __CPROVER_assume(level >= INT_MIN && level <= INT_MAX && (level < 0) == negative);
    start(O_WRONLY);
    commit_change(static_cast<int>(level));
    __CPROVER_assert(!failed && open_descriptors == 0 && written_length >= 0,
                     "a success that is one, written, closed");
    COVER(negative);
    COVER(written_length == 1);
}
void proof_read() {
    start(O_RDONLY);
    get_current();
    __CPROVER_assert(!failed && open_descriptors == 0, "a success that is one, closed");
    COVER(read_length == 0);
    COVER(read_length == 4095);
}
}
