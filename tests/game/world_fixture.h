#pragma once
// A known world for the rule tests: an empty grid, play running, a clock moved by hand.
#include <gtest/gtest.h>

#include <string_view>

#include "game/world.h"
#include "support/fake_clock.h"

// A fresh start: play running, the submarine alive at level 1 speed above the grid, no bubbles.
void ResetWorld();

// Column c from row 0 up: 'B' barrel, 'X' exploding (phase 0, now), '.' empty, '3' to '9' and
// 'a' to 'c' (10 to 12) bonuses lying since now. BarelsLeft is counted again.
void SetColumn(int column, std::string_view cells);
// Barrels and exploding barrels in the grid: what BarelsLeft should say.
int CountBarrels();
int CountState(int32_t state);

template <typename Record>
int ListLength(const Record* head) {
  int n = 0;
  for (; head; head = head->next) ++n;
  return n;
}

inline bool TorpedoGone() { return World.Torpedo.row == -1; }
inline bool MineGone() { return World.Mine.y == 0; }

void PlaceSubmarine(double x, int row, double speed = 120);
// A mine from row 13 over column c, under a submarine slow enough to stay above the grid.
bool DropMineAbove(int c);
// A torpedo fired from the start of a row, the submarine then out of its way in row 13.
void FireFromRow(int row);

struct WorldTest : ::testing::Test {
  FakeClock clock;
  void SetUp() override;
  void TearDown() override;
  bool Step(int ms);
  // Steps of ms until total ms have passed; false as soon as one step fails.
  bool Run(int total, int ms = 10);
  // Steps of 10 ms until done (10 s at most); false as soon as one step fails.
  bool Until(bool (*done)());
};
