#pragma once
// Object references held by the script registers (TargetValue,
// CreatureValue) and by the working value of ScriptVal. A reference is a
// typed handle, never an address: the world resolves creatures, party
// members and items from their keys and refuses a handle that no longer
// names a live object; script lines are found through their list's serial
// number. Objects that belong to the scripts (iterators) are held by shared
// ownership and freed when the last register holding them is overwritten.
#include <cstdint>
#include <memory>
#include <string>

class ScriptList;
struct ScriptLine;

// Base of objects created by scripts and owned by the registers.
class ScriptOwnedObject {
 public:
  virtual ~ScriptOwnedObject() = default;
};

enum class ScriptObjectKind : uint8_t {
  None = 0,
  Creature,     // keys: map ID, creature list ID (the world's choice)
  PartyMember,  // keys: party slot, character serial
  Item,         // keys: the world's choice
  ScriptLine,   // keys: list serial, slot
  Iterator,     // owned object
};

struct ObjectRef {
  ScriptObjectKind kind = ScriptObjectKind::None;
  uint64_t key1 = 0;
  uint64_t key2 = 0;
  std::shared_ptr<ScriptOwnedObject> owned;

  bool Empty() const { return kind == ScriptObjectKind::None; }
  bool Is(ScriptObjectKind k) const { return kind == k; }
};

ObjectRef MakeScriptLineRef(const ScriptList& list, int slot);
// The line a ScriptLine reference names, none when the reference is of
// another kind or its list was freed.
ScriptLine* ResolveScriptLine(const ObjectRef& ref);

// Text form for Def lines: "@<kind>:<key1>:<key2>"; owned objects are kept
// in a table of the context and written as "@<kind>:<handle>:0". Reading a
// text back only ever yields a handle to be checked again on use.
std::string ObjectRefText(const ObjectRef& ref);
bool ParseObjectRefText(const std::string& text, ObjectRef* out);
