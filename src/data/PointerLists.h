#pragma once
// Pointer tables behind the definition, frame, tile, script and trigger
// tables. None of them owns what its slots point to: the holder frees the
// objects (usually by walking the slots) before destroying the table.
// IDs are 16-bit; ID 0 marks an empty slot.
//
// The untyped cores hold void*; CVPIListOf<T> and CVPListOf<T> are thin
// typed front ends for callers that keep one kind of object.
#include <cstdint>
#include <vector>

// Slots 0 .. capacity-1 of (ID, pointer), filled in turn from a cursor that
// wraps back to a reserved start, with a one-entry look-up cache.
class CVPIList {
 public:
  CVPIList() = default;
  CVPIList(const CVPIList&) = delete;
  CVPIList& operator=(const CVPIList&) = delete;

  // All slots empty; cursor and reserved start = start. A negative capacity
  // or a start outside 0 .. capacity fails (LastErrorText says why).
  int Init(int capacity, int start);
  int SetAt(int index, uint16_t id, void* item);
  // Stores at the cursor (overwriting), then advances it, wrapping at the
  // capacity to the reserved start.
  int AddNext(uint16_t id, void* item);
  // Stores in the first empty slot from the cursor, looking at no more than
  // capacity - start slots. outIndex (optional) receives the slot.
  int AddFree(uint16_t id, void* item, int* outIndex = nullptr);
  // First slot with that ID from slot 0, or -1.
  int FindIndex(uint16_t id) const;
  // The item of the first slot with that ID, or none. ID 0 is never found.
  void* Get(uint16_t id);
  void* GetAt(int index) const;
  uint16_t GetIdAt(int index) const;
  // Empties the slot; the item is not freed.
  int RemoveAt(int index);
  // Slot index of the ID searching from start towards the end (forward) or
  // slot 0 (backward), or -1. A start outside the slots prints a debug line
  // and fails.
  int FindForward(uint16_t id, int start) const;
  int FindBackward(uint16_t id, int start) const;
  // capacity += n; new slots empty.
  int Grow(int n);
  int GetCount() const { return static_cast<int>(ids_.size()); }
  int Cursor() const { return cursor_; }
  int ReservedStart() const { return start_; }

 private:
  void Advance();
  void Forget() {
    cachedId_ = 0;
    cachedItem_ = nullptr;
  }

  std::vector<void*> items_;
  std::vector<uint16_t> ids_;
  int start_ = 0;
  int cursor_ = 0;
  uint16_t cachedId_ = 0;
  void* cachedItem_ = nullptr;
};

// Positions 1 .. count of pointers.
class CVPList {
 public:
  CVPList() = default;
  CVPList(const CVPList&) = delete;
  CVPList& operator=(const CVPList&) = delete;

  // n empty positions; a negative n fails.
  int Init(int n);
  // Fails when pos < 1 or pos > count.
  int Set(int pos, void* item);
  // First empty position, filled; the position, or 0 when full.
  int AddFree(void* item);
  // AddFree, or when full and growBy >= 1 grows by growBy and stores in the
  // first new position. The position, or 0.
  int AddGrow(void* item, int growBy);
  // The item; outside 1 .. count prints
  // "ERROR (CVPList::Get): Position out of range: %d" with pos - 1.
  void* Get(int pos) const;
  // Keeps the first min(n, count) items; new positions empty.
  int Resize(int n);
  int CountUsed() const;
  int GetCount() const { return static_cast<int>(items_.size()); }

 private:
  std::vector<void*> items_;
};

// CVPList with a 16-bit type per position.
class CVPTypedList {
 public:
  int Init(int n);
  int SetAt(int pos, void* item, uint16_t type);
  // The position used, or 0 when full.
  int AddFree(void* item, uint16_t type);
  // 0 / none outside 1 .. count.
  uint16_t GetType(int pos) const;
  void* GetItem(int pos) const;
  int Resize(int n);
  int GetCount() const { return static_cast<int>(items_.size()); }

 private:
  std::vector<void*> items_;
  std::vector<uint16_t> types_;
};

template <class T>
class CVPIListOf : public CVPIList {
 public:
  int SetAt(int index, uint16_t id, T* item) { return CVPIList::SetAt(index, id, item); }
  int AddNext(uint16_t id, T* item) { return CVPIList::AddNext(id, item); }
  int AddFree(uint16_t id, T* item, int* outIndex = nullptr) { return CVPIList::AddFree(id, item, outIndex); }
  T* Get(uint16_t id) { return static_cast<T*>(CVPIList::Get(id)); }
  T* GetAt(int index) const { return static_cast<T*>(CVPIList::GetAt(index)); }
};

template <class T>
class CVPListOf : public CVPList {
 public:
  int Set(int pos, T* item) { return CVPList::Set(pos, item); }
  int AddFree(T* item) { return CVPList::AddFree(item); }
  int AddGrow(T* item, int growBy) { return CVPList::AddGrow(item, growBy); }
  T* Get(int pos) const { return static_cast<T*>(CVPList::Get(pos)); }
};
