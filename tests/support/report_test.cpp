#include "report.h"

#include "../scratch_dir.h"
#include "clock.h"
#include "console_death.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class ReportTest : public ScratchDirTest {
  protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        fatal_pause_microseconds = 0;
        report_hook = console_report_handler;
        warnings_log_enabled = 1;
    }
    void TearDown() override {
        report_hook = console_report_handler;
        ScratchDirTest::TearDown();
    }
};

TEST_F(ReportTest, FatalPrintsTheMessageAndExitsWithOne) {
    EXPECT_EXIT(ON_STDERR(report_inner("spinwell", 121, REPORT_FATAL, "no resolution", 0)),
                ::testing::ExitedWithCode(1), "^\n\\[FATAL ERROR\\] no resolution\n$");
}

TEST_F(ReportTest, FatalLeavesTheMessageOnScreenBeforeEnding) {
    fatal_pause_microseconds = 2500000;
    double start = realtime_seconds();
    EXPECT_EXIT(ON_STDERR(report_inner("x", 1, REPORT_FATAL, "slow", 0)),
                ::testing::ExitedWithCode(1), "slow");
    EXPECT_GE(realtime_seconds() - start, 2.5);
}

TEST_F(ReportTest, MisuseIsFatal) {
    EXPECT_EXIT(ON_STDERR(report_inner("x", 1, REPORT_END, nullptr, 0)),
                ::testing::ExitedWithCode(1), "Trying to pop empty stack in report_inner");
    EXPECT_EXIT(ON_STDERR(report_inner("x", 1, REPORT_PROGRESS, "p", 0)),
                ::testing::ExitedWithCode(1), "Unknown ReportType in report_inner");
    EXPECT_EXIT(ON_STDERR(report_inner("x", 1, 0, "p", 0)), ::testing::ExitedWithCode(1),
                "Unknown ReportType in report_inner");
}

TEST_F(ReportTest, SectionShowsItsTitleWhenOpenedAndClosed) {
    testing::internal::CaptureStdout();
    report_inner("x", 1, REPORT_BEGIN, "A", 0);
    report_inner("x", 2, REPORT_MESSAGE, "x", 0);
    report_inner("x", 3, REPORT_END, nullptr, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "A\nx\nA\n");
    ASSERT_EQ(report_stack.count, 1u);
    ReportRecord empty = {};
    EXPECT_EQ(memcmp(grow_array_slot(&report_stack, 0), &empty, sizeof empty), 0);
}

std::vector<std::string> seen;
void remember(ReportRecord *record) {
    seen.push_back(std::to_string(record->kind) + ":" + (record->message ? record->message : ""));
}

TEST_F(ReportTest, WarningInsideASectionLeavesTheLevelAlone) {
    seen.clear();
    report_hook = remember;
    report_inner("x", 1, REPORT_BEGIN, "outer", 1);
    report_inner("x", 2, REPORT_MESSAGE, "m", 1);
    uint32_t depth = report_stack.count;
    report_inner("x", 3, REPORT_WARNING, "w", 1);
    EXPECT_EQ(report_stack.count, depth);
    ReportRecord *top = (ReportRecord *)grow_array_slot(&report_stack, report_stack.count - 1);
    ASSERT_NE(top->message, nullptr);
    EXPECT_STREQ(top->message, "m");
    report_inner("x", 4, REPORT_END, nullptr, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"2:outer", "1:m", "6:w", "3:outer"}));
    EXPECT_EQ(report_stack.count, 1u);
}

TEST_F(ReportTest, CopiedMessagesDoNotDependOnTheCallersBuffer) {
    seen.clear();
    report_hook = remember;
    char text[] = "before";
    report_inner("x", 1, REPORT_BEGIN, text, 1);
    text[0] = 'X';
    report_inner("x", 2, REPORT_END, nullptr, 0);
    EXPECT_EQ(seen.back(), "3:before");
}

TEST_F(ReportTest, WarningGoesOnlyToTheLog) {
    testing::internal::CaptureStdout();
    report_inner("x", 1, REPORT_WARNING, "disk low", 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    std::string log = read_file("warnings.log");
    EXPECT_TRUE(testing::internal::RE::FullMatch(
        log, "[0-9]{4}-[A-Z][a-z][a-z]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9] disk low\n"))
        << log;
}

TEST_F(ReportTest, DisabledWarningLogLeavesNoTrace) {
    warnings_log_enabled = 0;
    report_inner("x", 1, REPORT_WARNING, "quiet", 0);
    EXPECT_NE(access("warnings.log", F_OK), 0);
}

TEST_F(ReportTest, UnopenableLogIsSkipped) {
    ASSERT_EQ(mkdir("warnings.log", 0755), 0); // a directory cannot be appended to
    EXPECT_EQ(report_inner("x", 1, REPORT_WARNING, "lost", 0), 0);
    append_log_line("no/such/dir/log", "lost");
    EXPECT_EQ(report_stack.count, 1u);
    EXPECT_NE(access("no", F_OK), 0);
}

TEST_F(ReportTest, ProgressAndEmptyRecordsPrint) {
    ReportRecord record = {};
    testing::internal::CaptureStdout();
    console_report_handler(&record);
    record.message = (char *)"step";
    record.progress_value = 1;
    record.progress_total = 4;
    console_report_handler(&record);
    record.progress_total = 0;
    record.progress_value = 3.5;
    console_report_handler(&record);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nstep [1/4]\nstep [3.5]\n");
}

// Feeds the question prompt from a pipe holding the given input.
int answer(const std::string &input) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    if (write(fds[1], input.data(), input.size()) != (ssize_t)input.size()) return -1;
    close(fds[1]);
    int saved = dup(0);
    dup2(fds[0], 0);
    close(fds[0]);
    clearerr(stdin);
    testing::internal::CaptureStdout();
    int result = report_inner("x", 1, REPORT_QUESTION, "Overwrite?", 0);
    std::string prompt = testing::internal::GetCapturedStdout();
    dup2(saved, 0);
    close(saved);
    clearerr(stdin);
    EXPECT_EQ(prompt, "Overwrite? (Y/N) ");
    return result;
}

TEST_F(ReportTest, QuestionIsYesOnlyForAWordStartingWithY) {
    EXPECT_EQ(answer("Yes\n"), 1);
    EXPECT_EQ(answer("y"), 1);
    EXPECT_EQ(answer("  yonder please\n"), 1);
    EXPECT_EQ(answer("no\n"), 0);
    EXPECT_EQ(answer("N\n"), 0);
    EXPECT_EQ(answer("maybe\n"), 0);
}

TEST_F(ReportTest, QuestionAtEndOfInputOrWithAHugeWordIsSafe) {
    EXPECT_EQ(answer(""), 0);
    EXPECT_EQ(answer(std::string(5000, 'y') + "\n"), 1);
    EXPECT_EQ(answer(std::string(5000, 'n') + "\n"), 0);
}

TEST_F(ReportTest, QuestionWithStandardInputClosedIsNo) {
    int saved = dup(0);
    close(0);
    clearerr(stdin);
    testing::internal::CaptureStdout();
    int result = report_inner("x", 1, REPORT_QUESTION, "Continue?", 0);
    testing::internal::GetCapturedStdout();
    dup2(saved, 0);
    close(saved);
    clearerr(stdin);
    EXPECT_EQ(result, 0);
}

} // namespace
