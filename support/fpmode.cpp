#include "fpmode.h"

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

void set_flush_to_zero_mode() {
#if defined(__SSE__)
    const unsigned flush_to_zero = 0x8000, denormals_are_zero = 0x0040;
    _mm_setcsr(_mm_getcsr() | flush_to_zero | denormals_are_zero);
#endif
}
