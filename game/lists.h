#pragma once
// The doubly linked lists of the world: a new record goes in front of the head, removal
// unlinks a record and frees it.
#include <new>

template <typename Record>
Record* NewRecord() {
  return new (std::nothrow) Record{};
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
  delete record;
  return next;
}

template <typename Record>
void FreeAll(Record*& head) {
  while (head) Remove(head, head);
}
