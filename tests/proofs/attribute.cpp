// Proves src/backlight.cpp with stubs for the system calls, which may fail as
// the kernel's may and record what they were given:
//   both: the attribute is opened read-only to read, write-only and truncated
//     to write, never created; each descriptor opened is closed; a failed open
//     or read, or a write that fails, is cut short or whose close fails, is
//     reported, and nothing else;
//   proof_write: for every level from WRITE_LOW to WRITE_HIGH, commit_change
//     writes in one write(), from inside its buffer, the level's decimal digits
//     without a leading zero, after a minus sign exactly when it is negative;
//     read back exactly, in 64 bits, they are the level;
//   proof_read: for every length read() may return (-1 to the count asked),
//     get_current hands parse_number a text that ends inside its buffer.
#include "backlight.hpp"
#include "common.hpp"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

ssize_t nondet_ssize_t();
static int access_mode, open_descriptors = 0; // access_mode: O_RDONLY or O_WRONLY
static bool failed = false;                   // a call failed, so it must be reported
static char written[16];
static ssize_t written_length = -1, read_length;
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
extern "C" ssize_t write(int descriptor, const void *text, size_t count) {
    __CPROVER_assert(descriptor >= 0 && written_length < 0 && count <= sizeof written,
                     "one write of 16 bytes");
    memcpy(written, text, count);
    written_length = static_cast<ssize_t>(count);
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
void fatal_error(const char *, const char *) {
    __CPROVER_assert(failed && open_descriptors == 0, "only a failure reported, once closed");
    __CPROVER_assume(false); // it never returns
}
void proof_write() {
    const int level = nondet_int();
    __CPROVER_assume(level >= WRITE_LOW && level <= WRITE_HIGH);
    access_mode = O_WRONLY;
    commit_change(level);
    __CPROVER_assert(!failed && open_descriptors == 0, "a success that is one, closed");
    const bool negative = written[0] == '-';
    ssize_t i = negative ? 1 : 0;
    __CPROVER_assert(negative == (level < 0) && i < written_length, "a sign exactly when negative");
    __CPROVER_assert(written[i] != '0' || written_length == i + 1, "no leading zero");
    long long value = 0;
    for (; i < written_length; ++i) {
        __CPROVER_assert(written[i] >= '0' && written[i] <= '9', "decimal digits");
        value = value * 10 + (written[i] - '0');
    }
    __CPROVER_assert((negative ? -value : value) == level, "the level's digits");
    COVER(negative);
    COVER(written_length == 1);
}
void proof_read() {
    access_mode = O_RDONLY;
    get_current();
    __CPROVER_assert(!failed && open_descriptors == 0, "a success that is one, closed");
    COVER(read_length == 0);
    COVER(read_length == 4095);
}
