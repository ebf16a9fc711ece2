#pragma once
// Where the list records live. Each kind of record has its own store of slabs: a new
// record takes the slot given back last, or else the next slot in order. Once every record
// of a kind is free again (a level starts, the lists are emptied) the store starts over
// from its first slot, so a fresh level's records lie in memory in the order they were
// made and a walk of a long list streams through the cache instead of missing per record.
#include <sanitizer/asan_interface.h>

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

// Under AddressSanitizer a slot not in use is fenced off, so a record used after its
// removal is still reported, as it would be with new and delete. Elsewhere these are no-ops.
inline void FenceOff(void* slots, std::size_t size) { ASAN_POISON_MEMORY_REGION(slots, size); }
inline void OpenUp(void* slot, std::size_t size) { ASAN_UNPOISON_MEMORY_REGION(slot, size); }

template <typename Record>
struct RecordStore {
  union Slot {
    Slot* nextFree;
    alignas(Record) std::byte bytes[sizeof(Record)];
  };
  struct Slab {
    static constexpr std::size_t Slots = 1024;
    Slot slots[Slots];
    std::unique_ptr<Slab> next;
  };
  std::unique_ptr<Slab> first;
  Slab* current = nullptr;  // the slab the next slot in order is taken from
  std::size_t used = 0;     // slots of the current slab taken in order
  Slot* given = nullptr;    // the slots given back, the last one first
  std::size_t live = 0;     // records handed out and not given back
};

template <typename Record>
inline RecordStore<Record> Store;

namespace record_store {

template <typename Record>
void FenceOffSlab(typename RecordStore<Record>::Slab& slab) {
  FenceOff(slab.slots, sizeof slab.slots);
}

// The next slot in order, going on to the next slab (made when there is none yet) when the
// current one is full; nullptr when memory is out.
template <typename Record>
typename RecordStore<Record>::Slot* NextInOrder(RecordStore<Record>& store) {
  using Slab = typename RecordStore<Record>::Slab;
  std::unique_ptr<Slab>* following = store.current ? &store.current->next : &store.first;
  if (!store.current || store.used == Slab::Slots) {
    if (!*following) {
      *following = std::unique_ptr<Slab>(new (std::nothrow) Slab);
      if (!*following) return nullptr;
      FenceOffSlab<Record>(**following);
    }
    store.current = following->get();
    store.used = 0;
  }
  return &store.current->slots[store.used++];
}

// Whether `record` is the start of a slot in one of the store's slabs.
template <typename Record>
bool Owns(const RecordStore<Record>& store, const Record* record) {
  using Slot = typename RecordStore<Record>::Slot;
  const auto at = reinterpret_cast<std::uintptr_t>(record);
  for (auto* slab = store.first.get(); slab; slab = slab->next.get()) {
    const auto begin = reinterpret_cast<std::uintptr_t>(slab->slots);
    if (at >= begin && at < begin + sizeof slab->slots) return (at - begin) % sizeof(Slot) == 0;
  }
  return false;
}

}  // namespace record_store

// A value-initialised record, or nullptr when memory is out.
template <typename Record>
Record* TakeRecord() {
  using Slot = typename RecordStore<Record>::Slot;
  RecordStore<Record>& store = Store<Record>;
  Slot* slot = store.given;
  if (slot) {
    OpenUp(slot, sizeof(Slot));
    store.given = slot->nextFree;
  } else {
    slot = record_store::NextInOrder(store);
    if (!slot) return nullptr;
    OpenUp(slot, sizeof(Slot));
  }
  ++store.live;
  return new (slot->bytes) Record{};
}

// Refuses (false, and a failed assertion in a debug build) a record the store did not hand
// out, and one more than it handed out: taking it in would let the store hand out a slot
// still in use.
template <typename Record>
bool GiveBack(Record* record) {
  using Slot = typename RecordStore<Record>::Slot;
  RecordStore<Record>& store = Store<Record>;
  const bool owned = store.live > 0 && record_store::Owns(store, record);
  assert(owned && "a record given back that the store did not hand out");
  if (!owned) return false;
  record->~Record();
  auto* slot = reinterpret_cast<Slot*>(record);
  slot->nextFree = store.given;
  store.given = slot;
  FenceOff(slot, sizeof(Slot));
  if (--store.live > 0) return true;
  // Everything is free: start over from the first slot, in order.
  store.given = nullptr;
  store.current = nullptr;
  for (auto* slab = store.first.get(); slab; slab = slab->next.get())
    record_store::FenceOffSlab<Record>(*slab);
  return true;
}
