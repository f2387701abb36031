#include "scripting/ScriptList.h"

#include <unordered_map>

#include "data/DataScan.h"

namespace {
uint64_t nextSerial = 1;
std::unordered_map<uint64_t, ScriptList*>& LiveLists() {
  static std::unordered_map<uint64_t, ScriptList*> lists;
  return lists;
}

// "N<id>", "P<id>" or "<id>": digits required, read as an unsigned 16-bit
// number (wrapping like the line IDs of the loader).
void ReadTag(ScriptArg& a) {
  const char* p = a.text.c_str();
  uint8_t form = ScriptArg::TagAbsolute;
  if (*p == 'N') {
    form = ScriptArg::TagForward;
    ++p;
  } else if (*p == 'P') {
    form = ScriptArg::TagBackward;
    ++p;
  }
  if (*p < '0' || *p > '9') {
    a.tagForm = ScriptArg::TagInvalid;
    a.tagId = 0;
    return;
  }
  uint32_t v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) v = (v * 10 + static_cast<uint32_t>(*p - '0')) & 0xFFFF;
  a.tagForm = form;
  a.tagId = static_cast<uint16_t>(v);
}
}  // namespace

void ScriptArg::Set(std::string t) {
  text = std::move(t);
  number = datascan::TextToInt(text.c_str());
  ReadTag(*this);
}

ScriptList::ScriptList(int capacity) : capacity_(capacity), serial_(nextSerial++) {
  LiveLists()[serial_] = this;
}

ScriptList::~ScriptList() { LiveLists().erase(serial_); }

ScriptList* ScriptList::FindBySerial(uint64_t serial) {
  auto it = LiveLists().find(serial);
  return it == LiveLists().end() ? nullptr : it->second;
}

bool ScriptList::Grow(int n) {
  if (n < 0 || n > MaxCapacity - capacity_) return false;
  capacity_ += n;
  return true;
}

bool ScriptList::Append(std::unique_ptr<ScriptLine> line) {
  if (!line || static_cast<int>(lines_.size()) >= capacity_) return false;
  lines_.push_back(std::move(line));
  cachedSlot_ = -1;
  cachedId_ = 0;
  return true;
}

int ScriptList::FindSlot(uint16_t id) const {
  if (cachedSlot_ >= 0 && cachedId_ == id) return cachedSlot_;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i]->id == id) {
      cachedId_ = id;
      cachedSlot_ = static_cast<int>(i);
      return cachedSlot_;
    }
  return -1;
}

int ScriptList::FindForward(uint16_t id, int start) const {
  if (start < 0) start = 0;
  for (int i = start; i < LineCount(); ++i)
    if (lines_[static_cast<size_t>(i)]->id == id) return i;
  return -1;
}

int ScriptList::FindBackward(uint16_t id, int start) const {
  if (start >= LineCount()) start = LineCount() - 1;
  for (int i = start; i >= 0; --i)
    if (lines_[static_cast<size_t>(i)]->id == id) return i;
  return -1;
}

void FreeScript(ScriptList* list) { delete list; }

std::string NumberText(int64_t value) { return std::to_string(value); }
