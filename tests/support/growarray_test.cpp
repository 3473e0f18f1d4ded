#include "growarray.h"

#include <gtest/gtest.h>

#include <vector>

// Capacities 1, 2, 3, 5, 7, 10 as items come in, shrinking when less than
// 60 % full as they go; with no minimum, no slots left.
TEST(GrowArray, GrowsByTheFillPercentAndWithNoMinimumShrinksToNothing) {
    int saved = default_array_capacity, *items = nullptr;
    default_array_capacity = 0;
    GrowArray a;
    grow_array_init(&a, sizeof(int), &items);
    default_array_capacity = saved;
    std::vector<uint32_t> capacities;
    for (int i = 0; i < 8; i++) grow_array_push(&a, &i), capacities.push_back(a.capacity);
    while (a.count) grow_array_remove(&a, 0), capacities.push_back(a.capacity);
    grow_array_push(&a, &saved);
    EXPECT_EQ(capacities,
              (std::vector<uint32_t>{1, 2, 3, 5, 5, 7, 7, 10, 10, 10, 6, 6, 3, 3, 1, 0}))
        << "eight pushes, then eight removals: a shrink only below 60 % full";
    EXPECT_EQ(*items, saved) << "the item pushed into the emptied array";
    EXPECT_EQ(a.capacity, 1u) << "grown again from nothing";
    free(a.items);
}
