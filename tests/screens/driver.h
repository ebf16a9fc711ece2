#pragma once
// Drives the game as a player would: window messages into MainWndProc, then a frame.
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <tuple>

#include "app/frame_clock.h"
#include "app/shell.h"
#include "audio/cd.h"
#include "game/world.h"
#include "persist/hiscore.h"
#include "persist/settings.h"
#include "screens/input.h"
#include "screens/modes.h"
#include "support/fake_clock.h"
#include "support/video_fixture.h"
#include "support/wav_files.h"
#include "video/video.h"

// Menu items, as a player would aim at them.
constexpr uint16_t NewGameX = 650, NewGameY = 35;
constexpr uint16_t ContinueX = 650, ContinueY = 80;
constexpr uint16_t SettingsY = 120, HiScoreY = 170;

class ScreenTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    win::testing::Reset();
    clock.emplace();
    FrameClock = FrameClockState{};
    FreeLists();
    World = WorldState{};
    Screen = ScreenState{};
    Settings = SettingsState{};
    CD = CDState{};
    HiScores = HiScoreState{};
    ApplySettings();
    fixture::SetUpVideo(GetParam());
    ASSERT_TRUE(sysTimerStart());     // enters the logo, as start-up does
    ASSERT_TRUE(MakeToneSoundSet());  // so that the sounds played can be counted
  }
  void TearDown() override {
    ReleaseToneSoundSet();
    FreeLists();
    fixture::TearDownVideo();
    Switches = SwitchFlags{};  // as a test may have set them
    clock.reset();
  }

  static void FreeLists() { FreeFloaters(), FreeFallers(), FreeBubbles(); }
  static void Key(uint16_t key) { MainWndProc(nullptr, win::WM_KEYDOWN, key, 0); }
  static void Keys(std::initializer_list<uint16_t> keys) {
    for (uint16_t key : keys) Key(key);
  }
  static void Click(uint16_t x, uint16_t y) {
    MainWndProc(nullptr, win::WM_LBUTTONUP, 0, win::MAKELPARAM(x, y));
  }
  static void Frame() { ASSERT_TRUE(RenderFrame()); }
  // Off the logo by a key, then the menu's new-game item: the level's introduction.
  static void StartGame() {
    Key('A');
    Click(NewGameX, NewGameY);
  }
  // Into the name entry: a game lost with this best score.
  static void LoseWithBestScore(uint32_t best) {
    StartGame();
    Key('A');
    World.BestScore = best;
    GameOver();
  }
  static uint32_t Pixel(int x, int y) { return fixture::Pixel(x, y); }

  // Takes every waiting message off the queue; true when one of them was WM_CLOSE.
  static bool ClosePosted() {
    bool close = false;
    win::MSG msg;
    while (win::PeekMessage(msg)) {
      win::GetMessage(msg);
      close = close || msg.message == win::WM_CLOSE;
    }
    return close;
  }
  static std::string LastError() {
    const auto& boxes = win::testing::MessageBoxes();
    return boxes.empty() ? std::string() : boxes.back();
  }

  std::optional<FakeClock> clock;
};

inline std::string DepthName(const ::testing::TestParamInfo<int>& info) {
  return "Depth" + std::to_string(info.param);
}
