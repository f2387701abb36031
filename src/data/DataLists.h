#pragma once
// Small owned lists shared by many tables: ByteList and WordList (16-bit
// signed count) and IntList (32-bit slots and count). Sizing zeroes every
// entry. Reads outside the list give 0 and writes outside it fail, so a
// table that is shorter than its users expect never reads stray memory.
#include <cstdint>
#include <new>
#include <vector>

template <class T, class CountT>
class SmallList {
 public:
  SmallList() = default;
  explicit SmallList(CountT n) { Init(n); }

  // n zeroed entries (n >= 0); false for a negative size or no memory.
  bool Init(CountT n) {
    if (n < 0) return false;
    try {
      items_.assign(static_cast<size_t>(n), T{});
    } catch (const std::bad_alloc&) {
      items_.clear();
      return false;
    }
    return true;
  }
  // Keeps the first entries, zeroes the new ones.
  bool Resize(CountT n) {
    if (n < 0) return false;
    try {
      items_.resize(static_cast<size_t>(n), T{});
    } catch (const std::bad_alloc&) {
      return false;
    }
    return true;
  }
  void Clear() { items_.clear(); }

  CountT Count() const { return static_cast<CountT>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  T* Items() { return items_.empty() ? nullptr : items_.data(); }
  const T* Items() const { return items_.empty() ? nullptr : items_.data(); }

  T Get(int index) const {
    return index >= 0 && static_cast<size_t>(index) < items_.size() ? items_[static_cast<size_t>(index)] : T{};
  }
  bool Set(int index, T value) {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return false;
    items_[static_cast<size_t>(index)] = value;
    return true;
  }
  // Unchecked access for loops that stay below Count().
  T& operator[](size_t index) { return items_[index]; }
  const T& operator[](size_t index) const { return items_[index]; }

  std::vector<T>& Vector() { return items_; }
  const std::vector<T>& Vector() const { return items_; }

 private:
  std::vector<T> items_;
};

using ByteList = SmallList<uint8_t, int16_t>;
using WordList = SmallList<uint16_t, int16_t>;
using IntList = SmallList<int32_t, int32_t>;
