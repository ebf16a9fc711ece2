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
  if (pacer.period == 0 || after < before) return;
  const uint64_t last = pacer.lastReturn;
  pacer.lastReturn = after;
  if (pacer.presentWaits) {
    // Unpaced: presents that keep the display's beat come no faster than its frames.
    if (last == 0 || after < last) return;
    pacer.sampledTicks += after - last;
  } else {
    // Paced by us: a present that itself takes a good part of a frame waits for the display.
    pacer.sampledTicks += after - before;
  }
  if (++pacer.sampled < PacingSample) return;
  const uint64_t whole = pacer.period * PacingSample;
  pacer.presentWaits =
      pacer.presentWaits ? pacer.sampledTicks * 10 >= whole * 9 : pacer.sampledTicks * 4 >= whole;
  pacer.sampled = 0;
  pacer.sampledTicks = 0;
}

}  // namespace dd
