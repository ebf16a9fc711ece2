// Memory running out in a step: records the game needs end it (the faller with a message);
// bubbles of the mine, the torpedo and exploding barrels are decoration, and it goes on.
#include <tuple>

#include "game/lists.h"
#include "game/simulation.h"
#include "platform/window/window.h"
#include "world_fixture.h"

namespace {

struct OutOfMemory : WorldTest {
  void SetUp() override {
    WorldTest::SetUp();
    win::testing::Reset();
  }
  static void Refuse(RecordKind kind) { AllocationFaults.budget[static_cast<int>(kind)] = 0; }
  static const std::vector<std::string>& Boxes() { return win::testing::MessageBoxes(); }
};

TEST_F(OutOfMemory, ALiftedBarrelThatCannotBeMadeEndsTheGameWithoutAMessage) {
  SetColumn(2, "BBB");
  FireFromRow(0);
  Refuse(RecordKind::Floater);
  EXPECT_TRUE(!Run(10000) && !World.FloatingBarels && Boxes().empty());
}

// At the fixture's seed the mine through these four barrels draws a faller.
TEST_F(OutOfMemory, AFallerThatCannotBeMadeEndsTheGameWithItsMessage) {
  SetColumn(4, "BBBB");
  ASSERT_TRUE(DropMineAbove(4));
  Refuse(RecordKind::Faller);
  EXPECT_FALSE(Run(10000));
  EXPECT_EQ(Boxes(), std::vector<std::string>{"can't create faller"});
}

TEST_F(OutOfMemory, WithoutBubblesTheMineTheTorpedoAndExplodingBarrelsGoOn) {
  Bubbles = {.MineBubblesOn = 1, .TorpedoBubblesOn = 1, .TorpedoBubbleDelay = 10};
  std::tie(Bubbles.BarelExplBubbleMax, Bubbles.BarelFloatBubbleMax) = std::tuple(30, 30);
  SetColumn(5, "BBBBBB");                                     // the mine's stack
  SetColumn(12, "BBBBBBBBB");                                 // the torpedo's, hit in row 7
  Cell(17, 0) = {.state = csBarel, .stamp = 50, .since = 1};  // a fuse burning down at 50 ms
  World.BarelsLeft = CountBarrels();
  World.ColumnBonusUsed.fill(1);
  ASSERT_TRUE(DropMineAbove(5));
  PlaceSubmarine(-50, 7);
  ASSERT_TRUE(FireTorpedo());
  PlaceSubmarine(40 * 5 + 50, 13, 20);
  Refuse(RecordKind::Bubble);

  ASSERT_TRUE(Run(8000));
  EXPECT_EQ(std::tuple(World.FrontBubbles, World.BackBubbles), std::tuple(nullptr, nullptr));
  EXPECT_EQ(std::tuple(World.Mine.y, World.Mine.hits, World.Torpedo.row), std::tuple(0.0, 4, -1));
  // The torpedo's hit, the barrel that floated away above it, the fuse.
  EXPECT_EQ(std::tuple(Cell(12, 7).state, Cell(12, 8).state, Cell(17, 0).state),
            std::tuple(csEmpty, csEmpty, csEmpty));
  EXPECT_EQ(std::tuple(World.BarelsLeft, Boxes().size()), std::tuple(CountBarrels(), 0u));
}

}  // namespace
