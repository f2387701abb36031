#pragma once
// A loaded script: numbered command lines in slots 0 .. capacity-1. Lines
// fill the slots in file order; the slots after the last line are empty.
// Line IDs are jump labels and the keys of Def data lines; they need not be
// unique, and a look-up by ID finds the first slot holding it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One argument: its text and the values commands read from it, worked out
// once when the text is set so that running a line does no text scanning.
struct ScriptArg {
  enum TagForm : uint8_t { TagInvalid, TagAbsolute, TagForward, TagBackward };

  std::string text;
  int32_t number = 0;        // the text read as a decimal integer (0 without digits)
  uint16_t tagId = 0;        // the line ID of a text tag ("N10", "P10", "10")
  uint8_t tagForm = TagInvalid;

  ScriptArg() = default;
  explicit ScriptArg(std::string t) { Set(std::move(t)); }
  void Set(std::string t);
  const char* c_str() const { return text.c_str(); }
};

struct ScriptLine {
  uint16_t id = 0;
  uint16_t command = 0;
  std::vector<ScriptArg> args;

  int ArgCount() const { return static_cast<int>(args.size()); }
  const char* Arg(int i) const { return args[static_cast<size_t>(i)].c_str(); }
};

class ScriptList {
 public:
  // Largest capacity a script may declare, with its includes.
  static constexpr int MaxCapacity = 1 << 24;

  explicit ScriptList(int capacity);
  ~ScriptList();
  ScriptList(const ScriptList&) = delete;
  ScriptList& operator=(const ScriptList&) = delete;

  int Capacity() const { return capacity_; }
  int LineCount() const { return static_cast<int>(lines_.size()); }
  // capacity += n; false when the result would pass MaxCapacity.
  bool Grow(int n);
  // Appends in the next slot; false when the list is full.
  bool Append(std::unique_ptr<ScriptLine> line);

  // The line in a slot, none for an empty slot or one outside the list.
  ScriptLine* At(int slot) const {
    return slot >= 0 && slot < static_cast<int>(lines_.size()) ? lines_[static_cast<size_t>(slot)].get()
                                                                : nullptr;
  }
  // Slot of the first line with that ID, -1 when none; remembers the last answer.
  int FindSlot(uint16_t id) const;
  // From `start` (inclusive) towards the end / towards slot 0; -1 when none.
  int FindForward(uint16_t id, int start) const;
  int FindBackward(uint16_t id, int start) const;
  ScriptLine* FindLine(uint16_t id) const {
    const int slot = FindSlot(id);
    return slot < 0 ? nullptr : At(slot);
  }

  // A number that no other list loaded during this run of the program has;
  // references to lines use it to find out whether their list still exists.
  uint64_t Serial() const { return serial_; }
  static ScriptList* FindBySerial(uint64_t serial);

 private:
  std::vector<std::unique_ptr<ScriptLine>> lines_;
  int capacity_ = 0;
  uint64_t serial_ = 0;
  mutable uint16_t cachedId_ = 0;
  mutable int cachedSlot_ = -1;
};

// Frees the list, its lines and their arguments; none is allowed.
void FreeScript(ScriptList* list);

// The text of a decimal number, as Def values are written.
std::string NumberText(int64_t value);
