// Below 32 bits a flip converts and sends to the window's texture only what changed since
// the frame before. Whatever changed, and whatever else happened in between, the texture
// must then hold the whole frame as a full conversion gives it.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "app/shell.h"
#include "platform/display/ddraw.h"
#include "support/game_window.h"
#include "support/offscreen.h"

namespace {

constexpr int Width = 800, Height = 600;

struct WindowChain {
  WindowChain() {
    EXPECT_TRUE(OpenQuietWindow());
    EXPECT_EQ(dd::DirectDrawCreateEx(nullptr, device), dd::DD_OK);
    EXPECT_EQ(device->SetCooperativeLevel(Shell.Window, 0), dd::DD_OK);
    dd::testing::KeepPresentedFrames(true);
  }
  ~WindowChain() {
    dd::testing::KeepPresentedFrames(false);
    primary.reset();
    device.reset();
    CloseQuietWindow();
  }
  void SetDepth(int depth) {
    primary.reset();
    ASSERT_EQ(device->SetDisplayMode(Width, Height, depth, 0, 0), dd::DD_OK);
    primary = MakeFlipChain(*device, back);
    ASSERT_TRUE(back);
    ASSERT_TRUE(dd::testing::HasRenderer());
  }
  // Writes the whole picture into the back buffer (the flip left the older frame there),
  // flips, and checks the texture against the full conversion of the frame.
  void ExpectShown(const std::vector<uint32_t>& picture, const std::string& when) {
    SCOPED_TRACE(when);
    const int bytes = (back->BitsPerPixel() + 7) / 8;
    dd::LockedRect locked;
    ASSERT_EQ(back->Lock(nullptr, locked, dd::DDLOCK_WAIT), dd::DD_OK);
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x)
        std::memcpy(locked.bits + static_cast<size_t>(y) * locked.pitch + x * bytes,
                    &picture[y * Width + x], bytes);
    back->Unlock(nullptr);
    ASSERT_EQ(primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DD_OK);
    const std::vector<uint32_t> texture = dd::testing::TextureFrame();
    const std::vector<uint32_t>& frame = dd::testing::PresentedFrame();
    ASSERT_EQ(texture.size(), frame.size());
    for (size_t i = 0; i < frame.size(); ++i)
      ASSERT_EQ(texture[i], frame[i]) << "x " << i % Width << " y " << i / Width;
  }
  std::unique_ptr<dd::DirectDraw> device;
  std::unique_ptr<dd::Surface> primary;
  dd::Surface* back = nullptr;
};

// One pixel changed at a time where blocks and rows begin and end, two far apart in one row
// (the stretch between them is sent again), a band of rows with different stretches, rows
// apart, and a frame with no change at all.
void ExpectSmallChangesShown(WindowChain& chain, std::vector<uint32_t>& picture, uint32_t mask,
                             std::mt19937& random) {
  struct Change {
    int x, y;
  };
  const std::vector<std::vector<Change>> steps = {
      {},
      {{0, 0}},
      {{31, 5}},
      {{32, 5}},
      {{799, 599}},
      {{3, 100}, {790, 100}},
      {{400, 200}, {10, 201}, {700, 202}, {64, 203}},
      {{100, 300}, {100, 302}, {500, 598}},
  };
  for (size_t step = 0; step < steps.size(); ++step) {
    for (const Change& c : steps[step]) picture[c.y * Width + c.x] = random() & mask;
    chain.ExpectShown(picture, "step " + std::to_string(step));
  }
}

std::vector<uint32_t> RandomPicture(uint32_t mask, std::mt19937& random) {
  std::vector<uint32_t> picture(Width * Height);
  for (uint32_t& p : picture) p = random() & mask;
  return picture;
}

TEST(PresentChanges, TheTextureFollowsEveryChangeAtEachDepth) {
  WindowChain chain;
  std::mt19937 random(11);
  for (int depth : {16, 24}) {
    SCOPED_TRACE(depth);
    chain.SetDepth(depth);
    const uint32_t mask = (1u << depth) - 1;
    std::vector<uint32_t> picture = RandomPicture(mask, random);
    chain.ExpectShown(picture, "first frame");
    ExpectSmallChangesShown(chain, picture, mask, random);
  }
}

TEST(PresentChanges, AnEightBitFrameIsRecolouredWhenOnlyThePaletteChanges) {
  WindowChain chain;
  chain.SetDepth(8);
  std::mt19937 random(8);
  std::array<dd::PALETTEENTRY, 256> entries;
  for (auto& e : entries) e = {uint8_t(random()), uint8_t(random()), uint8_t(random()), 0};
  dd::Palette palette(entries.data());
  ASSERT_EQ(chain.primary->SetPalette(&palette), dd::DD_OK);
  std::vector<uint32_t> picture = RandomPicture(0xFF, random);
  chain.ExpectShown(picture, "first frame");
  ExpectSmallChangesShown(chain, picture, 0xFF, random);

  entries[picture[0]] = {1, 2, 3, 0};
  ASSERT_EQ(palette.SetEntries(picture[0], 1, &entries[picture[0]]), dd::DD_OK);
  chain.ExpectShown(picture, "one entry changed");
  ASSERT_EQ(chain.primary->SetPalette(nullptr), dd::DD_OK);
  chain.ExpectShown(picture, "default colours");
}

TEST(PresentChanges, AFrameAfterAnotherDepthIsSentWhole) {
  WindowChain chain;
  std::mt19937 random(3);
  const std::vector<uint32_t> picture = RandomPicture(0xFF, random);
  // The same bytes mean other colours at another depth, and a 32-bit frame overwrites the
  // texture without keeping its bytes.
  chain.SetDepth(16);
  chain.ExpectShown(picture, "16 bits");
  chain.SetDepth(8);
  chain.ExpectShown(picture, "8 bits");
  chain.SetDepth(32);
  chain.ExpectShown(RandomPicture(0xFFFFFF, random), "32 bits");
  chain.SetDepth(8);
  chain.ExpectShown(picture, "8 bits again");
}

// A reset of the render device loses the texture's pixels; the frame after it must not
// count on them.
TEST(PresentChanges, AFrameAfterARenderDeviceResetIsSentWhole) {
  WindowChain chain;
  std::mt19937 random(5);
  for (int depth : {8, 32}) {
    SCOPED_TRACE(depth);
    chain.SetDepth(depth);
    const uint32_t mask = depth == 8 ? 0xFF : 0xFFFFFF;
    std::vector<uint32_t> picture = RandomPicture(mask, random);
    chain.ExpectShown(picture, "first frame");
    dd::testing::ResetRenderDevice();
    picture[Width * 300 + 400] ^= 1;
    chain.ExpectShown(picture, "after the reset");
    chain.ExpectShown(picture, "the frame after that");
  }
}

}  // namespace
