#pragma once
// CBArraySet: an ID-addressed set of equally sized element buffers (a frame
// set). The set owns its buffers and frees them when it is destroyed. IDs are
// 16-bit; 0 marks an empty slot. Operations return 1 for success, 0 for
// failure; low-level failures are written to LastErrorText.
#include <cstdint>
#include <vector>

#include "data/BArray.h"

class CBArraySet {
 public:
  CBArraySet() = default;
  ~CBArraySet();
  CBArraySet(const CBArraySet&) = delete;
  CBArraySet& operator=(const CBArraySet&) = delete;

  int Init(int width, int height, int elementSize, int capacity, int start);
  int GetDims(int* width, int* height, int* elementSize) const;
  int Capacity() const { return capacity_; }
  int Cursor() const { return cursor_; }
  int ReservedStart() const { return start_; }
  void SetCursor(int cursor) { cursor_ = cursor; }

  int FindIndex(uint16_t id) const;  // -1 when absent
  uint8_t* Get(uint16_t id) const;
  uint8_t* GetAt(int index) const;
  uint16_t GetIdAt(int index) const;

  // The buffer must hold width*height*elementSize bytes allocated with new[];
  // on success the set owns it, on failure the caller still does.
  // AddNext refuses an occupied slot at the cursor.
  int AddNext(uint16_t id, uint8_t* buffer);
  int AddFree(uint16_t id, uint8_t* buffer);
  int SetAt(int index, uint16_t id, uint8_t* buffer);
  int Remove(uint16_t id, int free);
  int RemoveAt(int index, int free);
  // Take the array's buffer (the array is detached) when its dimensions are
  // the set's; views cannot be handed over.
  int AddArray(uint16_t id, CBArray* array, int sequential);
  int ReplaceAt(int index, uint16_t id, CBArray* array);
  // Gives an empty array the set's dimensions over the slot's buffer without
  // copying; the set keeps ownership (Detach the view when done).
  int ViewAt(int index, CBArray* array) const;

  // Counts every change to the slots, so that displays holding pointers
  // into the set can tell when to rebuild.
  uint32_t Generation() const { return generation_; }
  // Marks a change made to a buffer through a view.
  void Touch() { ++generation_; }

 private:
  bool Matches(const CBArray& array) const;
  void Clear();

  std::vector<uint8_t*> items_;
  std::vector<uint16_t> ids_;
  int capacity_ = 0;
  int start_ = 0;
  int cursor_ = 0;
  int width_ = 0;
  int height_ = 0;
  int elementSize_ = 0;
  uint32_t generation_ = 0;
};
