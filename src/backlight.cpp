#include "backlight.hpp"

#include "common.hpp"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int get_current() {
    int fd = open(BRIGHTNESS_PATH, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        fatal_error("get_current", "Cannot open kernel pipe");
    }
    // A sysfs attribute holds at most one page and hands it over in one read.
    char text[4096];
    ssize_t length = read(fd, text, sizeof text - 1);
    close(fd);
    if (length < 0) {
        fatal_error("get_current", "Cannot read kernel pipe");
    }
    text[length] = '\0';
    return parse_number(text);
}

void commit_change(int level) {
    // No O_CREAT: a missing attribute is an error, never a new file.
    int fd = open(BRIGHTNESS_PATH, O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        fatal_error("commit_change", "Cannot open kernel pipe");
    }
    // The kernel applies every write() on its own, so the text goes in one.
    char text[16];
    int length = std::snprintf(text, sizeof text, "%d", level);
    ssize_t written = write(fd, text, static_cast<size_t>(length));
    int closed = close(fd);
    if (written != length || closed != 0) {
        fatal_error("commit_change", "Cannot write kernel pipe");
    }
}
