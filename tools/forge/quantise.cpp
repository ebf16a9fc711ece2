#include "quantise.hpp"

#include <libimagequant.h>

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace forge {
namespace {

std::vector<liq_color> rgbaOf(const Picture& p) {
  std::vector<liq_color> out(p.pixels.size());
  std::transform(p.pixels.begin(), p.pixels.end(), out.begin(), [](Rgb c) {
    return liq_color{c.r, c.g, c.b, 255};
  });
  return out;
}

int distance(Rgb a, Rgb b) {
  const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

// The palette entry nearest to c, never the key's.
std::uint8_t nearestEntry(Rgb c, const std::vector<Rgb>& palette, int keyIndex) {
  int best = -1, bestDistance = 0;
  for (int e = 0; e < int(palette.size()); ++e) {
    if (e == keyIndex) continue;
    const int d = distance(c, palette[e]);
    if (best < 0 || d < bestDistance) best = e, bestDistance = d;
  }
  return std::uint8_t(best);
}

// Exact key pixels go to the key entry; everything else to its nearest other entry.
std::vector<std::uint8_t> remapNearest(const Picture& p, const std::vector<Rgb>& palette,
                                       int keyIndex) {
  std::unordered_map<std::uint32_t, std::uint8_t> cache;
  std::vector<std::uint8_t> out(p.pixels.size());
  for (std::size_t i = 0; i < p.pixels.size(); ++i) {
    const Rgb c = p.pixels[i];
    if (c == kKey && keyIndex >= 0) {
      out[i] = std::uint8_t(keyIndex);
      continue;
    }
    const std::uint32_t packed = (c.r << 16) | (c.g << 8) | c.b;
    auto found = cache.find(packed);
    if (found == cache.end())
      found = cache.emplace(packed, nearestEntry(c, palette, keyIndex)).first;
    out[i] = found->second;
  }
  return out;
}

// Nearest entry for every colour at 6 bits per channel; fine enough under dithering.
class NearestTable {
 public:
  NearestTable(const std::vector<Rgb>& palette, int keyIndex) : cells_(64 * 64 * 64) {
    for (int r = 0; r < 64; ++r)
      for (int g = 0; g < 64; ++g)
        for (int b = 0; b < 64; ++b) {
          const Rgb c{std::uint8_t(r * 4 + 2), std::uint8_t(g * 4 + 2), std::uint8_t(b * 4 + 2)};
          cells_[(r << 12) | (g << 6) | b] = nearestEntry(c, palette, keyIndex);
        }
  }
  std::uint8_t operator()(int r, int g, int b) const {
    return cells_[((r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2)];
  }

 private:
  std::vector<std::uint8_t> cells_;
};

// Floyd-Steinberg, serpentine, with the error damped a little to keep flat areas calm.
std::vector<std::uint8_t> remapDithered(const Picture& p, const std::vector<Rgb>& palette,
                                        const NearestTable& nearest) {
  std::vector<std::uint8_t> out(p.pixels.size());
  const int w = p.width;
  std::vector<float> error(std::size_t(w + 2) * 3 * 2, 0.0f);
  float* current = error.data();
  float* below = error.data() + std::size_t(w + 2) * 3;
  for (int y = 0; y < p.height; ++y) {
    const bool forward = (y % 2) == 0;
    std::fill(below, below + std::size_t(w + 2) * 3, 0.0f);
    for (int i = 0; i < w; ++i) {
      const int x = forward ? i : w - 1 - i;
      const Rgb c = p.at(x, y);
      float* e = current + std::size_t(x + 1) * 3;
      const int r = std::clamp(int(c.r + e[0] + 0.5f), 0, 255);
      const int g = std::clamp(int(c.g + e[1] + 0.5f), 0, 255);
      const int b = std::clamp(int(c.b + e[2] + 0.5f), 0, 255);
      const std::uint8_t index = nearest(r, g, b);
      out[std::size_t(y) * w + x] = index;
      const Rgb chosen = palette[index];
      const float err[3] = {0.85f * float(r - chosen.r), 0.85f * float(g - chosen.g),
                            0.85f * float(b - chosen.b)};
      const int ahead = forward ? 1 : -1;
      for (int k = 0; k < 3; ++k) {
        current[std::size_t(x + 1 + ahead) * 3 + k] += err[k] * 7 / 16;
        below[std::size_t(x + 1 - ahead) * 3 + k] += err[k] * 3 / 16;
        below[std::size_t(x + 1) * 3 + k] += err[k] * 5 / 16;
        below[std::size_t(x + 1 + ahead) * 3 + k] += err[k] * 1 / 16;
      }
    }
    std::swap(current, below);
  }
  return out;
}

}  // namespace

std::vector<IndexedPicture> quantiseGroup(std::span<const GroupMember> members,
                                          std::span<const Rgb> fixedColours) {
  liq_attr* attr = liq_attr_create();
  liq_set_speed(attr, 4);
  liq_set_max_colors(attr, 256);
  liq_histogram* histogram = liq_histogram_create(attr);

  std::vector<std::vector<liq_color>> buffers;
  std::vector<liq_image*> images;
  for (const GroupMember& m : members) {
    buffers.push_back(rgbaOf(*m.picture));
    liq_image* image =
        liq_image_create_rgba(attr, buffers.back().data(), m.picture->width, m.picture->height, 0);
    if (!image || liq_histogram_add_image(histogram, attr, image) != LIQ_OK)
      throw std::runtime_error("libimagequant: cannot add picture");
    images.push_back(image);
  }
  for (Rgb c : fixedColours)
    liq_histogram_add_fixed_color(histogram, liq_color{c.r, c.g, c.b, 255}, 0);

  liq_result* result = nullptr;
  if (liq_histogram_quantize(histogram, attr, &result) != LIQ_OK)
    throw std::runtime_error("libimagequant: quantisation failed");
  const liq_palette* pal = liq_get_palette(result);
  std::vector<Rgb> palette(256);
  int keyIndex = -1;
  for (unsigned e = 0; e < pal->count && e < 256; ++e) {
    palette[e] = {pal->entries[e].r, pal->entries[e].g, pal->entries[e].b};
    if (palette[e] == kKey) keyIndex = int(e);
  }
  liq_result_destroy(result);
  for (liq_image* image : images) liq_image_destroy(image);
  liq_histogram_destroy(histogram);
  liq_attr_destroy(attr);

  // The remapping is ours, so the palette cannot drift between the members of the group.
  const NearestTable table(palette, keyIndex);
  std::vector<IndexedPicture> out;
  for (const GroupMember& m : members) {
    IndexedPicture indexed{m.picture->width, m.picture->height, {}, palette};
    indexed.indices = m.keyed ? remapNearest(*m.picture, palette, keyIndex)
                              : remapDithered(*m.picture, palette, table);
    out.push_back(std::move(indexed));
  }
  return out;
}

}  // namespace forge
