#include "allocation.h"

#include <cstdint>
#include <string>

#include "../scratch_dir.h"
#include "report.h"

#ifdef __SANITIZE_ADDRESS__
// AddressSanitizer would end the process itself on a request it cannot meet.
extern "C" const char *__asan_default_options() {
    return "allocator_may_return_null=1";
}
#endif

// A request memory cannot meet, and a count times size that would wrap round
// to a small buffer, end in a fatal report naming the size.
TEST(Allocation, ImpossibleRequestsEndInAFatalReport) {
    fatal_pause_microseconds = 0;
    EXPECT_EXIT(ON_STDERR(checked_malloc(SIZE_MAX / 2)), ::testing::ExitedWithCode(1),
                "\\[FATAL ERROR\\] Out of memory: could not allocate " +
                    std::to_string(SIZE_MAX / 2));
    EXPECT_EXIT(ON_STDERR(checked_calloc(SIZE_MAX / 2 + 2, 2)), ::testing::ExitedWithCode(1),
                "\\[FATAL ERROR\\] Out of memory");
    char *copy = checked_strdup("Rows: 0");
    EXPECT_STREQ(copy, "Rows: 0");
    free(copy);
}
