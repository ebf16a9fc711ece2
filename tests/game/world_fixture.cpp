#include "world_fixture.h"

#include <algorithm>
#include <tuple>

#include "app/frame_clock.h"
#include "app/init.h"
#include "app/shell.h"
#include "game/lists.h"
#include "game/simulation.h"
#include "platform/system/crt_rand.h"
#include "screens/modes.h"

void ResetWorld() {
  AllocationFaults = {};
  FreeFloaters(), FreeFallers(), FreeBubbles();
  World = {.Level = 1,
           .Sub = {.x = -50, .row = 13, .speed = 120, .changeRate = 15},
           .Mine = {.fallSpeed = 120.0 / 5 + 60},
           .Torpedo = {}};
  Bubbles = {};
  Screen = {.Mode = gmPlay};
  Shell.AppActive = true;
  FillDirectionTable();
  crt::srand(1);
}

void SetColumn(int column, std::string_view cells) {
  for (int r = 0; r < GridRows; ++r) {
    BarelCell& cell = Cell(column, r);
    cell = {};
    const char ch = r < static_cast<int>(cells.size()) ? cells[r] : '.';
    if (ch == 'B') cell.state = csBarel;
    if (ch == 'X') cell = {.state = csExploding, .stamp = World.GameClock};
    const int32_t bonus = ch >= 'a' ? 10 + (ch - 'a') : ch - '0';
    if (bonus >= 3 && bonus <= 12) cell = {.state = bonus, .since = World.GameClock};
  }
  World.BarelsLeft = CountBarrels();
}

int CountState(int32_t state) {
  return static_cast<int>(std::ranges::count(World.BarelGrid, state, &BarelCell::state));
}

int CountBarrels() { return CountState(csBarel) + CountState(csExploding); }

void PlaceSubmarine(double x, int row, double speed) {
  std::tie(World.Sub.x, World.Sub.row, World.Sub.speed) = std::tuple(x, row, speed);
}

bool DropMineAbove(int c) {
  PlaceSubmarine(40 * c + 50, 13, 20);
  return DropMine();
}

void FireFromRow(int row) {
  PlaceSubmarine(-50, row);
  ASSERT_TRUE(FireTorpedo());
  World.Sub.row = 13;
}

void WorldTest::SetUp() {
  ResetWorld();
  FrameClock = {.UseQPC = true, .Frequency = clock.frequency};
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
