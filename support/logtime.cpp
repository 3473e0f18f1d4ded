#include "logtime.h"

static char log_time_text[30];

const char *format_log_time(time_t when) {
    struct tm utc;
    if (!gmtime_r(&when, &utc) ||
        strftime(log_time_text, sizeof log_time_text, "%Y-%b-%d %H:%M:%S", &utc) == 0)
        log_time_text[0] = 0;
    return log_time_text;
}
