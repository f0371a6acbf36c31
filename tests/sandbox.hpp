// Runs programs against a fake backlight: a private mount namespace with a
// fresh tmpfs laid over /sys/class, so no test can reach a real device.
#pragma once

#include <string>
#include <vector>

// Enters a private mount namespace, inside a user namespace of our own when the
// tests do not run as root. Returns an explanation on failure, "" on success.
std::string enter_private_namespace();

// True when the programs run under an emulator, as those of a cross build do.
bool emulated();

// True when the programs run under a memory checker (MEMCHECK in the environment).
bool memchecked();

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
    std::string out; // with one_stream, standard error too
    std::string err;
    int status = -1;     // exit status; -1 when the program did not exit normally
    std::string refusal; // why the program was not run, "" when it was
};

// What the program finds around it besides its caller, for the failures that a
// fake attribute alone cannot make.
struct Conditions {
    bool one_stream = false;  // standard error goes to standard output, in order
    bool full_output = false; // standard output is /dev/full: every write fails
    // Standard output is a file, which a file-size limit applies to, not a pipe.
    bool output_file = false;
    // The largest file, in bytes, the program may write (RLIMIT_FSIZE); a write
    // that would pass it is cut short there. 0: no limit.
    unsigned long file_size_limit = 0;
    // Every close() of a descriptor of this file fails with EIO, as on a file
    // system that reports a failed write only when the file is closed: strace
    // (run by root) injects the error. "": none fails.
    std::string failing_close = "";
    // The standard descriptors that are closed when the program starts, as a
    // key daemon may start it: bit N for descriptor N. 0: all three are open.
    unsigned closed_streams = 0;
};

// Runs the program at path with argv (argv[0] included) after checking that the
// overlay is in place; it is never run without it. A program of a cross build
// runs under its emulator, qemu-user.
Outcome run_program(const std::string &path, const std::vector<std::string> &argv, Caller caller,
                    const Conditions &conditions = {});

bool write_file(const std::string &path, const std::string &content, unsigned mode = 0644);
std::string read_file(const std::string &path);
