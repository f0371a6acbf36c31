/* Does what "lumtune =500" must do, and nothing else, to the attribute of the
 * device the build is for (ATTRIBUTE_PATH). */
#include <fcntl.h>
#include <unistd.h>

int main(void) {
    if (geteuid() != 0) { return 1; }
    int fd = open(ATTRIBUTE_PATH, O_WRONLY | O_TRUNC);
    if (fd < 0) { return 1; }
    ssize_t written = write(fd, "500", 3);
    return close(fd) == 0 && written == 3 ? 0 : 1;
}
