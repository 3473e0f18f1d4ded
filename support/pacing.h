// Frame pacing.  Where the buffer swap waits for the display, it paces the
// frame loop by itself; where it does not (Xvfb, Xorg without vsync, a
// driver with vsync switched off), nothing else would hold the loop back,
// and it would draw frames that no screen shows.
#pragma once

struct FramePacer {
    double period;     // seconds between the display's refreshes
    double next_start; // when the next frame is due; 0 before the first
};

// Decides when the next frame starts, given that the last one was handed to
// the display at now (monotonic seconds).  A frame done more than an eighth
// of a period early starts when it is due, on a grid of whole periods that
// does not drift; otherwise the next starts at once, so that a swap which
// already waited for the display never has a second period added to it.
double next_frame_start(FramePacer *pacer, double now);

// Seconds between refreshes at the rate a display reports, in Hz: 1/60 where
// the rate is missing or past belief (below 24 or above 500), as drivers and
// virtual displays report.
double refresh_period(int refresh_rate);
