#include "report.h"

#include <SDL.h>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "allocation.h"
#include "clock.h"
#include "gl/window.h"
#include "logtime.h"

ReportHook report_hook = console_report_handler;
int32_t warnings_log_enabled = 1;
GrowArray report_stack;
unsigned fatal_pause_microseconds = 2500000;

static bool report_stack_made = false;

static ReportRecord *top_record() {
    return (ReportRecord *)grow_array_slot(&report_stack, report_stack.count - 1);
}

static void free_owned_message(ReportRecord *record) {
    if (record->owned) free(record->message);
    record->message = nullptr;
    record->owned = 0;
}

static void push_empty_record() {
    ReportRecord empty = {};
    grow_array_push(&report_stack, &empty);
}

static void pop_record() {
    grow_array_remove(&report_stack, report_stack.count - 1);
}

int report_inner(const char *file, int line, int kind, const char *message, int copy) {
    if (!report_stack_made) {
        grow_array_init(&report_stack, sizeof(ReportRecord), nullptr);
        report_stack_made = true;
        push_empty_record();
    }

    if (kind == REPORT_END) {
        if (report_stack.count < 2)
            report_inner("report", __LINE__, REPORT_FATAL,
                         "Trying to pop empty stack in report_inner", 0);
        free_owned_message(top_record());
        pop_record();
        ReportRecord *section = top_record();
        if (report_hook) {
            section->kind = REPORT_END;
            report_hook(section);
        }
        free_owned_message(section);
        memset(section, 0, sizeof *section);
        return 0;
    }

    if (kind != REPORT_MESSAGE && kind != REPORT_BEGIN && kind != REPORT_FATAL &&
        kind != REPORT_WARNING && kind != REPORT_QUESTION) {
        report_inner("report", __LINE__, REPORT_FATAL, "Unknown ReportType in report_inner", 0);
        return 0;
    }

    ReportRecord record = {};
    record.kind = kind;
    record.file = file;
    record.line = line;
    record.time = realtime_seconds();
    if (copy && message) {
        record.message = checked_strdup(message);
        record.owned = 1;
    } else {
        record.message = (char *)message;
    }

    if (kind == REPORT_WARNING || kind == REPORT_QUESTION) {
        grow_array_push(&report_stack, &record);
        ReportRecord *pushed = top_record();
        if (report_hook) report_hook(pushed);
        int result = pushed->result;
        free_owned_message(pushed);
        pop_record();
        return result;
    }

    ReportRecord *top = top_record();
    free_owned_message(top);
    *top = record;
    if (report_hook) report_hook(top);
    int result = top->result;
    if (kind == REPORT_BEGIN) push_empty_record();
    if (kind == REPORT_FATAL) exit(1);
    return result;
}

void append_log_line(const char *path, const char *message) {
    FILE *log = fopen(path, "at");
    if (!log) return;
    fprintf(log, "%s %s\n", format_log_time(time(nullptr)), message ? message : "");
    fclose(log);
}

static void print_plain_record(const ReportRecord *record) {
    if (record->message) printf("%s", record->message);
    if (record->progress_total > 0)
        printf(" [%lg/%lg]", record->progress_value, record->progress_total);
    else if (record->progress_value > 0)
        printf(" [%lg]", record->progress_value);
    printf("\n");
}

void console_report_handler(ReportRecord *record) {
    const char *message = record->message ? record->message : "";
    switch (record->kind) {
    case REPORT_FATAL:
        if (windowed_mode) {
            append_log_line("graphics_error.log", message);
            printf("\n%s\n", message);
            fflush(stdout);
            close_graphics_window();
            exit(1);
        }
        printf("\n[FATAL ERROR] %s\n", message);
        fflush(stdout);
        usleep(fatal_pause_microseconds);
        return;
    case REPORT_WARNING:
        if (warnings_log_enabled) append_log_line("warnings.log", message);
        if (windowed_mode) {
            append_log_line("graphics_error.log", message);
            printf("\n%s\n", message);
        }
        return;
    case REPORT_QUESTION:
        ask_yes_no(record);
        return;
    default:
        print_plain_record(record);
        return;
    }
}

int ask_yes_no(ReportRecord *record) {
    char word[1008];
    printf("%s (Y/N) ", record->message ? record->message : "");
    fflush(stdout);
    record->result = 0;
    if (scanf("%1007s", word) == 1) {
        // The rest of an overlong word must not answer the next question.
        if (strlen(word) == sizeof word - 1)
            for (int ch = getchar(); ch != EOF && !isspace(ch);) ch = getchar();
        record->result = tolower((unsigned char)word[0]) == 'y';
    }
    return 1;
}
