/*
 * Times whole program runs, fork + execve + wait4, as a key binding makes them:
 *
 *   bench-spawn N REFERENCE [ARG...] [-- COMMAND [ARG...]]...
 *
 * Each round runs every command once in a fresh random order (Fisher-Yates, by
 * erand48 from LUMTUNE_BENCH_SEED or the time, the seed printed), after WARMUP
 * rounds. Prints a line a command: median wall and CPU µs a call, and the
 * medians over rounds of each round's wall and CPU ratio to REFERENCE.
 */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#define WARMUP 20
#define MAX_COMMANDS 16

static double now_us(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e6 + (double)t.tv_nsec / 1e3;
}

/* Runs argv once, its output to /dev/null; its wall and CPU time go to *wall and *cpu. */
static void run(char **argv, int devnull, double *wall, double *cpu) {
    double start = now_us();
    pid_t pid = fork();
    if (pid == 0) {
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        execv(argv[0], argv);
        _exit(127);
    }
    int status;
    struct rusage use;
    if (pid < 0 || wait4(pid, &status, 0, &use) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status)) {
        fprintf(stderr, "bench-spawn: %s failed\n", argv[0]);
        exit(1);
    }
    *wall = now_us() - start;
    *cpu = (double)(use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e6 +
           (double)(use.ru_utime.tv_usec + use.ru_stime.tv_usec);
}

static int compare(const void *a, const void *b) {
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

/* The median of values[0..count), sorted in place. */
static double median(double *values, long count) {
    qsort(values, (size_t)count, sizeof *values, compare);
    return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

/* Median over rounds of values[r] / reference[r], leaving out a reference of 0. */
static double median_ratio(const double *values, const double *reference, long rounds,
                           double *scratch) {
    long count = 0;
    for (long r = 0; r < rounds; ++r) {
        if (reference[r] > 0) { scratch[count++] = values[r] / reference[r]; }
    }
    return count > 0 ? median(scratch, count) : 0;
}

int main(int argc, char **argv) {
    long rounds = argc > 2 ? strtol(argv[1], NULL, 10) : 0;
    if (rounds < 1) {
        fprintf(stderr, "usage: %s N REFERENCE [ARG...] [-- COMMAND [ARG...]]...\n", argv[0]);
        return 2;
    }
    /* The commands, split at each "--", which becomes the end of an argv. */
    char **commands[MAX_COMMANDS];
    int count = 0;
    for (int i = 2; i < argc; ++i) {
        if (strcmp(argv[i], "--") == 0) {
            argv[i] = NULL;
        } else if ((i == 2 || argv[i - 1] == NULL) && count < MAX_COMMANDS) {
            commands[count++] = &argv[i];
        }
    }
    /* Times of command i in round r at [i * rounds + r], then scratch space. */
    double *wall = malloc((size_t)(count + 1) * (size_t)rounds * sizeof(double));
    double *cpu = malloc((size_t)count * (size_t)rounds * sizeof(double));
    int devnull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (!wall || !cpu || devnull < 0) {
        perror("bench-spawn");
        return 1;
    }
    const char *given = getenv("LUMTUNE_BENCH_SEED");
    unsigned long long seed = given ? strtoull(given, NULL, 10) : (unsigned long long)time(NULL);
    unsigned short state[3] = {(unsigned short)seed, (unsigned short)(seed >> 16),
                               (unsigned short)(seed >> 32)};
    fprintf(stderr, "bench-spawn: order seed %llu (LUMTUNE_BENCH_SEED repeats it)\n", seed);

    int order[MAX_COMMANDS];
    for (int i = 0; i < count; ++i) {
        order[i] = i;
    }
    for (long round = -WARMUP; round < rounds; ++round) {
        for (int i = count - 1; i > 0; --i) {
            int j = (int)(erand48(state) * (i + 1)), swap = order[i];
            order[i] = order[j];
            order[j] = swap;
        }
        for (int k = 0; k < count; ++k) {
            long slot = (long)order[k] * rounds + (round < 0 ? 0 : round);
            run(commands[order[k]], devnull, &wall[slot], &cpu[slot]);
        }
    }
    /* All ratios first: median() sorts the reference's times in place. */
    double *scratch = wall + (long)count * rounds, wall_ratio[MAX_COMMANDS],
           cpu_ratio[MAX_COMMANDS];
    for (int i = 0; i < count; ++i) {
        wall_ratio[i] = median_ratio(&wall[i * rounds], wall, rounds, scratch);
        cpu_ratio[i] = median_ratio(&cpu[i * rounds], cpu, rounds, scratch);
    }
    for (int i = 0; i < count; ++i) {
        printf("%.1f %.1f %.3f %.3f\n", median(&wall[i * rounds], rounds),
               median(&cpu[i * rounds], rounds), wall_ratio[i], cpu_ratio[i]);
    }
    return 0;
}
