// Runs programs against a fake backlight: a private mount namespace with a
// fresh tmpfs laid over /sys/class, so no test can reach a real device.
#pragma once

#include <string>
#include <vector>

// Enters a private mount namespace, inside a user namespace of our own when the
// tests do not run as root. Returns an explanation on failure, "" on success.
std::string enter_private_namespace();

// True when the tests run as root of the machine, not in a user namespace of their own.
bool running_as_real_root();

// Lays a fresh tmpfs over /sys/class and checks that it is there.
// Returns an explanation on failure, "" on success.
std::string cover_sys_class();
void uncover_sys_class();

enum class Caller {
    Root,
    // Root of the machine drops to nobody; inside our own user namespace a
    // nested one maps the caller to a uid other than 0.
    Unprivileged,
};

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;     // exit status; -1 when the program did not exit normally
    std::string refusal; // why the program was not run, "" when it was
};

// Runs the program at path with argv (argv[0] included) after checking that the
// overlay is in place; it is never run without it.
Outcome run_program(const std::string &path, const std::vector<std::string> &argv, Caller caller);

bool write_file(const std::string &path, const std::string &content, unsigned mode = 0644);
std::string read_file(const std::string &path);
