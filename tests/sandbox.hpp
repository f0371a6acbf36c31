// Runs programs against a fake backlight: a private mount namespace with a
// fresh tmpfs laid over /sys/class, so no test can reach a real device.
#pragma once

#include <string>
#include <vector>

// Enters a private mount namespace (in a user namespace when not root); "" or why not.
std::string enter_private_namespace();

// The programs run under an emulator (a cross build), or a memory checker (MEMCHECK).
bool emulated();
bool memchecked();

// The tests run as root of the machine, not in a user namespace of their own.
bool running_as_real_root();

// Lays a fresh tmpfs over /sys/class and checks that it is there; "" or why not.
std::string cover_sys_class();
void uncover_sys_class();

enum class Caller {
    Root,
    // nobody, for the machine's root; else a nested user namespace's uid 1000.
    Unprivileged,
};

struct Outcome {
    std::string out; // with one_stream, standard error too
    std::string err;
    int status = -1;     // exit status; -1 when the program did not exit normally
    std::string refusal; // why the program was not run, "" when it was
};

// What the program finds around it, for failures a fake attribute cannot make.
struct Conditions {
    bool one_stream = false;  // standard error goes to standard output, in order
    bool full_output = false; // standard output is /dev/full: every write fails
    bool output_file = false; // standard output is a file, not a pipe
    // The largest file the program may write (RLIMIT_FSIZE); 0: no limit.
    unsigned long file_size_limit = 0;
    // Every close() of this file fails with EIO (strace injects it); "": none.
    std::string failing_close = "";
    // Bit N: descriptor N is closed when the program starts, as a key daemon may.
    unsigned closed_streams = 0;
};

// Runs the program at path with argv (argv[0] included), under the emulator of a
// cross build, only once the tmpfs is checked to be over /sys/class.
Outcome run_program(const std::string &path, const std::vector<std::string> &argv, Caller caller,
                    const Conditions &conditions = {});

bool write_file(const std::string &path, const std::string &content, unsigned mode = 0644);
std::string read_file(const std::string &path);
