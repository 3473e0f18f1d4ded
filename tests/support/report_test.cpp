#include "report.h"

#include <sys/stat.h>

#include "../scratch_dir.h"
#include "allocation.h"
#include "window.h"

using Report = ScratchDirTest;

// A word answers a question; sections print; fatal reports exit 1, and in a
// window they and warnings are logged, where a log can be opened.
TEST_F(Report, QuestionsSectionsAndFatalReports) {
    std::ofstream("answers") << std::string(1007, 'n') << "yy N Y";
    ASSERT_TRUE(freopen("answers", "r", stdin));
    std::vector<int> answers;
    testing::internal::CaptureStdout();
    for (int i = 0; i < 4; i++) answers.push_back(report_inner("x", 1, REPORT_QUESTION, "On?", 1));
    EXPECT_EQ(report_stack.count, 1u) << "questions gone";
    report_inner("x", 1, REPORT_MESSAGE, "m", 1);
    report_inner("x", 1, REPORT_MESSAGE, nullptr, 1);
    report_inner("x", 1, REPORT_BEGIN, "section", 1);
    answers.push_back(report_inner("x", 1, REPORT_END, nullptr, 0));
    EXPECT_EQ(answers, std::vector<int>({0, 0, 1, 0, 0})) << "the answers, then the end's";
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "On? (Y/N) On? (Y/N) On? (Y/N) On? (Y/N) m\n\nsection\nsection\n")
        << "printed";
    fatal_pause_microseconds = 0;
    EXPECT_EXIT(ON_STDERR(report_inner("spinwell", 121, REPORT_FATAL, "no resolution", 0)),
                ::testing::ExitedWithCode(1), "^\n\\[FATAL ERROR\\] no resolution\n$");
    EXPECT_EXIT(ON_STDERR(checked_calloc(SIZE_MAX / 2, 4)), ::testing::ExitedWithCode(1),
                "] Out of memory: could not allocate 18446744073709551615 bytes");
    windowed_mode = true;
    mkdir("warnings.log", 0700); // a log that cannot be opened
    EXPECT_EXIT(ON_STDERR((report_inner("x", 1, REPORT_WARNING, "low", 0),
                           report_inner("x", 1, REPORT_FATAL, "gone", 0))),
                ::testing::ExitedWithCode(1), "^\nlow\n\ngone\n$");
    windowed_mode = false;
    EXPECT_TRUE(
        RE::FullMatch(read_file("graphics_error.log"), LOG_TIME " low\n" LOG_TIME " gone\n"));
}
