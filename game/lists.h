#pragma once
// The doubly linked lists of the world: a new record goes in front of the head, removal
// unlinks a record and gives it back to its store.
#include <array>

#include "game/record_store.h"

// The kinds of record the lists hold, for refusing their allocation on request.
enum class RecordKind { Floater, Faller, Bubble };

// Memory running out, on request: while a kind's budget is not negative, each allocation
// of that kind spends one unit and the allocation at 0 fails. Tests set it; the game never
// does, so every budget stays at -1 (no limit).
struct AllocationFaultState {
  std::array<int, 3> budget{-1, -1, -1};
};
inline AllocationFaultState AllocationFaults;

inline bool AllocationRefused(RecordKind kind) {
  int& budget = AllocationFaults.budget[static_cast<int>(kind)];
  if (budget < 0) return false;
  if (budget == 0) return true;
  --budget;
  return false;
}

template <typename Record>
Record* NewRecord(RecordKind kind) {
  if (AllocationRefused(kind)) return nullptr;
  return TakeRecord<Record>();
}

template <typename Record>
void PushFront(Record*& head, Record* record) {
  record->previous = nullptr;
  record->next = head;
  if (head) head->previous = record;
  head = record;
}

// Returns the record that followed the removed one, so that a walk can go on.
template <typename Record>
Record* Remove(Record*& head, Record* record) {
  Record* next = record->next;
  if (record->previous) record->previous->next = next;
  if (next) next->previous = record->previous;
  if (head == record) head = next;
  GiveBack(record);
  return next;
}

template <typename Record>
void FreeAll(Record*& head) {
  while (head) Remove(head, head);
}
