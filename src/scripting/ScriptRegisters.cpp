#include "scripting/ScriptRegisters.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "scripting/ScriptList.h"

namespace {
// Owned objects written into Def lines: the handle number keeps them alive
// while the text exists somewhere; entries are dropped when nothing else holds them.
std::map<uint64_t, std::weak_ptr<ScriptOwnedObject>>& OwnedTable() {
  static std::map<uint64_t, std::weak_ptr<ScriptOwnedObject>> table;
  return table;
}
uint64_t nextHandle = 1;

bool ReadU64(const char*& p, uint64_t* out) {
  if (*p < '0' || *p > '9') return false;
  uint64_t v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (v > (UINT64_MAX - 9) / 10) return false;
    v = v * 10 + static_cast<uint64_t>(*p - '0');
  }
  *out = v;
  return true;
}
}  // namespace

ObjectRef MakeScriptLineRef(const ScriptList& list, int slot) {
  ObjectRef r;
  r.kind = ScriptObjectKind::ScriptLine;
  r.key1 = list.Serial();
  r.key2 = static_cast<uint64_t>(slot);
  return r;
}

ScriptLine* ResolveScriptLine(const ObjectRef& ref) {
  if (ref.kind != ScriptObjectKind::ScriptLine) return nullptr;
  ScriptList* list = ScriptList::FindBySerial(ref.key1);
  if (!list || ref.key2 >= static_cast<uint64_t>(list->LineCount())) return nullptr;
  return list->At(static_cast<int>(ref.key2));
}

std::string ObjectRefText(const ObjectRef& ref) {
  uint64_t k1 = ref.key1, k2 = ref.key2;
  if (ref.owned) {
    // Sweep the table of entries whose objects are gone.
    for (auto it = OwnedTable().begin(); it != OwnedTable().end();)
      it = it->second.expired() ? OwnedTable().erase(it) : std::next(it);
    k1 = nextHandle++;
    k2 = 0;
    OwnedTable()[k1] = ref.owned;
  }
  char text[80];
  std::snprintf(text, sizeof text, "@%d:%llu:%llu", static_cast<int>(ref.kind), static_cast<unsigned long long>(k1),
                static_cast<unsigned long long>(k2));
  return text;
}

bool ParseObjectRefText(const std::string& text, ObjectRef* out) {
  const char* p = text.c_str();
  if (*p++ != '@') return false;
  uint64_t kind = 0, k1 = 0, k2 = 0;
  if (!ReadU64(p, &kind) || *p++ != ':' || !ReadU64(p, &k1) || *p++ != ':' || !ReadU64(p, &k2) || *p != '\0')
    return false;
  if (kind > static_cast<uint64_t>(ScriptObjectKind::Iterator)) return false;
  ObjectRef r;
  r.kind = static_cast<ScriptObjectKind>(kind);
  if (r.kind == ScriptObjectKind::Iterator) {
    auto it = OwnedTable().find(k1);
    if (it == OwnedTable().end()) return false;
    r.owned = it->second.lock();
    if (!r.owned) return false;
  } else {
    r.key1 = k1;
    r.key2 = k2;
  }
  *out = r;
  return true;
}
