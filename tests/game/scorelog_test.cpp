#include "scorelog.h"

#include "../scratch_dir.h"

using ScoreLog = ScratchDirTest;

// One line per game after the earlier ones; a line that cannot be written
// is said why on standard error.
TEST_F(ScoreLog, AppendsOneLinePerGameAfterTheEarlierOnesOrSaysWhyNot) {
    std::ofstream("scores.txt") << "2020-Jan-01 00:00:00\t5\t2 rows\n";
    EXPECT_TRUE(append_score_line(0, 0) && append_score_line(131, 7));
    std::string log = read_file("scores.txt");
    EXPECT_TRUE(testing::internal::RE::FullMatch(log, "2020-Jan-01 00:00:00\t5\t2 rows\n" LOG_TIME
                                                      "\t0\t0 rows\n" LOG_TIME "\t131\t7 rows\n"))
        << log;
    for (auto [target, reason] :
         {std::pair{".", "Is a directory"}, {"/dev/full", "No space left"}}) {
        ASSERT_EQ(unlink("scores.txt") + symlink(target, "scores.txt"), 0);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(append_score_line(3, 1));
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(
            said.find(std::string("spinwell: could not save the score to scores.txt: ") + reason),
            0u);
    }
}
