#include "vector/VFrame.h"

#include "text/Output.h"

bool VEntity::CopyFrom(const VEntity& other) {
  type = other.type;
  for (int i = 0; i < 4; ++i) {
    c[i] = other.c[i];
    rgb[i] = other.rgb[i];
  }
  u[0] = other.u[0];
  u[1] = other.u[1];
  b = other.b;
  f[0] = other.f[0];
  f[1] = other.f[1];
  points = other.points;
  image.reset();
  if (other.image) {
    image = std::make_unique<CBArray>();
    if (!image->InitByCopy(*other.image)) {
      image.reset();
      return false;
    }
  }
  return true;
}

int VFrame::Init(int capacity) {
  if (capacity < 1 || capacity > MaxVFrameCapacity || capacity_ != 0) return 0;
  capacity_ = capacity;
  return 1;
}

const VEntity& VFrame::Empty() {
  static const VEntity empty;
  return empty;
}

VEntity* VFrame::FirstFree() {
  for (VEntity& e : slots_)
    if (e.type == VEEmpty) return &e;
  if (StoredCount() >= capacity_) return nullptr;
  slots_.emplace_back();
  return &slots_.back();
}

int VFrame::CountUsed() const {
  int n = 0;
  for (const VEntity& e : slots_)
    if (e.type != VEEmpty) ++n;
  return n;
}

int InitByCopyVFrame(const VFrame* source, VFrame* destination) {
  if (!source || !destination) return 0;
  if (source->Capacity() == 0) return 1;
  if (destination->CountUsed() > 0) {
    PrintLine("ERROR (InitByCopyVFrame): Frame already initialized");
    return 0;
  }
  if (destination->Capacity() != source->Capacity()) {
    VFrame fresh;
    if (!fresh.Init(source->Capacity())) {
      PrintLine("ERROR (InitByCopyVFrame): Base initialize for frame failed");
      return 0;
    }
    *destination = std::move(fresh);
  }
  for (int pos = 1; pos <= source->StoredCount(); ++pos) {
    const VEntity* from = source->At(pos);
    if (from->type == VEEmpty) continue;
    VEntity* to = destination->FirstFree();
    if (!to || !to->CopyFrom(*from)) {
      if (to) *to = VEntity();
      PrintLine("ERROR (InitByCopyVFrame): Copy failed for entity %d", pos);
      return 0;
    }
  }
  return 1;
}

int ReplaceVFColor(VFrame* frame, const uint8_t* fromRgb, const uint8_t* toRgb) {
  if (!frame || !fromRgb || !toRgb) {
    PrintLine("ERROR (ReplaceVFColor): Missing param(s)");
    return 0;
  }
  for (int pos = 1; pos <= frame->StoredCount(); ++pos) {
    VEntity* e = frame->StoredAt(pos);
    if (e->type != VEColor) continue;
    if (e->rgb[0] == fromRgb[0] && e->rgb[1] == fromRgb[1] && e->rgb[2] == fromRgb[2]) {
      e->rgb[0] = toRgb[0];
      e->rgb[1] = toRgb[1];
      e->rgb[2] = toRgb[2];
    }
  }
  return 1;
}

CBArray* GetFrameImage(VFrame* frame, int n) {
  if (!frame || n < 1) return nullptr;
  int seen = 0;
  for (int pos = 1; pos <= frame->StoredCount(); ++pos) {
    VEntity* e = frame->StoredAt(pos);
    if (e->type == VEImage && ++seen == n) return e->image.get();
  }
  return nullptr;
}

int DeleteVFrame(VFrameSet* set, uint16_t frameID) { return set ? set->Delete(frameID) : 0; }
