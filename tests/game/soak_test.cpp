// Random play for many simulated minutes, with the world's invariants checked every step,
// and a scripted game that must come out the same every time.
#include <cstring>
#include <random>
#include <vector>

#include "game/simulation.h"
#include "persist/settings.h"
#include "platform/crt_rand.h"
#include "screens/input.h"
#include "screens/modes.h"
#include "world_fixture.h"

namespace {

// Walks a list both ways; false when it does not end or its links disagree.
template <typename Record>
bool ListIsSound(const Record* head, int limit) {
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
  ASSERT_TRUE(ListIsSound(World.FloatingBarels, 1'000'000)) << step;
  ASSERT_TRUE(ListIsSound(World.Fallers, 1'000'000)) << step;
  ASSERT_TRUE(ListIsSound(World.FrontBubbles, 1'000'000)) << step;
  ASSERT_TRUE(ListIsSound(World.BackBubbles, 1'000'000)) << step;
}

void RandomBubbleSettings(std::mt19937& random) {
  std::uniform_int_distribution<uint32_t> slider(0, 192);
  Settings.NauvrelBubbles = slider(random);
  Settings.NauvrelExplBubbles = slider(random);
  Settings.MineBubbles = slider(random);
  Settings.TorpedoBubbles = slider(random);
  Settings.BarelExplBubbles = slider(random);
  Settings.BarelFloatBubbles = slider(random);
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

TEST_F(WorldTest, SoakRandomPlayKeepsTheWorldSound) {
  std::mt19937 random(2024);
  crt::srand(12345);
  int games = 0, levels = 0;
  StartGame();
  double played = 0;
  for (int step = 0; played < 25 * 60 * 1000.0; ++step) {
    const double before = World.GameClock;
    const uint16_t level = World.Level;
    ASSERT_TRUE(PlayStep(*this, random));
    played += World.GameClock - before;
    if (World.Level > level) ++levels;
    ExpectInvariants(step);
    if (HasFatalFailure()) return;
    if (World.Level == 0 || Screen.LevelIntro) {
      if (World.Level == 0) {
        ++games;
        RandomBubbleSettings(random);
        StartGame();
      }
      Screen.LevelIntro = 0;
    }
  }
  EXPECT_GT(games, 3);  // the submarine does die under random play
  RecordProperty("games", games);
  RecordProperty("levels", levels);
}

// Every bubble setting from 0 to 192, the two zero delays among them, with short steps.
TEST_F(WorldTest, SoakEveryBubbleSettingRunsWithoutFault) {
  std::mt19937 random(7);
  crt::srand(3);
  for (uint32_t s = 0; s <= 192; ++s) {
    Settings.NauvrelBubbles = Settings.NauvrelExplBubbles = Settings.MineBubbles = s;
    Settings.TorpedoBubbles = Settings.BarelExplBubbles = Settings.BarelFloatBubbles = s;
    ApplySettings();
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

struct Outcome {
  std::vector<int32_t> grid;
  int32_t score;
  uint16_t level;
  double clock, x;
  int32_t barrelsLeft;
  bool operator==(const Outcome&) const = default;
};

Outcome ScriptedGame(WorldTest& test) {
  ResetWorld();
  Settings = {};
  ApplySettings();
  crt::srand(12345);
  std::mt19937 random(99);
  StartGame();
  for (int i = 0; i < 20000; ++i) {
    if (World.Level == 0) StartGame();
    Screen.LevelIntro = 0;
    EXPECT_TRUE(PlayStep(test, random));
  }
  Outcome out{{}, World.Score, World.Level, World.GameClock, World.Sub.x, World.BarelsLeft};
  for (const BarelCell& cell : World.BarelGrid) out.grid.push_back(cell.state);
  return out;
}

TEST_F(WorldTest, AScriptedGameComesOutTheSameEveryRun) {
  const Outcome first = ScriptedGame(*this);
  const Outcome second = ScriptedGame(*this);
  EXPECT_TRUE(first == second);
  EXPECT_GT(first.clock, 0);
}

}  // namespace
