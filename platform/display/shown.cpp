// What the window shows: its own pixels at every depth, a texture below 32 bits. The game
// draws its whole picture every frame, but from one frame to the next only the moving things
// change: a row equal to the one shown (or tagged as holding it) is skipped, and of the
// others only the stretch from the first to the last block of 32 pixels that differs is
// drawn again. Converting costs a palette look-up or a widening per pixel, scaling more, and
// every pixel sent costs the display a copy; comparing is cheaper.
#include <algorithm>
#include <cstring>

#include "platform/display/ddraw.h"
#include "platform/display/state.h"

namespace dd {

namespace {

constexpr int BlockPixels = 32, Blocks = FrameWidth / BlockPixels;

// Rows next to each other go up as one band, as wide as the widest of them.
void AddBand(std::vector<ChangedBand>& bands, int y, int left, int right) {
  if (!bands.empty() && bands.back().bottom == y) {
    ChangedBand& band = bands.back();
    band.bottom = y + 1;
    band.left = std::min(band.left, left);
    band.right = std::max(band.right, right);
    return;
  }
  bands.push_back({y, y + 1, left, right});
}

}  // namespace

void ForgetShown() { Display.Shown.valid = false; }

const std::vector<ChangedBand>& UpdateShown(const Surface& front, const RowConverter& rows) {
  auto& shown = Display.Shown;
  const int bytes = BytesPerPixel(rows.bits);
  const size_t rowBytes = static_cast<size_t>(FrameWidth) * bytes;
  const size_t blockBytes = static_cast<size_t>(BlockPixels) * bytes;
  // A new depth or palette changes every pixel's colour, not only the changed ones'.
  const bool whole = !shown.valid || shown.bits != rows.bits || shown.lookup != rows.lookup;
  shown.bytes.resize(rowBytes * FrameHeight);
  shown.tags.resize(FrameHeight);
  shown.bits = rows.bits;
  shown.lookup = rows.lookup;
  shown.valid = true;
  shown.bands.clear();
  for (int y = 0; y < FrameHeight; ++y) {
    const uint8_t* src = front.Pixels() + static_cast<size_t>(y) * front.Pitch();
    uint8_t* kept = shown.bytes.data() + y * rowBytes;
    // A row named as the one shown holds its very pixels: no need to look.
    const uint64_t tag = front.RowTag(y);
    if (!whole && tag != 0 && shown.tags[y] == tag) continue;
    shown.tags[y] = tag;
    if (whole) {
      std::memcpy(kept, src, rowBytes);
      AddBand(shown.bands, y, 0, FrameWidth);
      continue;
    }
    if (std::memcmp(src, kept, rowBytes) == 0) continue;
    int first = 0, last = Blocks - 1;
    while (std::memcmp(src + first * blockBytes, kept + first * blockBytes, blockBytes) == 0)
      ++first;
    while (std::memcmp(src + last * blockBytes, kept + last * blockBytes, blockBytes) == 0) --last;
    std::memcpy(kept + first * blockBytes, src + first * blockBytes,
                (last - first + 1) * blockBytes);
    AddBand(shown.bands, y, first * BlockPixels, (last + 1) * BlockPixels);
  }
  return shown.bands;
}

}  // namespace dd
