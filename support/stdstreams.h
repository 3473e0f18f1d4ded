// The standard streams of a careful Unix program.
#pragma once

// Opens /dev/null on whichever of descriptors 0, 1 and 2 is closed, so that
// the next files and connections the process opens cannot take their place
// and receive what is meant for standard output or error.
void open_standard_streams();
