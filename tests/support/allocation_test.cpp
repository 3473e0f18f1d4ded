#include "allocation.h"

#include "console_death.h"
#include "report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef __SANITIZE_ADDRESS__
// AddressSanitizer ends the process itself on a request it cannot meet; the
// program's own answer to that is what these tests are about.
extern "C" const char *__asan_default_options() {
    return "allocator_may_return_null=1";
}
#endif

namespace {

class AllocationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fatal_pause_microseconds = 0;
        report_hook = console_report_handler;
    }
};

TEST_F(AllocationTest, ARequestMemoryCannotMeetEndsWithAFatalReportNamingTheSize) {
    const size_t huge = SIZE_MAX / 2;
    EXPECT_EXIT(ON_STDERR(checked_malloc(huge)), ::testing::ExitedWithCode(1),
                "\\[FATAL ERROR\\] Out of memory: could not allocate " + std::to_string(huge) +
                    " bytes");
    EXPECT_EXIT(ON_STDERR(checked_calloc(huge / 4, 4)), ::testing::ExitedWithCode(1),
                "\\[FATAL ERROR\\] Out of memory");
}

// A count times size that wraps round would otherwise hand back a small
// buffer for a huge request, and the caller would write past it.
TEST_F(AllocationTest, ACountTimesSizeThatOverflowsIsRefusedNotWrapped) {
    EXPECT_EXIT(ON_STDERR(checked_calloc(SIZE_MAX / 2 + 2, 2)), ::testing::ExitedWithCode(1),
                "Out of memory");
}

TEST_F(AllocationTest, EmptyRequestsStillGiveABlockToFree) {
    void *a = checked_malloc(0);
    void *b = checked_calloc(0, 8);
    void *c = checked_calloc(8, 0);
    EXPECT_NE(a, nullptr);
    EXPECT_NE(b, nullptr);
    EXPECT_NE(c, nullptr);
    free(a);
    free(b);
    free(c);

    uint8_t *zeroed = (uint8_t *)checked_calloc(1000, 3);
    for (int i = 0; i < 3000; i++) ASSERT_EQ(zeroed[i], 0) << i;
    free(zeroed);

    char *copy = checked_strdup("Rows: 0");
    EXPECT_STREQ(copy, "Rows: 0");
    free(copy);
}

} // namespace
