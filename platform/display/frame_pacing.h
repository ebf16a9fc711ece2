#pragma once
// A flip waits for the display's next frame, as a full-screen flip waits for the retrace.
// Whether presenting already waits is measured from the presents themselves, not taken
// from a renderer's flag (SDL's software renderer claims vsync and never waits): once
// presents come back faster than the display's frames, the flip sleeps out the rest of
// each frame, so that the game does not spin a core drawing frames nobody sees.
#include <cstdint>

namespace dd {

struct FramePacer {
  uint64_t period = 0;        // clock ticks of one display frame; 0: not paced
  uint64_t next = 0;          // when the next frame is due; 0: none presented yet
  bool presentWaits = true;   // the last sample found presenting keeps the display's pace
  int sampled = 0;            // presents measured in the current sample
  uint64_t sampledTicks = 0;  // the intervals between them
  uint64_t lastReturn = 0;    // when the last present came back
};

// Presents measured before the pacer decides again.
constexpr int PacingSample = 30;

// The counter ticks to sleep before presenting at `now`, never more than a period; moves
// the pacer on to the frame after. None while presenting waits by itself.
uint64_t TicksToWait(FramePacer& pacer, uint64_t now);
// A present that started at `before` and came back at `after`.
void NotePresent(FramePacer& pacer, uint64_t before, uint64_t after);

}  // namespace dd
