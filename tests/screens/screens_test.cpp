// The settings and hi-score screens, and the palettes of an 8-bit display.
#include <cstring>
#include <string>
#include <tuple>

#include "audio/cd.h"
#include "driver.h"
#include "platform/cdaudio/mci.h"
#include "support/disc_fixture.h"
#include "support/temp_dir.h"

namespace {

class SettingsTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Key('A');
    Click(790, 120);
  }
};

struct SliderCase {
  uint32_t SettingsState::*setting;
  uint16_t y;
};
constexpr SliderCase Sliders[] = {
    {&SettingsState::NauvrelBubbles, 84},    {&SettingsState::NauvrelExplBubbles, 140},
    {&SettingsState::MineBubbles, 195},      {&SettingsState::TorpedoBubbles, 252},
    {&SettingsState::BarelExplBubbles, 308}, {&SettingsState::BarelFloatBubbles, 365},
};

// The knob's left edge stands at 589 plus the value; the bottom edge of a slider counts.
TEST_P(SettingsTest, SlidersTakeTheClickedPositionAndDeriveTheBubbles) {
  for (const auto& [x, dy, value] : {std::tuple{593, 0, 0u}, {603, 19, 10u}, {785, 0, 192u}}) {
    for (const SliderCase& slider : Sliders) Click(x, slider.y + dy);
    Frame();
    for (const SliderCase& slider : Sliders) {
      EXPECT_EQ(Settings.*slider.setting, value) << slider.y;
      const int knob = 589 + static_cast<int>(value);
      EXPECT_TRUE(Pixel(knob, slider.y - 1) == fixture::SliderKnob &&
                  Pixel(knob - 1, slider.y - 1) != fixture::SliderKnob)
          << slider.y << " at " << value;
    }
    // A hit derives the bubbles again; how is the settings' tests'.
    EXPECT_EQ(Bubbles.NauvrelBubblesOn, value >= 10);
  }
  Click(786, 84);  // beside the sliders nothing changes
  Click(700, 104);
  EXPECT_EQ(std::pair(Pixel(589, 84), Settings.NauvrelBubbles),
            std::pair(fixture::SliderTrack, 192u));
}

TEST_P(SettingsTest, SoundButtonTogglesAndTheNextFrameShowsIt) {
  Settings.UseSound = false;
  Frame();
  EXPECT_EQ(Pixel(684, 419), fixture::ButtonOff);
  Click(685, 420);
  Frame();
  EXPECT_EQ(std::tuple(Settings.UseSound, Pixel(684, 419), Pixel(702, 437)),
            std::tuple(true, fixture::ButtonOn, fixture::ButtonOn));
  Click(702, 437);
  EXPECT_FALSE(Settings.UseSound);
}

// The button shows the device; it opens the device and starts the music, or closes it. A
// device that fails on the way ends the game with its message.
TEST_P(SettingsTest, CDButtonOpensAndPlaysOrClosesTheDevice) {
  TempDir disc;
  cdtest::WriteImage(disc.path, {{true, 4}, {true, 4}});
  const auto useDisc = [&disc] {
    mci::testing::Reset();
    mci::testing::SkipDrives(true);
    mci::testing::SetDiscFolder(disc.path.string());
    mci::testing::SetManualStreaming(true);
  };
  useDisc();
  Frame();
  EXPECT_EQ(Pixel(663, 508), fixture::ButtonOff);
  Click(670, 515);
  EXPECT_TRUE(CD.CDOpen && CD.CDPlaying);
  Frame();
  EXPECT_EQ(std::tuple(Pixel(663, 508), Pixel(681, 526), Pixel(682, 526)),
            std::tuple(fixture::ButtonOn, fixture::ButtonOn,
                       fixture::PictureValue(fixture::SettingsEntry)));
  Click(670, 515);
  EXPECT_FALSE(CD.CDOpen || ClosePosted());

  const std::pair<void (*)(), const char*> failures[] = {
      {[] { mci::testing::FailStatus(true); }, "status cdaudio media present failed"},
      {[] { CD.CDOpen = true; }, "stop cdaudio"},  // the device itself is closed
  };
  for (const auto& [fault, error] : failures) {
    SCOPED_TRACE(error);
    useDisc();
    fault();
    Click(670, 515);
    EXPECT_EQ(std::tuple(LastError(), ClosePosted(), CD.CDOpen), std::tuple(error, true, false));
  }
  mci::testing::Reset();
}

class HiScoreTest : public ScreenTest {};

TEST_P(HiScoreTest, FifteenLinesAtThirtyFromSeventyToFiveHundredEighteen) {
  for (size_t i = 0; i < HiScores.Table.size(); ++i) {
    HiScores.Table[i].score = 1000 - static_cast<uint32_t>(i);
    std::memset(HiScores.Table[i].name, 'A', sizeof HiScores.Table[i].name);  // no terminator
  }
  Key('A');
  Click(700, HiScoreY);
  Frame();
  const uint32_t glyph = fixture::PictureValue(fixture::GlyphEntry);
  const uint32_t picture = fixture::PictureValue(fixture::HiScoreEntry);
  int lines = 0;
  for (int y = 0; y < 600; ++y)
    if (Pixel(31, y) == glyph && Pixel(31, y - 1) != glyph) {
      EXPECT_EQ(y, 70 + 32 * lines);
      ++lines;
    }
  // "%-6d  " and a full field cut to the 31 characters a name may have: 39 glyphs.
  EXPECT_EQ(
      std::tuple(lines, Pixel(29, 71), Pixel(30 + 38 * 16 + 1, 71), Pixel(30 + 39 * 16 + 1, 71)),
      std::tuple(15, picture, glyph, picture));
}

// At 8 bits each screen brings its own palette; play and the hi-score page give it the font too.
class PaletteTest : public ScreenTest {};

TEST_P(PaletteTest, EachModeBringsItsOwnPalette) {
  const std::tuple<GameMode, dd::Palette*, bool> modes[] = {
      {gmMenu, Video.dplMenu.get(), false},  {gmHiScore, Video.dplHiScore.get(), true},
      {gmHelp1, Video.dplHelp.get(), false}, {gmHelp2, Video.dplHelp.get(), false},
      {gmHelp3, Video.dplHelp.get(), false}, {gmPlay, Video.dplGame.get(), true},
      {gmLogo, Video.dplLogo.get(), false},  {gmSettings, Video.dplSettings.get(), false},
  };
  for (const auto& [mode, palette, font] : modes) {
    ASSERT_TRUE(SetGameMode(mode));
    EXPECT_TRUE(palette && Video.PrimarySurface->GetPalette() == palette) << mode;
    EXPECT_TRUE(!font || Video.ddsFont->GetPalette() == palette) << mode;
  }
}

INSTANTIATE_TEST_SUITE_P(Depth32, SettingsTest, ::testing::Values(32), DepthName);
INSTANTIATE_TEST_SUITE_P(Depth32, HiScoreTest, ::testing::Values(32), DepthName);
INSTANTIATE_TEST_SUITE_P(Depth8, PaletteTest, ::testing::Values(8), DepthName);

}  // namespace
