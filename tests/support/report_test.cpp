#include "report.h"

#include "../scratch_dir.h"
#include "clock.h"

using Report = ScratchDirTest;

// A fatal report stays on screen for 2.5 s, then ends the process with 1;
// misuse is fatal too.
TEST_F(Report, FatalReportsEndTheProcess) {
    double start = realtime_seconds();
    EXPECT_EXIT(ON_STDERR(report_inner("spinwell", 121, REPORT_FATAL, "no resolution", 0)),
                ::testing::ExitedWithCode(1), "^\n\\[FATAL ERROR\\] no resolution\n$");
    EXPECT_GE(realtime_seconds() - start, 2.5);
    fatal_pause_microseconds = 0;
    EXPECT_EXIT(ON_STDERR(report_inner("x", 1, REPORT_PROGRESS, "m", 0)),
                ::testing::ExitedWithCode(1), "Unknown ReportType in report_inner");
    EXPECT_EXIT(ON_STDERR(report_inner("x", 1, REPORT_END, nullptr, 0)),
                ::testing::ExitedWithCode(1), "Trying to pop empty stack in report_inner");
}
