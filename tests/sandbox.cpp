#include "sandbox.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <iterator>
#include <linux/magic.h>
#include <poll.h>
#include <sched.h>
#include <sstream>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kUnprivilegedId = 65534;

// The emulator of a cross build's programs, qemu-user; none for a native one.
#ifdef TARGET_EMULATOR
const std::vector<std::string> kEmulator = {TARGET_EMULATOR};
#else
const std::vector<std::string> kEmulator;
#endif

// The memory checker's command, from MEMCHECK (the memcheck tests set it), as words.
std::vector<std::string> memcheck_command() {
    std::istringstream words(std::getenv("MEMCHECK") ? std::getenv("MEMCHECK") : "");
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

const std::vector<std::string> kMemcheck = memcheck_command();

std::string failure(const std::string &what) { return what + ": " + std::strerror(errno); }

bool write_proc(const char *path, const std::string &content) {
    int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) { return false; }
    bool whole = write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    return close(fd) == 0 && whole;
}

// Maps the single id `inside` of a new user namespace to our effective ids outside it.
bool map_user_namespace(unsigned inside) {
    std::string uid_line = std::to_string(inside) + " " + std::to_string(geteuid()) + " 1\n";
    std::string gid_line = std::to_string(inside) + " " + std::to_string(getegid()) + " 1\n";
    return unshare(CLONE_NEWUSER) == 0 && write_proc("/proc/self/setgroups", "deny") &&
           write_proc("/proc/self/uid_map", uid_line) && write_proc("/proc/self/gid_map", gid_line);
}

bool drop_privileges() {
    if (running_as_real_root()) {
        return setgroups(0, nullptr) == 0 &&
               setresgid(kUnprivilegedId, kUnprivilegedId, kUnprivilegedId) == 0 &&
               setresuid(kUnprivilegedId, kUnprivilegedId, kUnprivilegedId) == 0;
    }
    return map_user_namespace(1000);
}

std::string read_fd(int fd) {
    std::string content;
    char buffer[4096];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
        content.append(buffer, static_cast<size_t>(n));
    }
    return content;
}

bool set_file_size_limit(unsigned long bytes) {
    rlimit limit{bytes, bytes};
    return bytes == 0 || setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// An emulated process has threads, and so cannot enter a user namespace: where
// dropping privileges takes one (not as real root), unshare makes it first.
bool unshare_drops_privileges() { return !kEmulator.empty() && !running_as_real_root(); }

// The command line: the program under its emulator or the memory checker, if
// any, under strace when its close() calls of a file are to fail.
std::vector<std::string> command_line(const std::string &path, const std::vector<std::string> &argv,
                                      Caller caller, const Conditions &conditions) {
    if (conditions.failing_close.empty() && kEmulator.empty() && kMemcheck.empty()) { return argv; }
    std::vector<std::string> command;
    if (!conditions.failing_close.empty()) {
        command = {"strace", "-qq",
                   "-o",     "/dev/null",
                   "-P",     conditions.failing_close,
                   "-e",     "trace=close",
                   "-e",     "inject=close:error=EIO"};
#ifdef LUMTUNE_SANITIZED
        // The leak check cannot stop a traced program.
        command.insert(command.end(), {"-E", "ASAN_OPTIONS=detect_leaks=0"});
#endif
        command.emplace_back("--");
    }
    if (!kEmulator.empty()) {
        if (caller == Caller::Unprivileged && unshare_drops_privileges()) {
            command.insert(command.end(),
                           {"unshare", "--user", "--map-user=1000", "--map-group=1000"});
        }
        // qemu-user's -0 hands the program its own argv[0].
        command.insert(command.end(), kEmulator.begin(), kEmulator.end());
        command.insert(command.end(), {"-0", argv[0]});
    }
    command.insert(command.end(), kMemcheck.begin(), kMemcheck.end());
    command.push_back(path);
    command.insert(command.end(), argv.begin() + 1, argv.end());
    return command;
}

// Reads both pipes until the program has closed them, as it writes.
void read_to_end(int out, int err, Outcome &outcome) {
    pollfd fds[] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    std::string *texts[] = {&outcome.out, &outcome.err};
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        if (poll(fds, 2, -1) < 0 && errno != EINTR) { return; }
        for (size_t i = 0; i < 2; ++i) {
            if (fds[i].fd >= 0 && fds[i].revents != 0) {
                char buffer[4096];
                ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
                if (n > 0) {
                    texts[i]->append(buffer, static_cast<size_t>(n));
                } else if (n == 0 || errno != EINTR) {
                    fds[i].fd = -1;
                }
            }
        }
    }
}

bool sys_class_is_covered() {
    struct statfs fs {};
    return statfs("/sys/class", &fs) == 0 && fs.f_type == TMPFS_MAGIC;
}

} // namespace

bool emulated() { return !kEmulator.empty(); }

bool memchecked() { return !kMemcheck.empty(); }

bool running_as_real_root() {
    // The initial user namespace maps every id onto itself.
    unsigned inside = 1, outside = 1, count = 0;
    std::sscanf(read_file("/proc/self/uid_map").c_str(), "%u %u %u", &inside, &outside, &count);
    return geteuid() == 0 && inside == 0 && outside == 0 && count == 4294967295U;
}

std::string enter_private_namespace() {
    if (geteuid() == 0) {
        if (unshare(CLONE_NEWNS) != 0) { return failure("unshare(CLONE_NEWNS)"); }
    } else if (!map_user_namespace(0) || unshare(CLONE_NEWNS) != 0) {
        return failure(emulated()
                           ? "cannot make a user namespace under the emulator, whose threads "
                             "forbid it: run the tests as root, or in unshare --user "
                             "--map-root-user, as tools/test does"
                           : "cannot make a user and mount namespace (unprivileged user "
                             "namespaces off?)");
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        // EINVAL: a chroot of a plain directory, whose mounts could reach the host.
        return failure(errno == EINVAL
                           ? "making mounts private: / is no mount point; bind-mount the "
                             "chroot's directory on itself before entering it, as schroot does"
                           : "making mounts private");
    }
    return "";
}

std::string cover_sys_class() {
    if (mount("lumtune-test", "/sys/class", "tmpfs", 0, "mode=0755") != 0) {
        return failure("mounting a tmpfs over /sys/class");
    }
    return sys_class_is_covered() ? "" : "/sys/class is not covered by a tmpfs";
}

void uncover_sys_class() { umount2("/sys/class", MNT_DETACH); }

Outcome run_program(const std::string &path, const std::vector<std::string> &argv, Caller caller,
                    const Conditions &conditions) {
    Outcome outcome;
    if (!sys_class_is_covered()) {
        outcome.refusal = "not run: /sys/class is not covered by a tmpfs";
        return outcome;
    }
    // Pipes, not files, which a file-size limit would cut short too.
    int file = conditions.output_file ? memfd_create("stdout", MFD_CLOEXEC) : -1;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
        outcome.refusal = failure("pipe");
        return outcome;
    }
    std::vector<std::string> command = command_line(path, argv, caller, conditions);
    const std::string &program = command.size() == argv.size() ? path : command[0];
    std::vector<char *> args;
    for (const std::string &arg : command) {
        args.push_back(const_cast<char *>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        int null = open("/dev/null", O_RDONLY);
        dup2(null, STDIN_FILENO);
        int output = conditions.output_file ? file : out[1];
        dup2(conditions.full_output ? open("/dev/full", O_WRONLY) : output, STDOUT_FILENO);
        dup2(conditions.one_stream ? out[1] : err[1], STDERR_FILENO);
        if ((caller == Caller::Unprivileged && !unshare_drops_privileges() && !drop_privileges()) ||
            !set_file_size_limit(conditions.file_size_limit)) {
            dprintf(STDERR_FILENO, "cannot drop privileges or limit the file size: %s\n",
                    std::strerror(errno));
            _exit(126);
        }
        for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
            if (conditions.closed_streams & (1U << fd)) { close(fd); }
        }
        execvp(program.c_str(), args.data());
        dprintf(STDERR_FILENO, "cannot run %s: %s\n", program.c_str(), std::strerror(errno));
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    read_to_end(out[0], err[0], outcome);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        outcome.refusal = failure("fork or wait");
    } else if (WIFEXITED(status)) {
        outcome.status = WEXITSTATUS(status);
    }
    if (file >= 0) {
        outcome.out = read_fd(file);
        close(file);
    }
    close(out[0]);
    close(err[0]);
    return outcome;
}

bool write_file(const std::string &path, const std::string &content, unsigned mode) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) { return false; }
    bool whole = write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    return fchmod(fd, mode) == 0 && close(fd) == 0 && whole;
}

std::string read_file(const std::string &path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) { return ""; }
    std::string content = read_fd(fd);
    close(fd);
    return content;
}
