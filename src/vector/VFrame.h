#pragma once
// Vector frames: small programs of drawing entities (lines, fills, boxes,
// dot patterns, embedded images, colour, scale and offset settings,
// conditional blocks) drawn into a picture at a position and scale that
// depend on the distance of the map cell being shown. A frame is a fixed
// number of slots addressed from 1; slot type 0 is empty. Entities are drawn
// in slot order.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/BArray.h"

enum VEntityType : uint16_t {
  VEEmpty = 0,
  VELine = 1,
  VEImage = 2,
  VEImageRef = 3,
  VEVFill = 4,
  VEHFill = 5,
  VEHFillFVL = 6,
  VEBox = 7,
  VEFrame = 8,
  VEColor = 9,
  VERev = 10,
  VEScale = 11,
  VEOffset = 12,
  VERa = 13,
  VERa2 = 14,
  VEType = 15,
  VECScale = 16,
  VECEnd = 17,
  VECElse = 18,
  VEPixels = 19,
  VECLine = 20,
  VEPPatBox = 21,
  VEDbgOn = 22,
  VEDbg = 23,
  VETest = 24
};

// REV flags.
enum VRevFlag : uint8_t { VRevX1 = 1, VRevY1 = 2, VRevX2 = 4, VRevY2 = 8 };

// One entity. Which fields are used depends on the type:
//   LINE, VFILL, HFILL, BOX       c[0..3] = x1, y1, x2, y2
//   HFILLFVL                      c[0..2] = x, y1, y2; b = mode
//   CLINE                         c[0..3]; b = rt; f[0] = phase
//   IMAGE                         image
//   IMAGEREF                      u[0] = frameID, u[1] = imageNumber
//   FRAME, TYPE                   u[0] = frameID / b = type
//   COLOR                         rgb[0..2] = red, green, blue
//   REV                           b = flags
//   SCALE, RA, RA2, CSCALE        f[0], f[1]
//   OFFSET                        c[0], c[1]
//   PIXELS                        points = x0, y0, x1, y1, ...
//   PPATBOX                       b = fast flag, u[0] = w, u[1] = h,
//                                 rgb[0..3] = gapX, gapY, offsetX, offsetY
struct VEntity {
  uint16_t type = VEEmpty;
  int16_t c[4] = {0, 0, 0, 0};
  uint16_t u[2] = {0, 0};
  uint8_t b = 0;
  uint8_t rgb[4] = {0, 0, 0, 0};
  float f[2] = {0.0f, 0.0f};
  std::unique_ptr<CBArray> image;
  std::vector<int16_t> points;

  // Deep copy (images by InitByCopy); false on failure.
  bool CopyFrom(const VEntity& other);
};

// Largest slot count of one frame.
inline constexpr int MaxVFrameCapacity = 65535;

class VFrame {
 public:
  // n empty slots; fails for n < 1 or above MaxVFrameCapacity, or when the
  // frame already has slots. Slots take memory only once they are filled
  // up to them, so a large capacity costs nothing until used.
  int Init(int capacity);
  int Capacity() const { return capacity_; }
  // Positions 1 .. StoredCount() may hold entities; the rest are empty.
  int StoredCount() const { return int(slots_.size()); }
  // The entity at position 1 .. capacity (an empty one beyond the stored
  // positions), or none outside.
  const VEntity* At(int pos) const {
    if (pos < 1 || pos > capacity_) return nullptr;
    return pos <= StoredCount() ? &slots_[size_t(pos - 1)] : &Empty();
  }
  // Writable entity at a stored position, or none.
  VEntity* StoredAt(int pos) { return pos >= 1 && pos <= StoredCount() ? &slots_[size_t(pos - 1)] : nullptr; }
  // The first empty slot, or none when the frame is full.
  VEntity* FirstFree();
  int CountUsed() const;

 private:
  static const VEntity& Empty();
  int capacity_ = 0;
  std::vector<VEntity> slots_;
};

// ID-addressed slots of owned objects, filled in file order at a cursor that
// wraps to slot 0: a later object replaces (and frees) the one in its slot.
template <class T>
class VSet {
 public:
  static constexpr int MaxCapacity = 65536;

  int Init(int capacity) {
    if (capacity < 0 || capacity > MaxCapacity || !ids_.empty()) return 0;
    ids_.assign(size_t(capacity), 0);
    items_.clear();
    items_.resize(size_t(capacity));
    cursor_ = 0;
    return 1;
  }
  // Takes the object; fails (the object is freed) for a set of no slots.
  int AddNext(uint16_t id, std::unique_ptr<T> item) {
    if (ids_.empty()) return 0;
    ids_[size_t(cursor_)] = id;
    items_[size_t(cursor_)] = std::move(item);
    cursor_ = (cursor_ + 1) % int(ids_.size());
    return 1;
  }
  // The object of the first slot with that ID; ID 0 is never found.
  T* Get(uint16_t id) const {
    if (id == 0) return nullptr;
    for (size_t i = 0; i < ids_.size(); ++i)
      if (ids_[i] == id && items_[i]) return items_[i].get();
    return nullptr;
  }
  // Removes and frees; fails for ID 0 or an unknown ID.
  int Delete(uint16_t id) {
    if (id == 0) return 0;
    for (size_t i = 0; i < ids_.size(); ++i)
      if (ids_[i] == id && items_[i]) {
        ids_[i] = 0;
        items_[i].reset();
        return 1;
      }
    return 0;
  }
  int Capacity() const { return int(ids_.size()); }
  uint16_t IdAt(int index) const { return ids_[size_t(index)]; }
  T* ItemAt(int index) const { return items_[size_t(index)].get(); }

 private:
  std::vector<uint16_t> ids_;
  std::vector<std::unique_ptr<T>> items_;
  int cursor_ = 0;
};

using VFrameSet = VSet<VFrame>;

// Deep copy of every entity of source into the empty destination.
int InitByCopyVFrame(const VFrame* source, VFrame* destination);
// Every COLOR entity equal to from (red, green, blue) becomes to.
int ReplaceVFColor(VFrame* frame, const uint8_t* fromRgb, const uint8_t* toRgb);
// The n-th IMAGE entity (from 1), or none.
CBArray* GetFrameImage(VFrame* frame, int n);
int DeleteVFrame(VFrameSet* set, uint16_t frameID);

// Loads a frame set from "<directory>\<fileName>" (all or nothing: a failed
// load prints its messages, ends with "ERROR (LoadCreateVFrameSet): Failed"
// and frees everything). A file that cannot be opened gives none without a
// message.
std::unique_ptr<VFrameSet> LoadCreateVFrameSet(const std::string& directory,
                                               const std::string& fileName);
// The same on text held in memory; images are read from `directory`.
std::unique_ptr<VFrameSet> LoadCreateVFrameSetFromText(const std::string& directory,
                                                       const std::string& text);
// Adds the frames of the text to an existing set; *currentFrame (may hold
// none) is the frame entity lines go to, and is updated by F: lines. On a
// failure the lines read so far stay in the set (its owner decides) and 0 is
// returned after the same messages.
int LoadIntoVFrameSet(const std::string& directory, const std::string& text, VFrameSet* set,
                      VFrame** currentFrame);
