#pragma once
// The object stack map: for every map cell the stack of objects standing on
// it (top first), each entry naming its object by kind and ID, plus the
// cell's area-trigger number. Entries live in one pool that grows by 256.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct QEntry {
  uint16_t kind = 0;
  uint16_t id = 0;
  uint16_t next = 0;  // entry below, 0 at the bottom
  uint8_t effect = 0;
  bool used = false;
};

class QMap {
 public:
  QMap(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  bool Push(int x, int y, uint16_t kind, uint16_t id, uint8_t effect);
  bool Pop(int x, int y);
  // Removes the entry of (kind, id) from the cell; kind 0 matches any kind.
  bool Remove(int x, int y, uint16_t kind, uint16_t id);
  // The top entry (optionally only when it has that kind), or null.
  const QEntry* Top(int x, int y, uint16_t kind = 0) const;
  int StackSize(int x, int y) const;
  // Entries from the top down.
  std::vector<QEntry> Stack(int x, int y) const;
  // Replaces the cell's stack from the top down; the caller checks it.
  bool SetStack(int x, int y, const std::vector<QEntry>& entries);
  uint16_t Trigger(int x, int y) const { return Inside(x, y) ? triggers_[Index(x, y)] : 0; }
  void SetTriggerRect(int x0, int y0, int x1, int y1, uint16_t trigger);
  int PoolSize() const { return int(pool_.size()) - 1; }
  // For scans over many cells: the top entry's number of the cell at a
  // flat index (y * width + x), 0 when the cell is empty, and the entry
  // with a number that TopAt gave.
  uint16_t TopAt(size_t index) const { return tops_[index]; }
  const QEntry& EntryAt(uint16_t number) const { return pool_[number]; }
  // Whether a creature lies on top of a cell inside the map. The cells with
  // a creature on top are kept as bits by rows and by columns, so that a
  // target search can step over runs of cells without one, 64 at a time.
  bool CreatureOnTop(int x, int y) const {
    return (rowBits_[size_t(y) * rowWords_ + (size_t(x) >> 6)] >> (x & 63)) & 1;
  }
  // The first (Next: lowest, Prev: highest) coordinate in from..to (inside
  // the map, from <= to) of a cell with a creature on top, along row y or
  // column x; -1 when there is none.
  int NextCreatureTopInRow(int y, int from, int to) const {
    return NextSetBit(rowBits_.data() + size_t(y) * rowWords_, from, to);
  }
  int PrevCreatureTopInRow(int y, int from, int to) const {
    return PrevSetBit(rowBits_.data() + size_t(y) * rowWords_, from, to);
  }
  int NextCreatureTopInColumn(int x, int from, int to) const {
    return NextSetBit(colBits_.data() + size_t(x) * colWords_, from, to);
  }
  int PrevCreatureTopInColumn(int x, int from, int to) const {
    return PrevSetBit(colBits_.data() + size_t(x) * colWords_, from, to);
  }

 private:
  // The lowest / highest set bit position in from..to of a line of bits, or -1.
  static int NextSetBit(const uint64_t* words, int from, int to) {
    int w = from >> 6;
    const int last = to >> 6;
    uint64_t bits = words[w] & (~uint64_t(0) << (from & 63));
    for (;;) {
      if (w == last) bits &= ~uint64_t(0) >> (63 - (to & 63));
      if (bits) return (w << 6) + __builtin_ctzll(bits);
      if (w == last) return -1;
      bits = words[++w];
    }
  }
  static int PrevSetBit(const uint64_t* words, int from, int to) {
    int w = to >> 6;
    const int first = from >> 6;
    uint64_t bits = words[w] & (~uint64_t(0) >> (63 - (to & 63)));
    for (;;) {
      if (w == first) bits &= ~uint64_t(0) << (from & 63);
      if (bits) return (w << 6) + 63 - __builtin_clzll(bits);
      if (w == first) return -1;
      bits = words[--w];
    }
  }

  size_t Index(int x, int y) const { return size_t(y) * size_t(width_) + size_t(x); }
  uint16_t Alloc();
  void Free(uint16_t e);
  void UpdateTopBit(size_t index);

  int width_, height_;
  std::vector<uint16_t> tops_;
  // A bit per cell, set when the top entry is a creature: by rows (row y
  // starts at word y * rowWords_) and by columns (column x at x * colWords_).
  size_t rowWords_ = 0, colWords_ = 0;
  std::vector<uint64_t> rowBits_, colBits_;
  std::vector<uint16_t> triggers_;
  std::vector<QEntry> pool_;  // slot 0 unused: entry number 0 means none
  std::vector<uint16_t> free_;
};
