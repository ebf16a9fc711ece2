#include "platform/display/frame_pacing.h"

#include <algorithm>

namespace dd {

uint64_t TicksToWait(FramePacer& pacer, uint64_t now) {
  if (pacer.period == 0 || pacer.presentWaits) {
    pacer.next = 0;
    return 0;
  }
  // The first frame, more than a period late, or a clock that went back: this frame sets
  // the beat. A frame late by up to a period keeps it, so that the next one makes up the time.
  if (pacer.next == 0 || pacer.next - std::min(now, pacer.next) > pacer.period ||
      now - std::min(now, pacer.next) > pacer.period) {
    pacer.next = now + pacer.period;
    return 0;
  }
  if (now >= pacer.next) {
    pacer.next += pacer.period;
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
  pacer.presentWaits = pacer.sampledTicks * 100 >= pacer.period * PacingSample * 97;
  pacer.sampled = 0;
  pacer.sampledTicks = 0;
}

}  // namespace dd
