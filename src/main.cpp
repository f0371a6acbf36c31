// lumtune: raises, lowers or sets the display backlight level.
#include "commands.hpp"
#include "common.hpp"

#include <cstdio>
#include <unistd.h>

static void show_usage() {
    char text[256];
    const int length = std::snprintf(text, sizeof text,
                                     "%s v%s (works only with 2.6+ kernels).\n"
                                     "usage: %s [+-=[%d-%d]]\n",
                                     PROGRAM_NAME, PROGRAM_VERSION, PROGRAM_NAME, BRIGHTNESS_FLOOR,
                                     BRIGHTNESS_LIMIT);
    // Two short lines: one write hands them over whole, even to a pipe.
    if (length <= 0 || write(STDOUT_FILENO, text, static_cast<size_t>(length)) != length) {
        fatal_error("show_usage", "Cannot write standard output");
    }
}

int main(int argc, char **argv) {
    if (geteuid() != 0) {
        show_usage();
        fatal_error("main", "Must be root");
    }
    if (argc < 2) {
        show_usage();
        return 0;
    }
    const char *argument = argv[1];
    switch (argument[0]) {
    case '+': bright_inc(parse_number(argument + 1)); break;
    case '-': bright_dec(parse_number(argument + 1)); break;
    case '=': bright_set(parse_number(argument + 1)); break;
    default: show_usage(); break;
    }
    return 0;
}
