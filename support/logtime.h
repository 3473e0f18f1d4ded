// The UTC time stamp shared by the log files and the game's score log.
#pragma once

#include <ctime>

// Formats the given calendar time as "%Y-%b-%d %H:%M:%S" (UTC) into the
// library's 30-byte buffer and returns it.
const char *format_log_time(time_t when);
