// Draws on a back buffer held back from its background on, and made only where they differ
// from what each band of rows was last made from. A frame of the game draws everything
// again, but most of the field stands still from one frame to the next.
#include <algorithm>
#include <bit>

#include "platform/display/ddraw.h"
#include "platform/display/state.h"

namespace dd {

namespace {

uint64_t DrawHash(const PendingDraw& d) {
  const auto corners = uint64_t(uint16_t(d.rect.left)) | uint64_t(uint16_t(d.rect.top)) << 16 |
                       uint64_t(uint16_t(d.rect.right)) << 32 |
                       uint64_t(uint16_t(d.rect.bottom)) << 48;
  const auto place = uint64_t(uint32_t(d.x)) | uint64_t(uint32_t(d.y)) << 32;
  uint64_t h = d.content * 0x9E3779B97F4A7C15u ^ corners * 0xC2B2AE3D27D4EB4Fu ^
               place * 0x165667B19E3779F9u ^ (uint64_t{d.fill} << 1 | d.keyed);
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9u;
  return h ^ h >> 32;
}

int DrawBottom(const PendingDraw& d) { return d.y + (d.rect.bottom - d.rect.top); }

}  // namespace

// A whole opaque copy onto a back buffer starts holding draws back: nothing the buffer held
// before shows through it. Later draws on the same buffer join it.
bool Surface::Defer(const PendingDraw& draw) {
  auto& pending = Display.Pending;
  if (draw.source == this || (draw.source && draw.source == pending.target)) return false;
  const bool whole = draw.source && !draw.keyed && draw.x == 0 && draw.y == 0 &&
                     draw.rect.right - draw.rect.left == W && draw.rect.bottom - draw.rect.top == H;
  if (pending.target != this) {
    if (!whole || !Primary) return false;
    SettlePending();
    pending.target = this;
    pending.draws.clear();
  } else if (whole) {
    pending.draws.clear();  // covered
  }
  pending.draws.push_back(draw);
  if (draw.source) draw.source->HeldBack = true;
  Spans.valid = false;
  Content = NewContentId();
  return true;
}

void SettlePending() {
  auto& pending = Display.Pending;
  Surface* target = pending.target;
  if (!target) return;
  pending.target = nullptr;
  target->Compose(pending.draws);
  ForgetPending();
}

void ForgetPending() {
  auto& pending = Display.Pending;
  pending.target = nullptr;
  for (const PendingDraw& d : pending.draws)
    if (d.source) d.source->HeldBack = false;
  pending.draws.clear();
}

void SettleIfPending(const Surface* surface) {
  if (surface && Display.Pending.target == surface) SettlePending();
}

void Surface::Compose(const std::vector<PendingDraw>& draws) {
  // Each band's hash names its draws in order; a band that was written since it was
  // composed is unknown (0) and never matches.
  auto& hashes = Display.Pending.hashes;
  hashes.assign(Bands.size(), 0x6A09E667F3BCC908u);
  for (const PendingDraw& d : draws) {
    const uint64_t h = DrawHash(d);
    const int last = (DrawBottom(d) - 1) / BandRows;
    for (int b = d.y / BandRows; b <= last; ++b) {
      uint64_t& band = hashes[static_cast<size_t>(b)];
      band = (std::rotl(band, 23) ^ h) * 0x94D049BB133111EBu;
    }
  }
  for (uint64_t& h : hashes) h |= 1;

  // Each draw, where it falls on bands that changed, in runs of such bands.
  const auto stale = [&](int b) {
    return hashes[static_cast<size_t>(b)] != Bands[static_cast<size_t>(b)];
  };
  for (const PendingDraw& d : draws) {
    const int bottom = DrawBottom(d), last = (bottom - 1) / BandRows;
    for (int b = d.y / BandRows; b <= last;) {
      if (!stale(b)) {
        ++b;
        continue;
      }
      const int first = b;
      while (b <= last && stale(b)) ++b;
      Draw(d, std::max(d.y, first * BandRows), std::min(bottom, b * BandRows));
    }
  }
  for (size_t b = 0; b < Bands.size(); ++b) Bands[b] = hashes[b];
}

}  // namespace dd
