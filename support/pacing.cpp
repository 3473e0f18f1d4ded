#include "pacing.h"

double next_frame_start(FramePacer *pacer, double now) {
    double start = now;
    if (pacer->next_start - now > pacer->period / 8) start = pacer->next_start;
    pacer->next_start = start + pacer->period;
    return start;
}

double refresh_period(int refresh_rate) {
    if (refresh_rate < 24 || refresh_rate > 500) return 1.0 / 60;
    return 1.0 / refresh_rate;
}
