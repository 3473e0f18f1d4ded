#include "growarray.h"

#include <cstdlib>
#include <cstring>

#include "allocation.h"

int default_array_capacity = 1;

void grow_array_init(GrowArray *array, uint32_t item_size, void *mirror) {
    uint32_t capacity = default_array_capacity > 0 ? (uint32_t)default_array_capacity : 1;
    array->count = 0;
    array->capacity = capacity;
    array->min_capacity = default_array_capacity > 0 ? capacity : 0;
    array->item_size = item_size;
    array->min_fill_percent = 60.0f;
    array->items = (uint8_t *)checked_calloc(capacity, item_size);
    array->mirror = mirror;
    if (mirror) memcpy(mirror, &array->items, sizeof(void *));
}

// Moves the live items into new storage of the given capacity.  Every move
// goes through here so that the mirror can never go stale.
static void move_storage(GrowArray *array, uint32_t capacity) {
    uint8_t *items = (uint8_t *)checked_malloc((size_t)capacity * array->item_size);
    if (array->count) memcpy(items, array->items, (size_t)array->count * array->item_size);
    free(array->items);
    array->items = items;
    array->capacity = capacity;
    if (array->mirror) memcpy(array->mirror, &array->items, sizeof(void *));
}

static double growth_divisor(const GrowArray *array) {
    return 0.5 + (double)array->min_fill_percent * 0.005;
}

uint32_t grow_array_push(GrowArray *array, const void *item) {
    if (array->count >= array->capacity)
        move_storage(array, (uint32_t)((array->count + 1) / growth_divisor(array)));
    uint32_t slot = array->count;
    memcpy(grow_array_slot(array, slot), item, array->item_size);
    array->count++;
    return slot;
}

void grow_array_remove(GrowArray *array, uint32_t index) {
    if (index >= array->count) return;
    uint32_t last = array->count - 1;
    if (index != last)
        memcpy(grow_array_slot(array, index), grow_array_slot(array, last), array->item_size);
    array->count--;

    float fill = (float)array->count / (float)array->capacity;
    if (fill < array->min_fill_percent * 0.01f && array->min_capacity < array->capacity) {
        uint32_t capacity = (uint32_t)(array->count / growth_divisor(array));
        if (capacity < array->min_capacity) capacity = array->min_capacity;
        move_storage(array, capacity);
    }
}
