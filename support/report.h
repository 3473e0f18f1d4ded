// Reporting: messages, nested sections, warnings, questions, fatal errors.
//
// Every report goes through report_inner, which keeps a stack of records
// (one level per open section) and hands each record to report_hook.  The
// hook installed from the start prints to standard output, appends warnings
// to "warnings.log" and ends the process on a fatal error.
#pragma once

#include <cstdint>

#include "growarray.h"

enum ReportType {
    REPORT_MESSAGE = 1,
    REPORT_BEGIN = 2,
    REPORT_END = 3,
    REPORT_PROGRESS = 4,
    REPORT_FATAL = 5,
    REPORT_WARNING = 6,
    REPORT_QUESTION = 7,
};

struct ReportRecord {
    int32_t kind;
    const char *file;
    int32_t line;
    uint32_t tag;
    char *message;
    int32_t owned; // 1 when message is a private copy the stack frees
    double time;
    double progress_value;
    double progress_total;
    int32_t result; // set by the hook; 1 for a yes answer
};

typedef void (*ReportHook)(ReportRecord *record);

extern ReportHook report_hook;
extern int32_t warnings_log_enabled;
extern GrowArray report_stack; // valid once report_inner has run
// How long a fatal report stays on screen before the process ends.
extern unsigned fatal_pause_microseconds;

// The one entry point.  With copy non-zero the message is copied.  Returns
// the record's result; never returns for REPORT_FATAL.
int report_inner(const char *file, int line, int kind, const char *message, int copy);

void console_report_handler(ReportRecord *record);

// Asks the record's message as a yes/no question on the console.  The answer
// goes to record->result; end of input counts as no.  Returns 1.
int ask_yes_no(ReportRecord *record);

// Appends "<UTC time> <message>" to a log file; a file that cannot be opened
// is skipped.
void append_log_line(const char *path, const char *message);
