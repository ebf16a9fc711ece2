#pragma once
// A display without a screen: Video set up by hand at a chosen depth, every sprite cell of
// every sheet filled with its own pixel value (so that a blit's source shows in the back
// buffer), and one-colour pictures for the full-screen screens and the font.
#include <cstdint>
#include <memory>

#include "platform/display/ddraw.h"
#include "platform/picture/picture.h"

namespace fixture {

// Pixel values, valid at 8, 16 and 32 bits. 0 is every sheet's colour key.
constexpr uint32_t Key = 0;
constexpr uint32_t Background = 1;
constexpr uint32_t MenuBckg = 2;
constexpr uint32_t MenuSel = 3;
constexpr uint32_t BarelCell(int c) { return 10 + c; }
constexpr uint32_t BonusCell(int c) { return 20 + c; }
constexpr uint32_t DigitCell(int d) { return 30 + d; }
constexpr uint32_t SubFrame(int f) { return 40 + f; }
constexpr uint32_t Mine = 60, Torpedo = 61, BubbleSprite = 62;
constexpr uint32_t ExplACell(int c) { return 70 + c; }
constexpr uint32_t ExplBCell(int c) { return 100 + c; }
constexpr uint32_t ButtonOff = 130, ButtonOn = 131, SliderTrack = 132, SliderKnob = 133;

// Palette entries whose colours the one-colour pictures use.
constexpr int LogoEntry = 200, Help1Entry = 205, Help2Entry = 210, Help3Entry = 215,
              SettingsEntry = 220, HiScoreEntry = 225, FontKeyEntry = 235, GlyphEntry = 245;
// The fixture's palette: entry i has a colour no other entry comes near, also in RGB565.
dd::COLORREF EntryColour(int entry);

// Builds the display and fills Video; at 8 bits makes the six palettes (separate objects
// with the same entries). Sets AppActive and the window-less shell.
void SetUpVideo(int depth);
void TearDownVideo();

// What the screen shows at (x, y) after a flip, and what a picture of the entry's colour
// gives there.
uint32_t Pixel(int x, int y);
uint32_t PictureValue(int entry);

}  // namespace fixture
