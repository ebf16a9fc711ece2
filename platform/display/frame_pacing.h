#pragma once
// A flip waits for the display's next frame, as a full-screen flip waits for the retrace.
// A renderer with vsync does the waiting itself. Without it (the software renderer, a driver
// that ignores the request) the flip sleeps out the rest of the display's frame, so that the
// game does not spin a core drawing frames nobody sees.
#include <cstdint>

namespace dd {

struct FramePacer {
  uint64_t period = 0;  // counter ticks of one display frame; 0: not paced
  uint64_t next = 0;    // when the next frame is due; 0: none presented yet
};

// The counter ticks to sleep before presenting at `now`, never more than a period; moves
// the pacer on to the frame after.
uint64_t TicksToWait(FramePacer& pacer, uint64_t now);

}  // namespace dd
