/* Loaded into Wine (LD_PRELOAD) for the end-to-end tests: the CD-ROM requests that Wine makes
 * on a simulated drive's raw device succeed and are logged, one line each:
 *     <request> <argument> <device path>
 * A device whose path is listed in the file named by VELKOR_IOCTL_FAIL_FILE fails with EIO
 * instead (and is logged with "failed"). Every other ioctl goes to the real one. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <limits.h>
#include <linux/cdrom.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static const char* RequestName(unsigned long request) {
    return request == CDROM_LOCKDOOR   ? "CDROM_LOCKDOOR"
           : request == CDROMEJECT     ? "CDROMEJECT"
           : request == CDROMCLOSETRAY ? "CDROMCLOSETRAY"
           : request == CDROMSTOP      ? "CDROMSTOP"
                                       : NULL;
}

static int ShouldFail(const char* device) {
    const char* list = getenv("VELKOR_IOCTL_FAIL_FILE");
    FILE* file = list ? fopen(list, "r") : NULL;
    char line[PATH_MAX];
    int fail = 0;
    while (file && !fail && fgets(line, sizeof line, file)) {
        line[strcspn(line, "\r\n")] = '\0';
        fail = line[0] && strcmp(line, device) == 0;
    }
    if (file) fclose(file);
    return fail;
}

int ioctl(int fd, unsigned long request, ...) {
    va_list args;
    va_start(args, request);
    void* argument = va_arg(args, void*);
    va_end(args);

    const char* name = RequestName(request);
    const char* logPath = getenv("VELKOR_IOCTL_LOG");
    if (name && logPath) {
        char link[64], device[PATH_MAX];
        snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        ssize_t n = readlink(link, device, sizeof device - 1);
        device[n > 0 ? n : 0] = '\0';
        int fail = ShouldFail(device);
        FILE* log = fopen(logPath, "a");
        if (log) {
            fprintf(log, "%s %ld %s%s\n", name, (long)(size_t)argument, device,
                    fail ? " failed" : "");
            fclose(log);
        }
        if (fail) {
            errno = EIO;
            return -1;
        }
        return 0;
    }
    static int (*real)(int, unsigned long, ...) = NULL;
    if (!real) real = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    return real(fd, request, argument);
}
