#include "stdstreams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

void open_standard_streams() {
    for (int fd = 0; fd <= 2; fd++) {
        if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // open takes the lowest free descriptor: the lower ones are open by
        // now, so it is this one.
        open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }
}
