#include "backlight.hpp"

#include "common.hpp"

#include <cstddef>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

int get_current() {
    const int fd = open(BRIGHTNESS_PATH, O_RDONLY | O_CLOEXEC);
    if (fd < 0) { fatal_error("get_current", "Cannot open kernel pipe"); }
    // A sysfs attribute holds at most one page and hands it over in one read.
    char text[4096];
    const ssize_t length = read(fd, text, sizeof text - 1);
    close(fd);
    if (length < 0) { fatal_error("get_current", "Cannot read kernel pipe"); }
    text[length] = '\0';
    return parse_number(text);
}

// Puts the level as decimal text just before `end` and returns where it starts.
// By hand rather than with snprintf, whose machinery costs a fresh process
// several page faults: measurably slower on every key press.
static char *format_level(int level, char *end) {
    // Unsigned, so that even the most negative level has a magnitude.
    unsigned magnitude =
        level < 0 ? 0U - static_cast<unsigned>(level) : static_cast<unsigned>(level);
    char *start = end;
    do {
        *--start = static_cast<char>('0' + (magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (level < 0) { *--start = '-'; }
    return start;
}

void commit_change(int level) {
    // No O_CREAT: a missing attribute is an error, never a new file.
    const int fd = open(BRIGHTNESS_PATH, O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) { fatal_error("commit_change", "Cannot open kernel pipe"); }
    // The kernel applies every write() on its own, so the text goes in one.
    char text[16];
    char *end = text + sizeof text;
    char *start = format_level(level, end);
    const ssize_t written = write(fd, start, static_cast<size_t>(end - start));
    const int closed = close(fd);
    if (written != end - start || closed != 0) {
        fatal_error("commit_change", "Cannot write kernel pipe");
    }
}
