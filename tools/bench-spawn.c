/*
 * Times whole program runs: fork + execve + wait4, as a key binding would.
 *
 *   bench-spawn N REFERENCE [ARG...] [-- COMMAND [ARG...]]...
 *
 * Each round runs every command once, in a fresh random order (a Fisher-Yates
 * shuffle), so that no command always follows the same one: what ran just
 * before changes what a start costs. The first WARMUP rounds are discarded,
 * then N rounds count. The orders come from a small PRNG whose seed is read
 * from /dev/urandom, or from LUMTUNE_BENCH_SEED when that is set, and is
 * printed on standard error, so that a run's orders can be repeated.
 * The programs are named by path (no PATH search); their standard output and
 * error go to /dev/null, and any run that does not exit with status 0 aborts.
 *
 * Prints one line per command, in the order given:
 *   median wall µs/call, median CPU µs/call (user + system, from wait4),
 *   median over rounds of the wall and CPU ratio to REFERENCE in that round.
 */
#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#define WARMUP 20

struct command {
    char **argv;
    double *wall; /* µs per round */
    double *cpu;  /* µs per round */
};

static void die(const char *what) {
    perror(what);
    exit(1);
}

static double now_us(void) {
    struct timespec t;
    if (clock_gettime(CLOCK_MONOTONIC, &t) != 0) {
        die("clock_gettime");
    }
    return (double)t.tv_sec * 1e6 + (double)t.tv_nsec / 1e3;
}

static double timeval_us(struct timeval t) {
    return (double)t.tv_sec * 1e6 + (double)t.tv_usec;
}

/* One run of the command; its times are kept in slot unless slot < 0. */
static void run(struct command *c, int devnull, long slot) {
    double start = now_us();
    pid_t pid = fork();
    if (pid < 0) {
        die("fork");
    }
    if (pid == 0) {
        if (dup2(devnull, STDOUT_FILENO) < 0 || dup2(devnull, STDERR_FILENO) < 0) {
            _exit(126);
        }
        execv(c->argv[0], c->argv);
        _exit(127);
    }
    int status;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) != pid) {
        die("wait4");
    }
    double end = now_us();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        if (WIFEXITED(status)) {
            fprintf(stderr, "bench-spawn: %s exited with status %d\n", c->argv[0],
                    WEXITSTATUS(status));
        } else {
            fprintf(stderr, "bench-spawn: %s ended by signal %d\n", c->argv[0], WTERMSIG(status));
        }
        exit(1);
    }
    if (slot >= 0) {
        c->wall[slot] = end - start;
        c->cpu[slot] = timeval_us(usage.ru_utime) + timeval_us(usage.ru_stime);
    }
}

/* splitmix64: each call gives the next number of the sequence the seed fixes. */
static uint64_t prng_state;

static uint64_t prng_next(void) {
    uint64_t z = (prng_state += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

/* The seed: LUMTUNE_BENCH_SEED (a decimal number) if set, else 8 bytes of
 * /dev/urandom. */
static uint64_t seed(void) {
    const char *text = getenv("LUMTUNE_BENCH_SEED");
    if (text) {
        char *end;
        errno = 0;
        unsigned long long value = strtoull(text, &end, 10);
        if (*text < '0' || *text > '9' || *end != '\0' || errno != 0) {
            fprintf(stderr, "bench-spawn: LUMTUNE_BENCH_SEED is not a decimal number\n");
            exit(2);
        }
        return (uint64_t)value;
    }
    uint64_t value = 0;
    int fd = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0 || read(fd, &value, sizeof value) != (ssize_t)sizeof value) {
        die("/dev/urandom");
    }
    close(fd);
    return value;
}

/* Puts order[0] to order[count - 1] in a random order, every one equally
 * likely (Fisher-Yates; with 64-bit numbers, the modulo adds no bias that
 * matters). */
static void shuffle(int *order, int count) {
    for (int i = count - 1; i > 0; --i) {
        int j = (int)(prng_next() % (uint64_t)(i + 1));
        int swap = order[i];
        order[i] = order[j];
        order[j] = swap;
    }
}

static int compare(const void *a, const void *b) {
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

/* Sorts values in place. */
static double median(double *values, long count) {
    qsort(values, (size_t)count, sizeof *values, compare);
    return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

/* Median over rounds of values[r] / reference[r]; rounds where the
 * reference is 0 have no ratio and are left out. */
static double median_ratio(const double *values, const double *reference, long rounds,
                           double *scratch) {
    long count = 0;
    for (long r = 0; r < rounds; ++r) {
        if (reference[r] > 0) {
            scratch[count++] = values[r] / reference[r];
        }
    }
    return count > 0 ? median(scratch, count) : 0;
}

int main(int argc, char **argv) {
    long rounds = argc > 2 ? strtol(argv[1], NULL, 10) : 0;
    if (rounds < 1) {
        fprintf(stderr, "usage: %s N REFERENCE [ARG...] [-- COMMAND [ARG...]]...\n", argv[0]);
        return 2;
    }

    /* Split the arguments at each "--"; the NULL ends each argv. */
    struct command commands[16];
    int count = 0;
    for (int i = 2; i < argc; ++i) {
        if (strcmp(argv[i], "--") == 0) {
            argv[i] = NULL;
        } else if (i == 2 || argv[i - 1] == NULL) {
            if (count == 16) {
                fprintf(stderr, "bench-spawn: too many commands\n");
                return 2;
            }
            commands[count].argv = &argv[i];
            commands[count].wall = malloc((size_t)rounds * sizeof(double));
            commands[count].cpu = malloc((size_t)rounds * sizeof(double));
            if (!commands[count].wall || !commands[count].cpu) {
                die("malloc");
            }
            ++count;
        }
    }

    int devnull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devnull < 0) {
        die("/dev/null");
    }
    prng_state = seed();
    fprintf(stderr, "bench-spawn: order seed %llu (LUMTUNE_BENCH_SEED repeats it)\n",
            (unsigned long long)prng_state);
    int order[16];
    for (int i = 0; i < count; ++i) {
        order[i] = i;
    }
    for (long round = -WARMUP; round < rounds; ++round) {
        shuffle(order, count);
        for (int k = 0; k < count; ++k) {
            run(&commands[order[k]], devnull, round);
        }
    }

    double *scratch = malloc((size_t)rounds * sizeof(double));
    if (!scratch) {
        die("malloc");
    }
    /* All ratios first: median() sorts the reference's times in place. */
    double wall_ratio[16], cpu_ratio[16];
    for (int i = 0; i < count; ++i) {
        wall_ratio[i] = median_ratio(commands[i].wall, commands[0].wall, rounds, scratch);
        cpu_ratio[i] = median_ratio(commands[i].cpu, commands[0].cpu, rounds, scratch);
    }
    for (int i = 0; i < count; ++i) {
        printf("%.1f %.1f %.3f %.3f\n", median(commands[i].wall, rounds),
               median(commands[i].cpu, rounds), wall_ratio[i], cpu_ratio[i]);
    }
    return 0;
}
