// The program's arguments as one string.
#pragma once

// Joins every argument, the program name first, with single blanks into a
// new heap string that the caller frees.  No arguments give an empty string.
char *join_arguments(int argc, char **argv);
