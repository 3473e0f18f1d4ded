// Spinwell: a falling-block puzzle whose well is wrapped round a cylinder.
#include <cstdlib>

#include "command_line.h"
#include "driver.h"
#include "fpmode.h"
#include "stdstreams.h"

int main(int argc, char **argv) {
    open_standard_streams();
    set_flush_to_zero_mode();
    char *command_line = join_arguments(argc, argv);
    int status = run_game(argc, argv, command_line);
    free(command_line);
    return status;
}
