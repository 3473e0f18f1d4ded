#include "growarray.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct IntArray {
    GrowArray array;
    int *items = nullptr; // the mirror

    IntArray() { grow_array_init(&array, sizeof(int), &items); }
    ~IntArray() { free(array.items); }
    void push(int v) { grow_array_push(&array, &v); }
    std::vector<int> contents() const { return std::vector<int>(items, items + array.count); }
};

TEST(GrowArray, CapacityFollowsTheFillPercentSeries) {
    IntArray a;
    std::vector<uint32_t> capacities = {a.array.capacity};
    for (int i = 0; i < 28; i++) {
        uint32_t before = a.array.capacity;
        uint32_t slot = grow_array_push(&a.array, &i);
        EXPECT_EQ(slot, (uint32_t)i);
        if (a.array.capacity != before) capacities.push_back(a.array.capacity);
        ASSERT_EQ((void *)a.items, (void *)a.array.items) << "mirror stale after push " << i;
    }
    EXPECT_EQ(capacities, (std::vector<uint32_t>{1, 2, 3, 5, 7, 10, 13, 17, 22, 28}));
    for (int i = 0; i < 28; i++) EXPECT_EQ(a.items[i], i);
}

TEST(GrowArray, FirstPushFitsWithoutMoving) {
    IntArray a;
    uint8_t *storage = a.array.items;
    a.push(7);
    EXPECT_EQ(a.array.items, storage);
    EXPECT_EQ(a.array.capacity, 1u);
}

TEST(GrowArray, RemovalMovesTheLastItemIntoTheGap) {
    IntArray a;
    a.push(10);
    a.push(11);
    a.push(12);
    grow_array_remove(&a.array, 0);
    EXPECT_EQ(a.contents(), (std::vector<int>{12, 11}));
    grow_array_remove(&a.array, 1); // the last slot: nothing to copy
    EXPECT_EQ(a.contents(), (std::vector<int>{12}));
}

TEST(GrowArray, RemovalOutsideTheItemsChangesNothing) {
    IntArray a;
    grow_array_remove(&a.array, 0);
    EXPECT_EQ(a.array.count, 0u);
    a.push(1);
    grow_array_remove(&a.array, 1);
    grow_array_remove(&a.array, 0xFFFFFFFFu);
    EXPECT_EQ(a.contents(), (std::vector<int>{1}));
}

TEST(GrowArray, ShrinksWhenFillDropsBelowSixtyPercent) {
    IntArray a;
    for (int i = 0; i < 13; i++) a.push(i); // capacity 13
    ASSERT_EQ(a.array.capacity, 13u);
    for (int i = 0; i < 5; i++) grow_array_remove(&a.array, a.array.count - 1);
    // 8 of 13 is 0.615: stays.
    EXPECT_EQ(a.array.capacity, 13u);
    uint8_t *before = a.array.items;
    grow_array_remove(&a.array, a.array.count - 1);
    // 7 of 13 is 0.54: trunc(7 / 0.8) = 8.
    EXPECT_EQ(a.array.capacity, 8u);
    EXPECT_NE(a.array.items, before);
    EXPECT_EQ((void *)a.items, (void *)a.array.items);
    EXPECT_EQ(a.contents(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(GrowArray, NeverShrinksBelowTheMinimumCapacity) {
    IntArray a;
    a.push(1);
    a.push(2);
    a.push(3);
    while (a.array.count) grow_array_remove(&a.array, 0);
    EXPECT_EQ(a.array.capacity, 1u);
    EXPECT_EQ((void *)a.items, (void *)a.array.items);
    a.push(4); // still usable after shrinking right down
    EXPECT_EQ(a.contents(), (std::vector<int>{4}));
}

TEST(GrowArray, ZeroDefaultCapacityGivesOneSlotAndNoMinimum) {
    int saved = default_array_capacity;
    default_array_capacity = 0;
    GrowArray array;
    grow_array_init(&array, 4, nullptr);
    default_array_capacity = saved;
    EXPECT_EQ(array.capacity, 1u);
    EXPECT_EQ(array.min_capacity, 0u);
    int v = 5;
    grow_array_push(&array, &v);
    grow_array_push(&array, &v);
    grow_array_remove(&array, 0);
    grow_array_remove(&array, 0);
    EXPECT_EQ(array.count, 0u);
    grow_array_push(&array, &v); // from a capacity of 0 back to 1
    EXPECT_EQ(*(int *)grow_array_slot(&array, 0), 5);
    free(array.items);
}

} // namespace
