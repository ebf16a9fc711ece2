// Random play for many simulated minutes, with the world's invariants checked every step,
// and a scripted game that must come out the same every time.
#include <functional>
#include <random>
#include <tuple>
#include <vector>

#include "game/simulation.h"
#include "persist/settings.h"
#include "platform/system/crt_rand.h"
#include "screens/input.h"
#include "screens/modes.h"
#include "world_fixture.h"

namespace {

// Walks a list both ways; false when it does not end or its links disagree.
template <typename Record>
bool ListIsSound(const Record* head, int limit = 1'000'000) {
  const Record* previous = nullptr;
  for (int n = 0; head; head = head->next, ++n) {
    if (n > limit || head->previous != previous) return false;
    previous = head;
  }
  return true;
}

void ExpectInvariants(int step) {
  if (World.Sub.DyingState == 0) {
    ASSERT_EQ(World.BarelsLeft, CountBarrels()) << step;
  }
  for (const BarelCell& cell : World.BarelGrid) {
    ASSERT_GE(cell.state, csEmpty) << step;
    ASSERT_LE(cell.state, btDeath) << step;
    if (cell.state == csExploding) {
      ASSERT_GE(cell.phase, 0) << step;
      ASSERT_LE(cell.phase, 9) << step;
    }
  }
  ASSERT_GE(World.Score, 0);
  ASSERT_GE(World.Sub.row, 0) << step;
  ASSERT_LE(World.Sub.row, 13) << step;
  ASSERT_TRUE(ListIsSound(World.FloatingBarels)) << step;
  ASSERT_TRUE(ListIsSound(World.Fallers)) << step;
  ASSERT_TRUE(ListIsSound(World.FrontBubbles)) << step;
  ASSERT_TRUE(ListIsSound(World.BackBubbles)) << step;
}

// All six bubble sliders, each from `position`, derived as the settings screen does.
void SetBubbleSliders(const std::function<uint32_t()>& position) {
  for (uint32_t SettingsState::*slider :
       {&SettingsState::NauvrelBubbles, &SettingsState::NauvrelExplBubbles,
        &SettingsState::MineBubbles, &SettingsState::TorpedoBubbles,
        &SettingsState::BarelExplBubbles, &SettingsState::BarelFloatBubbles})
    Settings.*slider = position();
  ApplySettings();
}

void StartGame() {
  Screen.NameEntry = 0;
  ASSERT_TRUE(NewGame());
  Screen.LevelIntro = 0;
}

// One player's turn: maybe a key, then a step of random length (now and then a long one).
bool PlayStep(WorldTest& test, std::mt19937& random) {
  const uint32_t roll = random() % 1000;
  if (roll < 40) DropMine();
  if (roll >= 40 && roll < 60) FireTorpedo();
  int ms = static_cast<int>(random() % 40);
  if (roll == 999) ms = static_cast<int>(random() % 5000);
  return test.Step(ms);
}

// The grid, the score, the level, the clock, the submarine's x and the barrels left.
using Outcome = std::tuple<std::vector<int32_t>, int32_t, uint16_t, double, double, int32_t>;

// 25 simulated minutes of random play from a fresh world, with new random bubble settings
// for each game.
Outcome Soak(WorldTest& test) {
  ResetWorld();
  Settings = {};
  ApplySettings();
  std::mt19937 random(2024);
  crt::srand(12345);
  int games = 0;
  StartGame();
  double played = 0;
  for (int step = 0; played < 25 * 60 * 1000.0; ++step) {
    const double before = World.GameClock;
    EXPECT_TRUE(PlayStep(test, random));
    played += World.GameClock - before;
    ExpectInvariants(step);
    if (::testing::Test::HasFailure()) return {};
    if (World.Level == 0) {
      ++games;
      SetBubbleSliders([&random, slider = std::uniform_int_distribution<uint32_t>(
                                     0, 192)]() mutable { return slider(random); });
      StartGame();
    }
    Screen.LevelIntro = 0;
  }
  EXPECT_GT(games, 3);  // the submarine does die under random play
  std::vector<int32_t> grid;
  for (const BarelCell& cell : World.BarelGrid) grid.push_back(cell.state);
  return {grid, World.Score, World.Level, World.GameClock, World.Sub.x, World.BarelsLeft};
}

TEST_F(WorldTest, SoakRandomPlayKeepsTheWorldSoundAndComesOutTheSameEveryRun) {
  const Outcome first = Soak(*this);
  if (HasFailure()) return;
  EXPECT_EQ(first, Soak(*this));
}

// Every bubble setting from 0 to 192, the two zero delays among them, with short steps.
TEST_F(WorldTest, SoakEveryBubbleSettingRunsWithoutFault) {
  std::mt19937 random(7);
  crt::srand(3);
  for (uint32_t s = 0; s <= 192; ++s) {
    SetBubbleSliders([s] { return s; });
    StartGame();
    for (int i = 0; i < 100; ++i) {
      if (World.Level == 0) StartGame();
      Screen.LevelIntro = 0;
      ASSERT_TRUE(PlayStep(*this, random));
      ExpectInvariants(i);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
