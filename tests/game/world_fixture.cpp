#include "world_fixture.h"

#include <algorithm>

#include "app/frame_clock.h"
#include "app/init.h"
#include "app/shell.h"
#include "game/lists.h"
#include "game/simulation.h"
#include "platform/system/crt_rand.h"
#include "screens/modes.h"

void ResetWorld() {
  AllocationFaults = {};
  FreeFloaters();
  FreeFallers();
  FreeBubbles();
  World = {};
  World.Torpedo.row = -1;
  World.Level = 1;
  World.Sub.x = -50;
  World.Sub.row = 13;
  World.Sub.speed = 120;
  World.Sub.changeRate = 15;
  World.Mine.fallSpeed = 120.0 / 5 + 60;
  Bubbles = {};
  Screen = {};
  Screen.Mode = gmPlay;
  Shell.AppActive = true;
  FillDirectionTable();
  crt::srand(1);
}

void SetColumn(int column, std::string_view cells) {
  for (int r = 0; r < GridRows; ++r) {
    BarelCell& cell = Cell(column, r);
    cell = {};
    const char ch = r < static_cast<int>(cells.size()) ? cells[r] : '.';
    if (ch == 'B') {
      cell.state = csBarel;
    } else if (ch == 'X') {
      cell.state = csExploding;
      cell.stamp = World.GameClock;
    } else if (ch >= '3' && ch <= '9') {
      cell.state = ch - '0';
      cell.since = World.GameClock;
    } else if (ch >= 'a' && ch <= 'c') {
      cell.state = 10 + (ch - 'a');
      cell.since = World.GameClock;
    }
  }
  World.BarelsLeft = CountBarrels();
}

int CountState(int32_t state) {
  return static_cast<int>(std::ranges::count(World.BarelGrid, state, &BarelCell::state));
}

int CountBarrels() { return CountState(csBarel) + CountState(csExploding); }

void PlaceSubmarine(double x, int row, double speed) {
  World.Sub.x = x;
  World.Sub.row = row;
  World.Sub.speed = speed;
}

void WorldTest::SetUp() {
  ResetWorld();
  FrameClock = {};
  FrameClock.UseQPC = true;
  FrameClock.Frequency = clock.frequency;
  sysFrameTime();  // started: the first step measures from here
}

void WorldTest::TearDown() { ResetWorld(); }

bool WorldTest::Step(int ms) {
  clock.AdvanceMicroseconds(int64_t{ms} * 1000);
  return SimulateFrame();
}

bool WorldTest::Run(int total, int ms) {
  for (int t = 0; t < total; t += ms)
    if (!Step(ms)) return false;
  return true;
}

bool WorldTest::Until(bool (*done)()) {
  for (int i = 0; i < 1000 && !done(); ++i)
    if (!Step(10)) return false;
  return done();
}
