// The test guest's last step: hands the verdict N (0 to 127, 0 passes) to qemu,
// which exits with 2N+1, unlike a panic or a power-off: on x86-64 through the
// isa-debug-exit port, on AArch64 by semihosting's SYS_EXIT from user space.
//
//   guest-exit N
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#if defined(__aarch64__)
static void hand_over(unsigned verdict) {
    uint64_t block[2] = {0x20026, 2 * verdict + 1};
    register uint64_t operation __asm__("x0") = 0x18; // SYS_EXIT
    register uint64_t parameter __asm__("x1") = (uint64_t)block;
    __asm__ volatile("hlt #0xf000" : "+r"(operation) : "r"(parameter) : "memory");
}
#elif defined(__x86_64__)
static void hand_over(unsigned verdict) {
    unsigned char byte = (unsigned char)verdict;
    int port = open("/dev/port", O_WRONLY);
    if (port < 0 || pwrite(port, &byte, 1, 0xf4) != 1) { perror("guest-exit: /dev/port"); }
}
#else
#error "no way to hand a verdict to qemu on this architecture"
#endif

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: guest-exit N\n");
        return 2;
    }
    unsigned verdict = (unsigned)strtoul(argv[1], NULL, 10);
    hand_over(verdict > 127 ? 127 : verdict);
    fprintf(stderr, "guest-exit: qemu did not take the verdict\n");
    return 1;
}
