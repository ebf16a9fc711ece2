// The blits of one play frame at 32 bits, given to our BltFast and to SDL_BlitSurface on
// surfaces with the same pixels: with a colour key over the sheets, and with the key and
// RLE acceleration, once over the sheets and once over a surface per sprite cell. Blits
// without a key go to SDL as row copies, as our BltFast makes them, so that SDL is not
// charged for its general full-frame blit. A plain per-pixel keyed loop and a memcpy of the
// frame are the yardsticks.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "bench/stage.h"
#include "platform/display/ddraw.h"
#include "video/video.h"

namespace {

std::vector<dd::testing::BlitRecord> RecordFrame() {
  std::vector<dd::testing::BlitRecord> blits;
  if (!stage::Start(32)) return blits;
  stage::BuildPlayWorld(150);
  dd::testing::RecordBlits(&blits);
  const bool drawn = stage::PlayFrame();
  dd::testing::RecordBlits(nullptr);
  if (!drawn) blits.clear();
  return blits;
}

bool Keyed(const dd::testing::BlitRecord& b) {
  return (b.flags & dd::DDBLTFAST_SRCCOLORKEY) && b.source->HasColorKey();
}

// An SDL copy of a rectangle of one of our 32-bit surfaces, its unused byte cleared.
SDL_Surface* CopyToSdl(const dd::Surface& from, const dd::RECT& r) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, r.right - r.left, r.bottom - r.top, 32,
                                                  SDL_PIXELFORMAT_RGB888);
  for (int y = r.top; y < r.bottom; ++y) {
    const auto* src = from.Pixels() + static_cast<size_t>(y) * from.Pitch();
    auto* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) +
                                            static_cast<size_t>(y - r.top) * s->pitch);
    for (int x = r.left; x < r.right; ++x) {
      uint32_t v;
      std::memcpy(&v, src + 4 * x, 4);
      dst[x - r.left] = v & 0xFFFFFF;
    }
  }
  return s;
}

struct SdlBlit {
  SDL_Surface* source;
  SDL_Rect rect, at;
  bool keyed;
};

// The frame's blits for SDL. perCell: a surface for each source rectangle, blitted whole.
struct SdlWorkload {
  SDL_Surface* target = nullptr;
  std::vector<SDL_Surface*> owned;
  std::vector<SdlBlit> blits;

  SdlWorkload(const std::vector<dd::testing::BlitRecord>& records, bool rle, bool perCell) {
    target = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_RGB888);
    std::map<std::tuple<const dd::Surface*, bool, int, int, int, int>, SDL_Surface*> made;
    for (const auto& b : records) {
      const bool keyed = Keyed(b);
      const bool whole = perCell && keyed;
      const dd::RECT full{0, 0, b.source->Width(), b.source->Height()};
      const dd::RECT& area = whole ? b.rect : full;
      auto id = std::make_tuple(b.source, keyed, area.left, area.top, area.right, area.bottom);
      SDL_Surface*& s = made[id];
      if (!s) {
        s = CopyToSdl(*b.source, area);
        if (keyed) {
          SDL_SetColorKey(s, SDL_TRUE, b.source->ColorKey() & 0xFFFFFF);
          if (rle) SDL_SetSurfaceRLE(s, 1);
        }
        owned.push_back(s);
      }
      const int w = b.rect.right - b.rect.left, h = b.rect.bottom - b.rect.top;
      SDL_Rect rect = whole ? SDL_Rect{0, 0, w, h} : SDL_Rect{b.rect.left, b.rect.top, w, h};
      blits.push_back({s, rect, SDL_Rect{b.x, b.y, w, h}, keyed});
    }
    Run();  // RLE surfaces are encoded on their first blit
  }
  ~SdlWorkload() {
    for (SDL_Surface* s : owned) SDL_FreeSurface(s);
    SDL_FreeSurface(target);
  }
  void Run() {
    for (SdlBlit& b : blits) {
      if (!b.keyed) {
        Copy(b);
        continue;
      }
      SDL_Rect at = b.at;
      SDL_BlitSurface(b.source, &b.rect, target, &at);
    }
  }
  // The recorded blits lie inside both surfaces (BltFast does not clip).
  void Copy(const SdlBlit& b) {
    const auto* from = static_cast<const uint8_t*>(b.source->pixels) +
                       static_cast<size_t>(b.rect.y) * b.source->pitch + b.rect.x * 4;
    auto* to = static_cast<uint8_t*>(target->pixels) + static_cast<size_t>(b.at.y) * target->pitch +
               b.at.x * 4;
    for (int y = 0; y < b.rect.h; ++y)
      std::memcpy(to + static_cast<size_t>(y) * target->pitch,
                  from + static_cast<size_t>(y) * b.source->pitch,
                  static_cast<size_t>(b.rect.w) * 4);
  }
};

void Report(benchmark::State& state, const std::vector<dd::testing::BlitRecord>& blits) {
  state.counters["blits"] = static_cast<double>(blits.size());
}

void BM_FrameBlits_BltFast(benchmark::State& state) {
  const auto blits = RecordFrame();
  if (blits.empty()) return state.SkipWithError("no frame was recorded");
  dd::Surface& back = *Video.BackBuffer;
  for (auto _ : state) {
    // Every row drawn anew, as for a frame that changed everywhere: the back buffer would
    // otherwise keep the rows that the same blits made before.
    back.RowsWritten(0, back.Height());
    for (const auto& b : blits) back.BltFast(b.x, b.y, b.source, &b.rect, b.flags);
    benchmark::DoNotOptimize(back.PixelValue(0, 0));
  }
  Report(state, blits);
  state.SetLabel(stage::PictureSource());
}
BENCHMARK(BM_FrameBlits_BltFast)->Unit(benchmark::kMicrosecond);

void SdlBench(benchmark::State& state, bool rle, bool perCell) {
  const auto blits = RecordFrame();
  if (blits.empty()) return state.SkipWithError("no frame was recorded");
  SdlWorkload sdl(blits, rle, perCell);
  for (auto _ : state) sdl.Run();
  Report(state, blits);
}
void BM_FrameBlits_SdlColorKey(benchmark::State& state) { SdlBench(state, false, false); }
void BM_FrameBlits_SdlRle(benchmark::State& state) { SdlBench(state, true, false); }
void BM_FrameBlits_SdlRlePerCell(benchmark::State& state) { SdlBench(state, true, true); }
BENCHMARK(BM_FrameBlits_SdlColorKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameBlits_SdlRle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameBlits_SdlRlePerCell)->Unit(benchmark::kMicrosecond);

// Every pixel read and tested against the key, every frame.
void BM_FrameBlits_NaiveKeyedLoop(benchmark::State& state) {
  const auto blits = RecordFrame();
  if (blits.empty()) return state.SkipWithError("no frame was recorded");
  dd::Surface& back = *Video.BackBuffer;
  for (auto _ : state) {
    for (const auto& b : blits) {
      const bool keyed = Keyed(b);
      const uint32_t key = b.source->ColorKey();
      for (int y = b.rect.top; y < b.rect.bottom; ++y) {
        const auto* src =
            reinterpret_cast<const uint32_t*>(b.source->Pixels() + size_t(y) * b.source->Pitch());
        auto* dst = reinterpret_cast<uint32_t*>(back.Pixels() +
                                                size_t(b.y + y - b.rect.top) * back.Pitch()) +
                    (b.x - b.rect.left);
        for (int x = b.rect.left; x < b.rect.right; ++x)
          if (!keyed || (src[x] & 0xFFFFFF) != key) dst[x] = src[x];
      }
    }
    benchmark::DoNotOptimize(back.Pixels());
    benchmark::ClobberMemory();
  }
  Report(state, blits);
}
BENCHMARK(BM_FrameBlits_NaiveKeyedLoop)->Unit(benchmark::kMicrosecond);

void BM_FrameMemcpy(benchmark::State& state) {
  std::vector<uint8_t> from(800 * 600 * 4, 1), to(800 * 600 * 4);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FrameMemcpy)->Unit(benchmark::kMicrosecond);

}  // namespace
