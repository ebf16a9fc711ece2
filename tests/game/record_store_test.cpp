// The records' store: slots in order from a fresh or emptied store, the slot given back
// last taken first, and every record handed out value-initialised.
#include "game/record_store.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Probe {
  double value = 7;
  Probe* next = nullptr;
};
using Slot = RecordStore<Probe>::Slot;
constexpr std::size_t SlabSlots = RecordStore<Probe>::Slab::Slots;

std::vector<Probe*> Take(std::size_t n) {
  std::vector<Probe*> taken;
  for (std::size_t i = 0; i < n; ++i) taken.push_back(TakeRecord<Probe>());
  return taken;
}

void GiveAllBack(const std::vector<Probe*>& taken) {
  for (auto it = taken.rbegin(); it != taken.rend(); ++it) GiveBack(*it);
}

bool InOrderWithinSlabs(const std::vector<Probe*>& taken) {
  for (std::size_t i = 1; i < taken.size(); ++i) {
    if (i % SlabSlots == 0) continue;
    auto step =
        reinterpret_cast<const char*>(taken[i]) - reinterpret_cast<const char*>(taken[i - 1]);
    if (step != static_cast<std::ptrdiff_t>(sizeof(Slot))) return false;
  }
  return true;
}

TEST(RecordStore, StartsOverInOrderOnceEveryRecordIsBackAndReusesItsSlabs) {
  std::vector<Probe*> first = Take(SlabSlots + 300);
  ASSERT_TRUE(InOrderWithinSlabs(first));
  for (Probe* p : first) {
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->value, 7);
    p->value = -1;
  }

  // Given back out of order and taken again in between: the free slots are scattered...
  GiveBack(first[10]);
  GiveBack(first[500]);
  EXPECT_EQ(TakeRecord<Probe>(), first[500]);
  EXPECT_EQ(first[500]->value, 7);  // initialised afresh
  first[500]->value = -1;
  GiveBack(first[500]);
  for (std::size_t i = 0; i < first.size(); ++i)
    if (i != 10 && i != 500) GiveBack(first[i]);

  // ...until the store is empty: then the same slots come out in order again.
  std::vector<Probe*> again = Take(first.size());
  EXPECT_EQ(again, first);
  for (Probe* p : again) EXPECT_EQ(p->value, 7);
  GiveAllBack(again);
}

TEST(RecordStore, EachKindHasItsOwnStore) {
  struct Other {
    double value = 3;
  };
  Probe* probe = TakeRecord<Probe>();
  Other* other = TakeRecord<Other>();
  Probe* second = TakeRecord<Probe>();
  EXPECT_EQ(reinterpret_cast<char*>(second) - reinterpret_cast<char*>(probe),
            static_cast<std::ptrdiff_t>(sizeof(Slot)));
  EXPECT_EQ(other->value, 3);
  GiveBack(second);
  GiveBack(probe);
  GiveBack(other);
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
