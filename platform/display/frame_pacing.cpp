#include "platform/display/frame_pacing.h"

namespace dd {

uint64_t TicksToWait(FramePacer& pacer, uint64_t now) {
  if (pacer.period == 0) return 0;
  // Late, the first frame, or a counter that went back: this frame sets the beat.
  if (pacer.next == 0 || now >= pacer.next || pacer.next - now > pacer.period) {
    pacer.next = now + pacer.period;
    return 0;
  }
  const uint64_t wait = pacer.next - now;
  pacer.next += pacer.period;
  return wait;
}

}  // namespace dd
