// The records' store: fresh records apart from each other, slots reused, foreign ones refused.
#include "game/record_store.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

struct Probe {
  double value = 7;
};

std::vector<Probe*> Take(std::size_t n) {
  std::vector<Probe*> taken;
  for (std::size_t i = 0; i < n; ++i) {
    taken.push_back(TakeRecord<Probe>());
    EXPECT_EQ(taken.back()->value, 7);
    taken.back()->value = -1;
  }
  return taken;
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

// Taking in a record it never handed out would make it hand out a slot still in use.
TEST(RecordStore, HandsOutFreshRecordsOverSlabsAndRefusesOnesItDidNotHandOut) {
  std::vector<Probe*> first = Take(RecordStore<Probe>::Slab::Slots + 300);
  EXPECT_EQ(std::set(first.begin(), first.end()).size(), first.size());
  ASSERT_TRUE(GiveBack(first[500]));
  ASSERT_TRUE(GiveBack(Take(1)[0]));  // a slot given back comes back fresh
  for (std::size_t i = 0; i < first.size(); ++i) ASSERT_TRUE(i == 500 || GiveBack(first[i]));
  EXPECT_EQ(Take(first.size()), first);  // all back: the store starts over
  Probe outside;
  EXPECT_TRUE(Refused(&outside));
  EXPECT_TRUE(Refused(reinterpret_cast<Probe*>(reinterpret_cast<char*>(first[0]) + 1)));
  for (Probe* p : first) ASSERT_TRUE(GiveBack(p));
  EXPECT_TRUE(Refused(first[0]));  // none out any more
  EXPECT_EQ(Store<Probe>.live, 0u);
}

}  // namespace
