#include "scorelog.h"

#include <sys/stat.h>

#include "play_helpers.h"

namespace {

using ScoreLog = ScratchDirTest;

const char *LINE = "[0-9]{4}-(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec)-[0-3][0-9] "
                   "[0-2][0-9]:[0-5][0-9]:[0-6][0-9]\t";

TEST_F(ScoreLog, AppendsOneLinePerGame) {
    EXPECT_TRUE(append_score_line(0, 0));
    EXPECT_TRUE(append_score_line(131, 7));
    std::string log = read_file("scores.txt");
    std::string one = std::string(LINE) + "0\t0 rows\n";
    std::string two = std::string(LINE) + "131\t7 rows\n";
    EXPECT_TRUE(testing::internal::RE::FullMatch(log, one + two)) << log;
}

TEST_F(ScoreLog, KeepsEarlierLines) {
    {
        std::ofstream old("scores.txt");
        old << "2020-Jan-01 00:00:00\t5\t2 rows\n";
    }
    EXPECT_TRUE(append_score_line(1, 1));
    std::string log = read_file("scores.txt");
    EXPECT_EQ(log.rfind("2020-Jan-01 00:00:00\t5\t2 rows\n", 0), 0u) << log;
    EXPECT_TRUE(testing::internal::RE::FullMatch(log, "2020-Jan-01 00:00:00\t5\t2 rows\n" +
                                                          std::string(LINE) + "1\t1 rows\n"));
}

TEST_F(ScoreLog, SaysWhyWhenTheLogCannotBeWritten) {
    ASSERT_EQ(mkdir("scores.txt", 0755), 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(append_score_line(3, 1));
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("scores.txt"), std::string::npos) << said;
    EXPECT_NE(said.find("Is a directory"), std::string::npos) << said;
}

TEST_F(ScoreLog, ReportsAFullDisk) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    ASSERT_EQ(symlink("/dev/full", "scores.txt"), 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(append_score_line(3, 1));
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("No space left"), std::string::npos) << said;
}

} // namespace
