#include "stdstreams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

void open_standard_streams() {
    for (int fd = 0; fd <= 2; fd++) {
        if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // open takes the lowest free descriptor, which is this one.
        int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) close(opened);
    }
}
