#include "data/PointerLists.h"

#include <algorithm>
#include <new>

#include "platform/Frame.h"
#include "text/Output.h"

namespace {
template <class V>
bool Allocate(V& v, size_t n) {
  try {
    v.assign(n, typename V::value_type{});
  } catch (const std::bad_alloc&) {
    v.clear();
    return false;
  }
  return true;
}
template <class V>
bool Extend(V& v, size_t n) {
  try {
    v.resize(n, typename V::value_type{});
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
}  // namespace

// ---- CVPIList ----

int CVPIList::Init(int capacity, int start) {
  Forget();
  items_.clear();
  ids_.clear();
  start_ = cursor_ = 0;
  if (capacity < 0 || start < 0 || start > capacity) {
    SetLastErrorText("CVPIList::Init: Invalid capacity or start");
    return 0;
  }
  if (!Allocate(items_, static_cast<size_t>(capacity))) {
    SetLastErrorText("CVPIList::Init: Failed to create container list");
    return 0;
  }
  if (!Allocate(ids_, static_cast<size_t>(capacity))) {
    items_.clear();
    SetLastErrorText("CVPIList::Init: Failed to create ID list");
    return 0;
  }
  start_ = cursor_ = start;
  return 1;
}

int CVPIList::SetAt(int index, uint16_t id, void* item) {
  if (index < 0 || index >= GetCount()) return 0;
  // Any write may replace the cached slot's contents.
  Forget();
  items_[static_cast<size_t>(index)] = item;
  ids_[static_cast<size_t>(index)] = id;
  return 1;
}

void CVPIList::Advance() {
  ++cursor_;
  if (cursor_ >= GetCount()) cursor_ = start_;
}

int CVPIList::AddNext(uint16_t id, void* item) {
  if (!SetAt(cursor_, id, item)) return 0;
  Advance();
  return 1;
}

int CVPIList::AddFree(uint16_t id, void* item, int* outIndex) {
  if (cursor_ >= GetCount()) return 0;
  const int looks = GetCount() - start_;
  for (int i = 0; i < looks; ++i) {
    const int slot = cursor_;
    Advance();
    if (ids_[static_cast<size_t>(slot)] == 0) {
      SetAt(slot, id, item);
      if (outIndex) *outIndex = slot;
      return 1;
    }
  }
  return 0;
}

int CVPIList::FindIndex(uint16_t id) const {
  for (size_t i = 0; i < ids_.size(); ++i)
    if (ids_[i] == id) return static_cast<int>(i);
  return -1;
}

void* CVPIList::Get(uint16_t id) {
  if (id == 0) return nullptr;
  if (id == cachedId_) return cachedItem_;
  const int index = FindIndex(id);
  if (index < 0) return nullptr;
  cachedId_ = id;
  cachedItem_ = items_[static_cast<size_t>(index)];
  return cachedItem_;
}

void* CVPIList::GetAt(int index) const {
  return index >= 0 && index < GetCount() ? items_[static_cast<size_t>(index)] : nullptr;
}

uint16_t CVPIList::GetIdAt(int index) const {
  return index >= 0 && index < GetCount() ? ids_[static_cast<size_t>(index)] : 0;
}

int CVPIList::RemoveAt(int index) {
  if (index < 0 || index >= GetCount()) return 0;
  Forget();
  items_[static_cast<size_t>(index)] = nullptr;
  ids_[static_cast<size_t>(index)] = 0;
  return 1;
}

int CVPIList::FindForward(uint16_t id, int start) const {
  if (start < 0 || start >= GetCount()) {
    DebugPrintText("DBG (CVPIList::GetPosLSForward): Invalid start position %d", start);
    return -1;
  }
  for (int i = start; i < GetCount(); ++i)
    if (ids_[static_cast<size_t>(i)] == id) return i;
  return -1;
}

int CVPIList::FindBackward(uint16_t id, int start) const {
  if (start < 0 || start >= GetCount()) {
    DebugPrintText("DBG (CVPIList::GetPosLSBackward): Invalid start position %d", start);
    return -1;
  }
  for (int i = start; i >= 0; --i)
    if (ids_[static_cast<size_t>(i)] == id) return i;
  return -1;
}

int CVPIList::Grow(int n) {
  if (n < 0) return 0;
  Forget();
  const size_t size = ids_.size() + static_cast<size_t>(n);
  if (size > 0x7FFFFFFF || !Extend(items_, size)) return 0;
  if (!Extend(ids_, size)) {
    items_.resize(ids_.size());
    return 0;
  }
  return 1;
}

// ---- CVPList ----

int CVPList::Init(int n) {
  items_.clear();
  if (n < 0) return 0;
  return Allocate(items_, static_cast<size_t>(n)) ? 1 : 0;
}

int CVPList::Set(int pos, void* item) {
  if (pos < 1 || pos > GetCount()) return 0;
  items_[static_cast<size_t>(pos - 1)] = item;
  return 1;
}

int CVPList::AddFree(void* item) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] == nullptr) {
      items_[i] = item;
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

int CVPList::AddGrow(void* item, int growBy) {
  const int pos = AddFree(item);
  if (pos != 0 || growBy < 1) return pos;
  const int first = GetCount() + 1;
  if (!Resize(GetCount() + growBy)) return 0;
  items_[static_cast<size_t>(first - 1)] = item;
  return first;
}

void* CVPList::Get(int pos) const {
  if (pos < 1 || pos > GetCount()) {
    PrintLine("ERROR (CVPList::Get): Position out of range: %d", pos - 1);
    return nullptr;
  }
  return items_[static_cast<size_t>(pos - 1)];
}

int CVPList::Resize(int n) {
  if (n < 0) return 0;
  return Extend(items_, static_cast<size_t>(n)) ? 1 : 0;
}

int CVPList::CountUsed() const {
  int used = 0;
  for (void* item : items_)
    if (item != nullptr) ++used;
  return used;
}

// ---- CVPTypedList ----

int CVPTypedList::Init(int n) {
  items_.clear();
  types_.clear();
  if (n < 0) return 0;
  if (!Allocate(items_, static_cast<size_t>(n)) || !Allocate(types_, static_cast<size_t>(n))) {
    items_.clear();
    types_.clear();
    return 0;
  }
  return 1;
}

int CVPTypedList::SetAt(int pos, void* item, uint16_t type) {
  if (pos < 1 || pos > GetCount()) return 0;
  items_[static_cast<size_t>(pos - 1)] = item;
  types_[static_cast<size_t>(pos - 1)] = type;
  return 1;
}

int CVPTypedList::AddFree(void* item, uint16_t type) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] == nullptr) {
      items_[i] = item;
      types_[i] = type;
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

uint16_t CVPTypedList::GetType(int pos) const {
  return pos >= 1 && pos <= GetCount() ? types_[static_cast<size_t>(pos - 1)] : 0;
}

void* CVPTypedList::GetItem(int pos) const {
  return pos >= 1 && pos <= GetCount() ? items_[static_cast<size_t>(pos - 1)] : nullptr;
}

int CVPTypedList::Resize(int n) {
  if (n < 0) return 0;
  if (!Extend(items_, static_cast<size_t>(n)) || !Extend(types_, static_cast<size_t>(n))) {
    items_.resize(std::min(items_.size(), types_.size()));
    types_.resize(items_.size());
    return 0;
  }
  return 1;
}
