#include "world/QMap.h"

#include <algorithm>

#include "world/MapObjects.h"

QMap::QMap(int width, int height)
    : width_(width < 0 ? 0 : width),
      height_(height < 0 ? 0 : height),
      tops_(size_t(width_) * size_t(height_), 0),
      rowWords_((size_t(width_) + 63) / 64),
      colWords_((size_t(height_) + 63) / 64),
      rowBits_(rowWords_ * size_t(height_), 0),
      colBits_(colWords_ * size_t(width_), 0),
      triggers_(size_t(width_) * size_t(height_), 0),
      pool_(257) {
  for (uint16_t e = 256; e >= 1; --e) free_.push_back(e);
}

uint16_t QMap::Alloc() {
  if (free_.empty()) {
    // Entry numbers are 16 bits wide; the pool cannot pass 65535 entries.
    size_t old = pool_.size();
    if (old >= 65536) return 0;
    size_t grown = std::min<size_t>(old + 256, 65536);
    pool_.resize(grown);
    for (size_t e = grown - 1; e >= old; --e) free_.push_back(uint16_t(e));
  }
  // Lowest free slot first.
  uint16_t e = free_.back();
  free_.pop_back();
  return e;
}

void QMap::UpdateTopBit(size_t index) {
  const uint16_t e = tops_[index];
  const size_t x = index % size_t(width_), y = index / size_t(width_);
  uint64_t& row = rowBits_[y * rowWords_ + (x >> 6)];
  uint64_t& col = colBits_[x * colWords_ + (y >> 6)];
  const uint64_t rowBit = uint64_t(1) << (x & 63), colBit = uint64_t(1) << (y & 63);
  if (e && pool_[e].kind == KindCreature) {
    row |= rowBit;
    col |= colBit;
  } else {
    row &= ~rowBit;
    col &= ~colBit;
  }
}

void QMap::Free(uint16_t e) {
  pool_[e] = QEntry();
  free_.push_back(e);
  // Keep the lowest number at the back so that a new entry takes the first free slot.
  if (free_.size() > 1 && free_[free_.size() - 2] < e) std::sort(free_.begin(), free_.end(), std::greater<>());
}

bool QMap::Push(int x, int y, uint16_t kind, uint16_t id, uint8_t effect) {
  if (!Inside(x, y)) return false;
  uint16_t e = Alloc();
  if (!e) return false;
  pool_[e] = {kind, id, tops_[Index(x, y)], effect, true};
  tops_[Index(x, y)] = e;
  UpdateTopBit(Index(x, y));
  return true;
}

bool QMap::Pop(int x, int y) {
  if (!Inside(x, y)) return false;
  uint16_t e = tops_[Index(x, y)];
  if (!e) return false;
  tops_[Index(x, y)] = pool_[e].next;
  Free(e);
  UpdateTopBit(Index(x, y));
  return true;
}

bool QMap::Remove(int x, int y, uint16_t kind, uint16_t id) {
  if (!Inside(x, y)) return false;
  uint16_t* link = &tops_[Index(x, y)];
  while (*link) {
    QEntry& q = pool_[*link];
    if ((kind == 0 || q.kind == kind) && q.id == id) {
      uint16_t e = *link;
      *link = q.next;
      Free(e);
      UpdateTopBit(Index(x, y));
      return true;
    }
    link = &q.next;
  }
  return false;
}

const QEntry* QMap::Top(int x, int y, uint16_t kind) const {
  if (!Inside(x, y)) return nullptr;
  uint16_t e = tops_[Index(x, y)];
  if (!e) return nullptr;
  if (kind && pool_[e].kind != kind) return nullptr;
  return &pool_[e];
}

int QMap::StackSize(int x, int y) const {
  if (!Inside(x, y)) return 0;
  int n = 0;
  for (uint16_t e = tops_[Index(x, y)]; e; e = pool_[e].next) ++n;
  return n;
}

std::vector<QEntry> QMap::Stack(int x, int y) const {
  std::vector<QEntry> out;
  if (!Inside(x, y)) return out;
  for (uint16_t e = tops_[Index(x, y)]; e; e = pool_[e].next) out.push_back(pool_[e]);
  return out;
}

bool QMap::SetStack(int x, int y, const std::vector<QEntry>& entries) {
  if (!Inside(x, y)) return false;
  uint16_t e = tops_[Index(x, y)];
  bool complete = true;
  for (const QEntry& q : entries) {
    if (!e) {
      complete = false;
      break;
    }
    pool_[e].kind = q.kind;
    pool_[e].id = q.id;
    pool_[e].effect = q.effect;
    e = pool_[e].next;
  }
  UpdateTopBit(Index(x, y));
  return complete;
}

void QMap::SetTriggerRect(int x0, int y0, int x1, int y1, uint16_t trigger) {
  for (int y = std::max(0, y0); y <= y1 && y < height_; ++y)
    for (int x = std::max(0, x0); x <= x1 && x < width_; ++x) triggers_[Index(x, y)] = trigger;
}
