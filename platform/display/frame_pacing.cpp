#include "platform/display/frame_pacing.h"

namespace dd {

uint64_t TicksToWait(FramePacer& pacer, uint64_t now) {
  if (pacer.period == 0 || pacer.presentWaits) {
    pacer.next = 0;
    return 0;
  }
  // Late, the first frame, or a counter that went back: this frame sets the beat.
  if (pacer.next == 0 || now >= pacer.next || pacer.next - now > pacer.period) {
    pacer.next = now + pacer.period;
    return 0;
  }
  const uint64_t wait = pacer.next - now;
  pacer.next += pacer.period;
  return wait;
}

void NotePresent(FramePacer& pacer, uint64_t before, uint64_t after) {
  // Once presents came faster than the display, the flip paces for good: a present that is
  // slow (a large software window) or that also waits for a retrace still gives one frame a
  // beat, while switching back and forth would not.
  if (pacer.period == 0 || !pacer.presentWaits || after < before) return;
  const uint64_t last = pacer.lastReturn;
  pacer.lastReturn = after;
  if (last == 0 || after < last) return;
  pacer.sampledTicks += after - last;
  if (++pacer.sampled < PacingSample) return;
  pacer.presentWaits = pacer.sampledTicks * 10 >= pacer.period * PacingSample * 9;
  pacer.sampled = 0;
  pacer.sampledTicks = 0;
}

}  // namespace dd
