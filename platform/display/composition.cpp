// Draws on a back buffer held back from its background on, and made only where they differ
// from what each band of rows was last made from. A frame of the game draws everything
// again, but most of the field stands still from one frame to the next, and in a band where
// something moved, only its columns are drawn again.
#include <algorithm>
#include <bit>
#include <span>
#include <utility>
#include <vector>

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
int DrawRight(const PendingDraw& d) { return d.x + (d.rect.right - d.rect.left); }
int LastBand(const PendingDraw& d) { return (DrawBottom(d) - 1) / BandRows; }

// The columns where a band made from `made` may differ from one made from `before`: those of
// the draws that are not in both, in the same order. The draws in both are matched greedily,
// each a little after the last one matched; a pixel that only such draws cover is made
// alike. False when there are too many to be worth drawing apart from the rest.
bool ChangedColumns(std::span<const ComposedBands::Mark> before,
                    std::span<const ComposedBands::Mark> made,
                    std::vector<std::pair<int, int>>& columns) {
  constexpr size_t Lookahead = 16, MostColumns = 16;
  size_t after = 0;  // in `before`, past the last draw matched
  for (const ComposedBands::Mark& m : made) {
    if (columns.size() > MostColumns) return false;
    const size_t end = std::min(before.size(), after + Lookahead);
    size_t k = after;
    while (k < end && before[k].hash != m.hash) ++k;
    if (k == end) {
      columns.emplace_back(m.left, m.right);
      continue;
    }
    for (; after < k; ++after) columns.emplace_back(before[after].left, before[after].right);
    after = k + 1;
  }
  if (before.size() - after > MostColumns) return false;
  for (; after < before.size(); ++after)
    columns.emplace_back(before[after].left, before[after].right);

  // In order, the overlapping ones joined.
  std::sort(columns.begin(), columns.end());
  size_t joined = 0;
  for (const auto& c : columns) {
    if (joined > 0 && c.first <= columns[joined - 1].second)
      columns[joined - 1].second = std::max(columns[joined - 1].second, c.second);
    else
      columns[joined++] = c;
  }
  columns.resize(joined);
  return true;
}

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
  // Each band's hash names its draws in order, and its marks list them; a band that was
  // written since it was composed is unknown (0) and never matches.
  auto& pending = Display.Pending;
  ComposedBands& next = pending.next;
  const size_t bands = Bands.hash.size();
  next.hash.assign(bands, 0x6A09E667F3BCC908u);
  next.first.assign(bands + 1, 0);
  for (const PendingDraw& d : draws)
    for (int b = d.y / BandRows; b <= LastBand(d); ++b) ++next.first[static_cast<size_t>(b) + 1];
  // A band of more draws than are worth comparing lists none, and is drawn whole when it
  // changes.
  constexpr uint32_t MostMarks = 256, Unlisted = ~uint32_t{0};
  pending.cursor.resize(bands);
  for (size_t b = 0; b < bands; ++b) {
    const uint32_t count = next.first[b + 1];
    const bool listed = count <= MostMarks;
    pending.cursor[b] = listed ? next.first[b] : Unlisted;
    next.first[b + 1] = next.first[b] + (listed ? count : 0);
  }
  next.marks.reserve(bands * MostMarks);  // once for good: the lists take turns
  next.marks.resize(next.first[bands]);
  for (size_t i = 0; i < draws.size(); ++i) {
    const PendingDraw& d = draws[i];
    const uint64_t h = DrawHash(d);
    const ComposedBands::Mark mark{h, d.x, DrawRight(d), static_cast<uint32_t>(i)};
    for (int b = d.y / BandRows; b <= LastBand(d); ++b) {
      uint64_t& band = next.hash[static_cast<size_t>(b)];
      band = (std::rotl(band, 23) ^ h) * 0x94D049BB133111EBu;
      if (uint32_t& at = pending.cursor[static_cast<size_t>(b)]; at != Unlisted)
        next.marks[at++] = mark;
    }
  }
  for (uint64_t& h : next.hash) h |= 1;

  // A band that changed is drawn again where its draws differ, from the background up;
  // one not known, or changed all over, is drawn whole, with its neighbours of the kind.
  auto& columns = pending.columns;
  columns.reserve(128);  // more than ChangedColumns ever takes
  auto& whole = pending.whole;
  whole.assign(bands, false);
  for (size_t b = 0; b < bands; ++b) {
    if (next.hash[b] == Bands.hash[b]) continue;
    const auto made = next.Of(b);
    columns.clear();
    const auto before = Bands.Of(b);
    if (Bands.hash[b] == 0 || before.empty() || made.empty() ||
        !ChangedColumns(before, made, columns)) {
      whole[b] = true;
      continue;
    }
    // Column ranges in order: each draw goes into the ones it crosses, the background
    // first into all of them.
    const int top = static_cast<int>(b) * BandRows, bottom = std::min(H, top + BandRows);
    for (const ComposedBands::Mark& m : made) {
      const PendingDraw& d = draws[m.draw];
      auto c = std::upper_bound(columns.begin(), columns.end(), m.left,
                                [](int x, const std::pair<int, int>& c) { return x < c.second; });
      for (; c != columns.end() && c->first < m.right; ++c)
        Draw(d, std::max(d.y, top), std::min(DrawBottom(d), bottom), c->first, c->second);
    }
  }
  for (const PendingDraw& d : draws) {
    const int bottom = DrawBottom(d), last = LastBand(d);
    for (int b = d.y / BandRows; b <= last;) {
      if (!whole[static_cast<size_t>(b)]) {
        ++b;
        continue;
      }
      const int first = b;
      while (b <= last && whole[static_cast<size_t>(b)]) ++b;
      Draw(d, std::max(d.y, first * BandRows), std::min(bottom, b * BandRows), d.x, DrawRight(d));
    }
  }
  Bands.swap(next);
}

}  // namespace dd
