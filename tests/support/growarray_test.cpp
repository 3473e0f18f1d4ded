#include "growarray.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

// Capacities grow and shrink slowly; the last item fills a gap.
TEST(GrowArray, GrowsAndShrinksByTheFillAndKeepsTheMirrorOnTheItems) {
    int *items;
    GrowArray array;
    memset(&array, 0x5A, sizeof array);
    default_array_capacity = 0;
    grow_array_init(&array, sizeof(int), &items);
    default_array_capacity = 1;
    std::vector<uint32_t> grown, shrunk;
    for (int i = 0; i < 14; i++) {
        grow_array_push(&array, &i);
        grown.push_back(array.capacity);
    }
    EXPECT_EQ(grown, std::vector<uint32_t>({1, 2, 3, 5, 5, 7, 7, 10, 10, 10, 13, 13, 13, 17}));
    grow_array_remove(&array, 2);
    EXPECT_EQ(items[2], 13) << "the last item in the gap";
    grow_array_remove(&array, 13);
    EXPECT_EQ(array.count, 13u) << "no item 13 to remove";
    while (array.count > 0) {
        grow_array_remove(&array, 0);
        shrunk.push_back(array.capacity);
    }
    EXPECT_EQ(shrunk, std::vector<uint32_t>({17, 17, 12, 12, 12, 8, 8, 8, 5, 5, 2, 1, 0}));
    free(array.items);
}
