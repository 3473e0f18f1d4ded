// Growable array of fixed-size items copied in by value.
//
// Growth and shrinking follow a fill percentage instead of doubling, which
// gives the slow capacity series 1, 2, 3, 5, 7, 10, 13, ...  A caller that
// wants a plain pointer to the items names a pointer variable as the mirror;
// the array rewrites it every time the storage moves.
#pragma once

#include <cstddef>
#include <cstdint>

struct GrowArray {
    uint8_t *items;
    void *mirror; // address of the caller's pointer variable, or null
    uint32_t count;
    uint32_t capacity;
    uint32_t min_capacity;
    uint32_t item_size;
    float min_fill_percent;
};

// Capacity (and minimum capacity) of every array the library makes.
extern int default_array_capacity;

// Sets up an empty array with default_array_capacity slots and a fill
// percentage of 60.  mirror may be null.
void grow_array_init(GrowArray *array, uint32_t item_size, void *mirror);

// Copies one item into the next slot; returns that slot's index.
uint32_t grow_array_push(GrowArray *array, const void *item);

// Removes slot index by moving the last item into it; order is not kept.
void grow_array_remove(GrowArray *array, uint32_t index);

inline void *grow_array_slot(const GrowArray *array, uint32_t index) {
    return array->items + (size_t)index * array->item_size;
}
