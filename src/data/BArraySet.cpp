// CBArraySet: ID-addressed set of element buffers.
#include "data/BArraySet.h"

#include <new>
#include <string>

#include "platform/Frame.h"

CBArraySet::~CBArraySet() { Clear(); }

void CBArraySet::Clear() {
  for (uint8_t* p : items_) delete[] p;
  items_.clear();
  ids_.clear();
  capacity_ = 0;
}

int CBArraySet::Init(int width, int height, int elementSize, int capacity, int start) {
  size_t bytes = 0;
  if (!CBArray::ByteSizeFor(width, height, elementSize, &bytes)) return 0;
  if (capacity <= 0 || start < 0 || start >= capacity) return 0;
  Clear();
  try {
    items_.assign(size_t(capacity), nullptr);
  } catch (const std::bad_alloc&) {
    SetLastErrorText("ERROR (CBArraySet::Init): Failed to create container array");
    return 0;
  }
  try {
    ids_.assign(size_t(capacity), 0);
  } catch (const std::bad_alloc&) {
    items_.clear();
    SetLastErrorText("ERROR (CBArraySet::Init): Failed to create IDs array");
    return 0;
  }
  capacity_ = capacity;
  start_ = cursor_ = start;
  width_ = width;
  height_ = height;
  elementSize_ = elementSize;
  ++generation_;
  return 1;
}

int CBArraySet::GetDims(int* width, int* height, int* elementSize) const {
  if (width) *width = width_;
  if (height) *height = height_;
  if (elementSize) *elementSize = elementSize_;
  return 1;
}

int CBArraySet::FindIndex(uint16_t id) const {
  for (int i = 0; i < capacity_; ++i)
    if (ids_[size_t(i)] == id) return i;
  return -1;
}

uint8_t* CBArraySet::Get(uint16_t id) const {
  int i = FindIndex(id);
  return i < 0 ? nullptr : items_[size_t(i)];
}

uint8_t* CBArraySet::GetAt(int index) const {
  return index < 0 || index >= capacity_ ? nullptr : items_[size_t(index)];
}

uint16_t CBArraySet::GetIdAt(int index) const {
  return index < 0 || index >= capacity_ ? 0 : ids_[size_t(index)];
}

int CBArraySet::AddNext(uint16_t id, uint8_t* buffer) {
  if (!buffer || cursor_ < 0 || cursor_ >= capacity_) return 0;
  if (items_[size_t(cursor_)]) {
    SetLastErrorText("CBArraySet::AddNext: Slot " + std::to_string(cursor_) + " is in use");
    return 0;
  }
  items_[size_t(cursor_)] = buffer;
  ids_[size_t(cursor_)] = id;
  ++cursor_;
  ++generation_;
  return 1;
}

int CBArraySet::AddFree(uint16_t id, uint8_t* buffer) {
  if (!buffer || cursor_ < 0 || cursor_ >= capacity_) return 0;
  for (int k = 0; k < capacity_ - start_; ++k) {
    int index = cursor_;
    if (++cursor_ >= capacity_) cursor_ = start_;
    if (!items_[size_t(index)]) {
      items_[size_t(index)] = buffer;
      ids_[size_t(index)] = id;
      ++generation_;
      return 1;
    }
  }
  return 0;
}

int CBArraySet::SetAt(int index, uint16_t id, uint8_t* buffer) {
  if (index < 0 || index >= capacity_) return 0;
  if (items_[size_t(index)] != buffer) delete[] items_[size_t(index)];
  items_[size_t(index)] = buffer;
  ids_[size_t(index)] = buffer ? id : 0;
  ++generation_;
  return 1;
}

int CBArraySet::Remove(uint16_t id, int free) {
  int i = FindIndex(id);
  if (i < 0 || id == 0) return 1;
  return RemoveAt(i, free);
}

int CBArraySet::RemoveAt(int index, int free) {
  if (index < 0 || index >= capacity_) return 0;
  if (free) delete[] items_[size_t(index)];
  items_[size_t(index)] = nullptr;
  ids_[size_t(index)] = 0;
  ++generation_;
  return 1;
}

bool CBArraySet::Matches(const CBArray& array) const {
  return array.HasData() && !array.IsView() && array.Width() == width_ &&
         array.Height() == height_ && array.ElementSize() == elementSize_;
}

int CBArraySet::AddArray(uint16_t id, CBArray* array, int sequential) {
  if (!array || !Matches(*array)) return 0;
  int ok = sequential ? AddNext(id, array->GetData()) : AddFree(id, array->GetData());
  if (ok) array->Detach();
  return ok;
}

int CBArraySet::ReplaceAt(int index, uint16_t id, CBArray* array) {
  if (!array || !Matches(*array) || index < 0 || index >= capacity_) return 0;
  if (!SetAt(index, id, array->GetData())) return 0;
  array->Detach();
  return 1;
}

int CBArraySet::ViewAt(int index, CBArray* array) const {
  if (!array || array->HasData()) return 0;
  uint8_t* buffer = GetAt(index);
  if (!buffer) return 0;
  array->SetDims(width_, height_, elementSize_);
  return array->AttachView(buffer);
}
