#include "pacing.h"

double next_frame_start(FramePacer *pacer, double now) {
    double start = now;
    if (pacer->next_start - now > pacer->period / 8) start = pacer->next_start;
    pacer->next_start = start + pacer->period;
    return start;
}
