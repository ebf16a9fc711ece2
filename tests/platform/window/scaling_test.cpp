// The frame fills the window at 4:3 in each scaling mode, at the window's real pixels (the
// black bars are compared with SDL's own drawing in the display tests); a mouse position
// reaches the game as the frame pixel drawn under it.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "platform/display/ddraw.h"
#include "platform/window/frame_area.h"
#include "platform/window/sdl_window.h"
#include "support/game_window.h"
#include "support/offscreen.h"

namespace {

using win::ScaleMode;

TEST(Scaling, TheFrameAndTheMouseAtEverySizeAndDensity) {
  struct Case {
    int windowW, windowH, outputW, outputH;  // output larger than the window: high DPI
    ScaleMode mode;
    win::FrameArea area;
    int sharp;                           // the whole multiple smooth scaling goes through
    int pointX, pointY, frameX, frameY;  // a window point and the frame pixel it falls on
  } cases[] = {
      {800, 600, 800, 600, ScaleMode::Smooth, {0, 0, 800, 600}, 1, 799, 599, 799, 599},
      {1920, 1080, 1920, 1080, ScaleMode::Smooth, {240, 0, 1440, 1080}, 1, 240, 0, 0, 0},
      {1920, 1080, 1920, 1080, ScaleMode::Linear, {240, 0, 1440, 1080}, 1, 100, 1079, 0, 599},
      {1920, 1080, 1920, 1080, ScaleMode::Integer, {560, 240, 800, 600}, 1, 1359, 839, 799, 599},
      {1280, 1024, 1280, 1024, ScaleMode::Nearest, {0, 32, 1280, 960}, 1, 640, 512, 400, 300},
      {2560, 1440, 2560, 1440, ScaleMode::Smooth, {320, 0, 1920, 1440}, 2, 321, 2, 0, 1},
      {800, 600, 1600, 1200, ScaleMode::Integer, {0, 0, 1600, 1200}, 2, 400, 300, 400, 300},
      {400, 300, 400, 300, ScaleMode::Integer, {0, 0, 400, 300}, 1, 399, 150, 799, 301},
  };
  for (const Case& c : cases) {
    const win::FrameArea a = win::FitFrame(c.outputW, c.outputH, c.mode);
    EXPECT_EQ(std::make_tuple(a.x, a.y, a.w, a.h),
              std::make_tuple(c.area.x, c.area.y, c.area.w, c.area.h))
        << c.outputW << "x" << c.outputH;
    EXPECT_EQ(win::SharpMultiple(a), c.sharp) << c.outputW << "x" << c.outputH;
    const win::FramePoint p =
        win::ToFrame(c.pointX, c.pointY, c.windowW, c.windowH, c.outputW, c.outputH, c.mode);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(c.frameX, c.frameY))
        << c.windowW << "x" << c.windowH << " at " << c.pointX << "," << c.pointY;
  }
}

// Squares of 20 pixels, each its own colour.
uint32_t Pattern(int x, int y) {
  return static_cast<uint32_t>((x / 20) * 0x010A03 + (y / 20) * 0x030107);
}

struct Window : QuietFlipWindow {
  Window() : QuietFlipWindow(32) {}
  // Where the game is told the mouse is, moved to a window point.
  std::pair<int, int> MouseAt(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(win::SdlWindow(Shell.Window));
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
    win::MSG msg;
    while (win::PeekMessage(msg)) {
      win::GetMessage(msg);
      if (msg.message == win::WM_MOUSEMOVE)
        return {win::LOWORD(msg.lParam), win::HIWORD(msg.lParam)};
    }
    return {-1, -1};
  }
};

TEST(Scaling, TheSoftwareRendererShowsTheWholeFrameWhereTheMouseFindsIt) {
  struct Case {
    int w, h;
    ScaleMode mode;
    bool exact;  // every pixel a copy of one frame pixel
  } cases[] = {{800, 600, ScaleMode::Smooth, true},
               {1280, 1024, ScaleMode::Linear, false},
               {2560, 1440, ScaleMode::Smooth, false}};
  Window window;
  for (const Case& c : cases) {
    win::SetScaleMode(c.mode);
    int w = 0, h = 0;
    window.Resize(c.w, c.h);
    const std::vector<uint32_t> shown = window.Show(Pattern, w, h);
    ASSERT_EQ(std::make_pair(w, h), std::make_pair(c.w, c.h));
    const win::FrameArea a = win::FitFrame(w, h, c.mode);
    const auto at = [&](int x, int y) { return shown[static_cast<size_t>(y) * w + x]; };
    // Inside, each square in its place; the mouse on any pixel finds the frame pixel drawn.
    for (int y = a.y; y < a.y + a.h; y += c.exact ? 1 : 13)
      for (int x = a.x; x < a.x + a.w; x += c.exact ? 1 : 13) {
        const int fx = (x - a.x) * 800 / a.w, fy = (y - a.y) * 600 / a.h;
        const bool inside = fx % 20 > 1 && fx % 20 < 18 && fy % 20 > 1 && fy % 20 < 18;
        if (!c.exact && !inside) continue;  // blended or rounded at the squares' edges
        ASSERT_EQ(at(x, y), Pattern(fx, fy)) << c.w << "x" << c.h << " at " << x << "," << y;
        if (!inside || (x * 7 + y * 13) % 997 != 0) continue;
        const auto [mx, my] = window.MouseAt(x, y);
        ASSERT_EQ(Pattern(mx, my), at(x, y)) << c.w << "x" << c.h << " at " << x << "," << y;
      }
  }
}

}  // namespace
