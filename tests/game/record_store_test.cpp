// The records' store: every record handed out value-initialised, the slot given back last
// taken first, the same slots again once every record is back, and a record the store did
// not hand out refused.
#include "game/record_store.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Probe {
  double value = 7;
};
constexpr std::size_t SlabSlots = RecordStore<Probe>::Slab::Slots;

std::vector<Probe*> Take(std::size_t n) {
  std::vector<Probe*> taken;
  for (std::size_t i = 0; i < n; ++i) {
    taken.push_back(TakeRecord<Probe>());
    EXPECT_EQ(taken.back()->value, 7);
    taken.back()->value = -1;
  }
  return taken;
}

TEST(RecordStore, ReusesTheLastSlotGivenBackAndStartsOverOnceEveryRecordIsBack) {
  std::vector<Probe*> first = Take(SlabSlots + 300);
  ASSERT_TRUE(GiveBack(first[10]));
  ASSERT_TRUE(GiveBack(first[500]));
  EXPECT_EQ(Take(1)[0], first[500]);
  for (std::size_t i = 0; i < first.size(); ++i) ASSERT_TRUE(i == 10 || GiveBack(first[i]));
  EXPECT_EQ(Take(first.size()), first);
  for (Probe* p : first) ASSERT_TRUE(GiveBack(p));
}

// In a debug build the store stops the program instead.
bool Refused(Probe* record) {
#ifdef NDEBUG
  return !GiveBack(record);
#else
  EXPECT_DEATH(GiveBack(record), "did not hand out");
  return true;
#endif
}

// Taking in a record it never handed out, or one more than it has out, would make the
// store hand out a slot that is still in use.
TEST(RecordStore, RefusesARecordItDidNotHandOutAndAGiveBackBelowZero) {
  Probe* taken = TakeRecord<Probe>();
  Probe outside;
  EXPECT_TRUE(Refused(&outside));
  EXPECT_TRUE(Refused(reinterpret_cast<Probe*>(reinterpret_cast<char*>(taken) + 1)));
  ASSERT_TRUE(GiveBack(taken));
  EXPECT_TRUE(Refused(taken));  // none out any more
  EXPECT_EQ(Store<Probe>.live, 0u);
  const std::vector<Probe*> two = Take(2);
  EXPECT_NE(two[0], two[1]);
  for (Probe* p : two) GiveBack(p);
}

#if defined(__SANITIZE_ADDRESS__)
// A record used after it is given back is reported, as with delete.
TEST(RecordStore, SlotsNotInUseAreFencedOffUnderAddressSanitizer) {
  std::vector<Probe*> taken = Take(3);
  EXPECT_FALSE(__asan_address_is_poisoned(taken[1]));
  EXPECT_TRUE(__asan_address_is_poisoned(taken[2] + 1));  // the next slot, never used
  GiveBack(taken[1]);
  EXPECT_TRUE(__asan_address_is_poisoned(&taken[1]->value));
  EXPECT_FALSE(__asan_address_is_poisoned(taken[0]));
  GiveBack(taken[0]);
  GiveBack(taken[2]);
  EXPECT_TRUE(__asan_address_is_poisoned(taken[0]));
}
#endif

}  // namespace
