// Object list sections of a map file: reading (LoadObjectList) and writing.
#include <cstdio>
#include <cstring>

#include "platform/Files.h"
#include "scenario/Keywords.h"
#include "scenario/ScanText.h"
#include "text/Output.h"
#include "world/MapFile.h"

namespace {
ScanCursor TakeLine(ScanCursor& c) {
  const char* start = c.pos;
  while (c.pos < c.end && *c.pos != '\n') ++c.pos;
  ScanCursor line(start, c.pos);
  if (c.pos < c.end) ++c.pos;
  return line;
}

// Positions `c` after the keyword of the first line (comments honoured)
// whose first token is `key`.
bool FindSection(ScanCursor& c, const std::string& key) {
  bool inComment = false;
  while (!c.AtEnd()) {
    c.SkipWhite();
    if (c.AtEnd()) return false;
    std::string kw;
    c.LineWord(kw, 511);
    if (inComment) {
      if (kw == "*/") inComment = false;
    } else if (kw == "/*") {
      inComment = true;
    } else if (!kw.empty() && kw[0] != '#' && kw == key) {
      return true;
    }
    c.SkipLine();
  }
  return false;
}

const char* KindWord(char kind) {
  switch (kind) {
    case 'C': return "creature";
    case 'L': return "location";
    case 'V': return "vehicle";
    default: return "item";
  }
}

// The ID rule of the records: 0 takes the counter; an ID not below the
// counter moves it past that ID.
uint16_t TakeId(uint16_t id, int& counter) {
  if (id == 0) return uint16_t(counter++);
  if (id >= counter) counter = id + 1;
  return id;
}

uint8_t Low8(ScanCursor line) {
  uint16_t v = 0;
  line.U16(v);
  return uint8_t(v);
}

int32_t IntOf(ScanCursor line) {
  int32_t v = 0;
  line.Int(v);
  return v;
}

bool QuotedText(ScanCursor line, OwnedText& out) {
  std::string text;
  line.SkipWhite();
  if (line.Quoted(text, false) != QuotedOk) return false;
  SetQuotedText(out, text);
  return true;
}

bool ReadVehicleLine(ScanCursor line, VehicleObject& v) {
  uint16_t x = 0, y = 0, hp = 0;
  line.U16(v.id) && line.U16(v.defId) && line.U16(x) && line.U16(y) && line.U16(hp);
  v.x = int16_t(x);
  v.y = int16_t(y);
  v.hp = int16_t(hp);
  return true;
}

class ListReader {
 public:
  ListReader(ScanCursor c, char kind, int size) : c_(c), kind_(kind) {
    switch (kind) {
      case 'C': out_.creatures = std::make_unique<CreatureList>(size); break;
      case 'L': out_.locations = std::make_unique<LocationList>(size); break;
      case 'V': out_.vehicles = std::make_unique<VehicleList>(size); break;
      default: out_.items = std::make_unique<ItemList>(size); break;
    }
  }

  bool Run() {
    bool inComment = false;
    for (;;) {
      std::string word;
      if (!c_.Word(word, 511)) return true;  // end of file ends the section
      if (inComment) {
        if (word == "*/") inComment = false;
        continue;
      }
      if (word[0] == '#') {
        c_.SkipLine();
        continue;
      }
      if (word == "/*") {
        inComment = true;
        continue;
      }
      if (word == "END") return true;
      if (word == "AUTOID:") {
        counter_ = IntOf(TakeLine(c_));
        continue;
      }
      bool consumedLine = false;
      int r = Keyword(word, consumedLine);
      if (r == 0) return false;
      if (!consumedLine) c_.SkipLine();
    }
  }

  LoadedObjectList Take() { return std::move(out_); }

 private:
  // 1 handled or ignored, 0 the whole load fails.
  int Keyword(const std::string& kw, bool& consumedLine) {
    switch (kind_) {
      case 'C': return Creature(kw);
      case 'L': return Location(kw);
      case 'V': return Vehicle(kw, consumedLine);
      default: return Item(kw, consumedLine);
    }
  }

  ScanCursor Rest() {
    const char* start = c_.pos;
    const char* p = start;
    while (p < c_.end && *p != '\n') ++p;
    return ScanCursor(start, p);
  }

  template <class T, class L>
  T* Store(L& list, std::unique_ptr<T> obj, uint16_t id, std::unique_ptr<T>& scratch) {
    obj->id = id;
    if (id < 1 || id > list.Size()) {
      PrintLine("ERROR (LoadObjectList): Could not load %s %d", KindWord(kind_), id);
      // Kept aside so that the keywords that follow stay harmless.
      scratch = std::move(obj);
      return scratch.get();
    }
    list.Set(id, std::move(obj));
    return list.Get(id);
  }

  int Creature(const std::string& kw) {
    ScanCursor line = Rest();
    if (kw == "C:") {
      uint16_t id = 0, def = 0, x = 0, y = 0, hp = 0, npc = 0;
      line.U16(id) && line.U16(def) && line.U16(x) && line.U16(y);
      line.SkipWhite();
      std::string state;
      if (line.Literal(';')) {
        line.U16(hp) && line.U16(npc) && line.Word(state, 64);
      }
      if (def == 0) {
        PrintLine("ERROR: Must define type ID");
        return 0;
      }
      auto obj = std::make_unique<CreatureObject>();
      if (template_) *obj = *template_;
      obj->defId = def;
      obj->x = int16_t(x);
      obj->y = int16_t(y);
      obj->hp = int16_t(hp);
      obj->npcDefId = npc;
      if (!state.empty()) obj->state = uint8_t(ParseWord(WordTable::CreatureState, state));
      creature_ = Store(*out_.creatures, std::move(obj), TakeId(id, counter_), scratchCreature_);
      return 1;
    }
    if (kw == "DEFAULT:") {
      std::string w;
      line.Word(w, 64);
      if (w == "DEL") {
        if (creature_ == template_.get()) creature_ = nullptr;
        template_.reset();
      } else {
        if (!template_) template_ = std::make_unique<CreatureObject>();
        creature_ = template_.get();
      }
      return 1;
    }
    static const char* const known[] = {"CSTATEOFF", "ANCHOR:",  "AIDIST:",  "AGRO:",       "RETREAT:",
                                        "AIDIR:",    "DELAY:",   "CONDITION:", "POISON:",   "SLEEP:",
                                        "GROUPID:",  "TARGETGROUP:", "CREDIT:", "ATTACKTARGET:", "ATTACKSPCS:",
                                        "ATTACKSALL:", "ATTACKSPCENEMIES:", "ATTACKSDEFENDERS:", "DEFENDER",
                                        "AGROLOS",   "PEACEFUL", "NOGROUPREWARDS", "MET", "TEMPDEF", "TEMPREPDEF",
                                        "SAVESPC"};
    bool isKnown = false;
    for (const char* k : known) isKnown |= kw == k;
    if (!isKnown) return 1;
    if (!creature_) {
      PrintLine("ERROR (LoadObjectList): No creature defined for %s", kw.c_str());
      return 0;
    }
    CreatureObject& o = *creature_;
    if (kw == "CSTATEOFF") o.off = 1;
    else if (kw == "ANCHOR:") {
      uint16_t x = 0, y = 0;
      if (line.U16(x) && line.U16(y)) {
        o.homeX = int16_t(x);
        o.homeY = int16_t(y);
      }
    } else if (kw == "AIDIST:" || kw == "AGRO:") o.aiDistance = int16_t(IntOf(line));
    else if (kw == "RETREAT:") o.retreatCount = uint8_t(IntOf(line));
    else if (kw == "AIDIR:") o.aiDirection = uint8_t(IntOf(line));
    else if (kw == "DELAY:") o.delay = uint8_t(IntOf(line));
    else if (kw == "CONDITION:") {
      uint16_t a = 0, m = 0, p = 0, s = 0;
      line.U16(a) && line.U16(m) && line.U16(p) && line.U16(s);
      o.attackImmobile = uint8_t(a);
      o.moveImmobile = uint8_t(m);
      o.poisonEffect = p;
      o.sleepEffect = s;
    } else if (kw == "POISON:") o.poisonTimer = Low8(line);
    else if (kw == "SLEEP:") {
      uint16_t t = 0, s = 0;
      line.U16(t) && line.U16(s);
      o.sleepTurns = uint8_t(t);
      o.sleepSave = uint8_t(s);
    } else if (kw == "GROUPID:") o.groupId = Low8(line);
    else if (kw == "TARGETGROUP:") o.targetGroup = Low8(line);
    else if (kw == "CREDIT:") {
      uint16_t v = 0;
      line.U16(v);
      o.credit = int16_t(v);
    } else if (kw == "ATTACKTARGET:") {
      uint16_t v[4] = {0, 0, 0, 0};
      line.U16(v[0]) && line.U16(v[1]) && line.U16(v[2]) && line.U16(v[3]);
      const uint8_t bits[4] = {2, 4, 8, 16};
      for (int i = 0; i < 4; ++i) {
        if (v[i]) o.attackTarget |= bits[i];
        else o.attackTarget &= uint8_t(~bits[i]);
      }
      o.attackTarget |= 1;
    } else if (kw == "ATTACKSPCS:" || kw == "ATTACKSALL:" || kw == "ATTACKSPCENEMIES:" || kw == "ATTACKSDEFENDERS:") {
      uint8_t bit = kw == "ATTACKSPCS:" ? 2 : kw == "ATTACKSALL:" ? 4 : kw == "ATTACKSPCENEMIES:" ? 8 : 16;
      uint16_t v = 0;
      line.U16(v);
      if (v) o.attackTarget |= bit;
      else o.attackTarget &= uint8_t(~bit);
      o.attackTarget |= 1;
    } else if (kw == "DEFENDER") o.behaviour |= 1;
    else if (kw == "AGROLOS") o.behaviour |= 2;
    else if (kw == "PEACEFUL") o.flags |= CreaturePeaceful;
    else if (kw == "NOGROUPREWARDS") o.flags |= CreatureNoGroupRewards;
    else if (kw == "MET") o.flags |= CreatureMet;
    else if (kw == "TEMPDEF") o.flags |= CreatureTempDef;
    else if (kw == "TEMPREPDEF") o.flags |= CreatureTempRepDef;
    else if (kw == "SAVESPC") o.flags |= CreatureSavesPC;
    return 1;
  }

  int Location(const std::string& kw) {
    ScanCursor line = Rest();
    if (kw == "L:") {
      uint16_t id = 0, def = 0, x = 0, y = 0, dm = 0, dx = 0xFFFF, dy = 0xFFFF, df = 255;
      std::string name;
      bool hasName = false;
      line.U16(id) && line.U16(def) && line.U16(x) && line.U16(y);
      line.SkipWhite();
      if (line.Literal(';')) {
        line.SkipWhite();
        if (line.Quoted(name, false) == QuotedOk) {
          hasName = true;
          line.U16(dm) && line.U16(dx) && line.U16(dy) && line.U16(df);
        }
      }
      if (def == 0) {
        PrintLine("ERROR: Must define type ID");
        return 0;
      }
      auto obj = std::make_unique<LocationObject>();
      obj->defId = def;
      obj->x = int16_t(x);
      obj->y = int16_t(y);
      if (hasName) SetQuotedText(obj->name, name);
      obj->destMap = dm;
      obj->destX = int16_t(dx);
      obj->destY = int16_t(dy);
      obj->destFacing = uint8_t(df);
      if (nextOff_) obj->off = 1;
      nextOff_ = false;
      location_ = Store(*out_.locations, std::move(obj), TakeId(id, counter_), scratchLocation_);
      return 1;
    }
    if (!location_) return 1;
    LocationObject& o = *location_;
    if (kw == "LTYPE:") {
      std::string w;
      if (line.Word(w, 64)) o.entryType = uint8_t(ParseWord(WordTable::EntryType, w));
    } else if (kw == "OBJLINK:") {
      uint16_t m = 0, obj = 0, f = 255;
      line.U16(m) && line.U16(obj) && line.U16(f);
      o.entryType = 6;
      o.destMap = m;
      o.linkedObject = obj;
      o.destFacing = uint8_t(f);
    } else if (kw == "ENTER") o.flags |= 1;
    else if (kw == "EXIT") o.flags |= 2;
    else if (kw == "CHECKTRIGGERS") o.flags |= 4;
    else if (kw == "VERIFYNM") o.flags |= 8;
    else if (kw == "POSTYPE:" || kw == "DIRTYPE:") {
      std::string w;
      line.Word(w, 64);
      uint8_t v = uint8_t(ParseWord(WordTable::DestinationMode, w));
      (kw == "POSTYPE:" ? o.positionMode : o.facingMode) = v;
    } else if (kw == "NEXT:") {
      uint16_t v = 0;
      line.U16(v);
      o.next = v ? v : uint16_t(counter_);
      nextOff_ = true;
    } else if (kw == "LSTATEOFF") o.off = 1;
    else if (kw == "LMESSAGE:") QuotedText(line, o.message);
    else if (kw == "CSHIFT:") o.collisionShift = Low8(line);
    else if (kw == "DOTRIGGERS") o.triggerFlag = 1;
    else if (kw == "DOAUTOSAVE") o.autosaveFlag = 1;
    else if (kw == "SCRIPT:") line.U16(o.script);
    return 1;
  }

  int Vehicle(const std::string& kw, bool& consumedLine) {
    ScanCursor line = Rest();
    if (kw == "V:") {
      auto obj = std::make_unique<VehicleObject>();
      ReadVehicleLine(line, *obj);
      if (obj->defId == 0) {
        PrintLine("ERROR: Must define type ID");
        return 0;
      }
      uint16_t id = TakeId(obj->id, counter_);
      vehicle_ = Store(*out_.vehicles, std::move(obj), id, scratchVehicle_);
      return 1;
    }
    if (kw != "VDEFENDER:" && kw != "INV:" && kw != "AMMO:" && kw != "NAME:") return 1;
    if (!vehicle_) {
      PrintLine("ERROR (LoadObjectList): No vehicle defined for %s", kw.c_str());
      return 0;
    }
    if (kw == "VDEFENDER:") vehicle_->defender = Low8(line);
    else if (kw == "AMMO:") line.U16(vehicle_->ammo);
    else if (kw == "NAME:") QuotedText(line, vehicle_->name);
    else {
      auto box = std::make_unique<Container>();
      consumedLine = true;
      if (!ReadContainerEntries(c_, *box, "LoadLLInventoryEntry")) return 0;
      vehicle_->cargo = std::move(box);
    }
    return 1;
  }

  int Item(const std::string& kw, bool& consumedLine) {
    ScanCursor line = Rest();
    if (kw == "I:") {
      uint16_t id = 0, def = 0, charges = 0;
      int16_t x = 0, y = 0;
      int32_t quantity = 1;
      line.U16(id) && line.U16(def) && line.S16(x) && line.S16(y);
      line.SkipWhite();
      if (line.Literal(';')) {
        // The quantity is a full integer: stacks above 65535 keep their size.
        if (line.Int(quantity)) line.U16(charges);
      }
      if (def == 0) {
        PrintLine("ERROR: Must define type ID");
        return 0;
      }
      auto obj = std::make_unique<ItemObject>();
      obj->defId = def;
      obj->x = x;
      obj->y = y;
      obj->quantity = quantity;
      obj->charges = charges;
      item_ = Store(*out_.items, std::move(obj), TakeId(id, counter_), scratchItem_);
      return 1;
    }
    const bool strict = kw == "IDEFENDER:" || kw == "V:" || kw == "VNAME:" || kw == "INV:" || kw == "TRTAB:" ||
                        kw == "SECCHECK" || kw == "USED" || kw == "LOOKSCRIPT";
    if (!item_) {
      if (!strict) return 1;
      PrintLine("ERROR (LoadObjectList): No item defined for %s", kw.c_str());
      return 0;
    }
    ItemObject& o = *item_;
    if (kw == "ISTATEOFF") o.off = 1;
    else if (kw == "IREFTYPE:") {
      std::string w;
      if (line.Word(w, 64)) o.refType = uint8_t(ParseWord(WordTable::LockKind, w));
    } else if (kw == "IREFID:" || kw == "ITREASURE:") o.refId = uint16_t(IntOf(line));
    else if (kw == "IREFID2:") o.refId2 = uint16_t(IntOf(line));
    else if (kw == "TRAP:" || kw == "CONKEY:" || kw == "CONSCRIPT:") {
      if (o.refType != 0) {
        const char* name = WordName(WordTable::LockKind, o.refType);
        PrintLine("ERROR (LoadObjectList/%s): Reference field in use (%s)", kw.substr(0, kw.size() - 1).c_str(),
                  name ? name : "?");
      } else {
        o.refType = kw == "TRAP:" ? 1 : kw == "CONKEY:" ? 2 : 3;
        o.refId2 = uint16_t(IntOf(line));
      }
    } else if (kw == "IDEFENDER:") o.defender = Low8(line);
    else if (kw == "BPARAM:") o.behaviourParam = uint8_t(IntOf(line));
    else if (kw == "SECCHECK") o.flags |= ItemSecCheck;
    else if (kw == "USED") o.flags |= ItemUsed;
    else if (kw == "LOOKSCRIPT") o.flags |= ItemLookScript;
    else if (kw == "V:") {
      if (o.contents || !o.treasureTable.empty()) {
        PrintLine("ERROR (LoadObjectList): Object reference already in use");
        return 1;
      }
      auto v = std::make_unique<VehicleObject>();
      ReadVehicleLine(line, *v);
      if (v->defId == 0) {
        PrintLine("ERROR: Must define type ID");
        return 0;
      }
      o.vehicle = std::move(v);
    } else if (kw == "VNAME:") {
      if (!o.vehicle) {
        PrintLine("ERROR (LoadObjectList): No vehicle object for VNAME:");
        return 0;
      }
      QuotedText(line, o.vehicle->name);
    } else if (kw == "INV:") {
      consumedLine = true;
      auto box = std::make_unique<Container>();
      if (!ReadContainerEntries(c_, *box, "LoadLLInventoryEntry")) return 0;
      if (o.HasAttachment()) {
        PrintLine("ERROR (LoadObjectList): Object reference already in use");
        return 1;
      }
      o.contents = std::move(box);
    } else if (kw == "TRTAB:") {
      // The container's own treasure table is kept as its lines up to END
      // and written back unchanged.
      consumedLine = true;
      std::vector<std::string> lines;
      ScanCursor head = TakeLine(c_);
      std::string first;
      head.SkipSpaces();
      head.RestOfLine(first);
      if (first.empty()) return 0;
      lines.push_back(first);
      bool ended = false;
      while (!c_.AtEnd()) {
        ScanCursor l = TakeLine(c_);
        std::string text(l.pos, l.end);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
        size_t lead = text.find_first_not_of(" \t");
        text = lead == std::string::npos ? std::string() : text.substr(lead);
        lines.push_back(text);
        if (text == "END") {
          ended = true;
          break;
        }
      }
      if (!ended) return 0;
      if (o.HasAttachment()) {
        PrintLine("ERROR (LoadObjectList): Object reference already in use");
        return 1;
      }
      o.treasureTable = std::move(lines);
    }
    return 1;
  }

  ScanCursor c_;
  char kind_;
  int counter_ = 1;
  LoadedObjectList out_;
  std::unique_ptr<CreatureObject> template_;
  CreatureObject* creature_ = nullptr;
  LocationObject* location_ = nullptr;
  VehicleObject* vehicle_ = nullptr;
  ItemObject* item_ = nullptr;
  bool nextOff_ = false;
  std::unique_ptr<CreatureObject> scratchCreature_;
  std::unique_ptr<LocationObject> scratchLocation_;
  std::unique_ptr<VehicleObject> scratchVehicle_;
  std::unique_ptr<ItemObject> scratchItem_;
};
}  // namespace

bool LoadObjectListText(const std::string& text, char kind, LoadedObjectList& out, const ItemTable*,
                        const VehicleTable*) {
  DebugPrintLine("Loading %c list", kind);
  ScanCursor c(text);
  std::string key = std::string(1, kind) + "LIST:";
  if (!FindSection(c, key)) return false;
  ScanCursor line = TakeLine(c);
  int32_t size = 64;
  {
    ScanCursor probe = line;
    probe.SkipSpaces();
    if (!probe.AtLineEnd()) {
      if (!line.Int(size)) size = 64;
    }
  }
  if (size < 0 || size > MaxObjectListSize) {
    PrintLine("ERROR (LoadObjectList): Invalid list size %d", size);
    return false;
  }
  ListReader reader(c, kind, size);
  if (!reader.Run()) return false;
  out = reader.Take();
  return true;
}

bool LoadObjectList(const std::string& path, char kind, LoadedObjectList& out, const ItemTable* items,
                    const VehicleTable* vehicles) {
  std::string text;
  if (!AReadFile(path, text)) {
    DebugPrintLine("LoadObjectList: Could not open file: %s", path.c_str());
    return false;
  }
  DropLineEndCRs(text);
  return LoadObjectListText(text, kind, out, items, vehicles);
}

namespace {
template <class... A>
void Put(std::string& s, const char* fmt, A... v) {
  char buf[256];
  std::snprintf(buf, sizeof buf, fmt, v...);
  s += buf;
  s += '\n';
}

void PutVehicle(std::string& s, const VehicleObject& v, const ItemTable* items, bool asItem) {
  Put(s, "V: %d %d %d %d %d", v.id, v.defId, v.x, v.y, v.hp);
  if (asItem) {
    if (v.name) s += "VNAME: \"" + *v.name + "\"\n";
    return;
  }
  if (v.defender) Put(s, "VDEFENDER: %d", v.defender);
  if (v.cargo) s += WriteContainerEntries(*v.cargo, items);
  if (v.ammo) Put(s, "AMMO: %d", v.ammo);
  if (v.name) s += "NAME: \"" + *v.name + "\"\n";
}
}  // namespace

std::string SaveCreatureListText(const CreatureList& list) {
  DebugPrintLine("Saving C list");
  std::string s;
  Put(s, "CLIST: %d", list.Size());
  for (int id = 1; id <= list.Size(); ++id) {
    const CreatureObject* o = list.Get(id);
    if (!o) continue;
    Put(s, "C: %d %d %d %d; %d %d %d", o->id, o->defId, o->x, o->y, o->hp, o->npcDefId, o->state);
    if (o->off) s += "CSTATEOFF\n";
    bool npcAnchor = o->npcDef && o->npcDef->anchor;
    if (o->state == 5 || o->aiDistance != 0 || npcAnchor || o->homeX != o->x || o->homeY != o->y)
      Put(s, "ANCHOR: %d %d", o->homeX, o->homeY);
    if (o->aiDistance) Put(s, "AIDIST: %d", o->aiDistance);
    if (o->state == 6 || o->retreatCount) Put(s, "RETREAT: %d", o->retreatCount);
    if (o->aiDirection) Put(s, "AIDIR: %d", o->aiDirection);
    if (o->delay) Put(s, "DELAY: %d", o->delay);
    if (o->attackImmobile || o->moveImmobile || o->poisonEffect || o->sleepEffect)
      Put(s, "CONDITION: %d %d %d %d", o->attackImmobile, o->moveImmobile, o->poisonEffect, o->sleepEffect);
    if (o->poisonTimer) Put(s, "POISON: %d", o->poisonTimer);
    if (o->sleepEffect || o->sleepTurns || o->sleepSave) Put(s, "SLEEP: %d %d", o->sleepTurns, o->sleepSave);
    if (o->groupId) Put(s, "GROUPID: %d", o->groupId);
    if (o->targetGroup) Put(s, "TARGETGROUP: %d", o->targetGroup);
    if (o->credit) Put(s, "CREDIT: %d", uint16_t(o->credit));
    if (o->attackTarget & 1)
      Put(s, "ATTACKTARGET: %d %d %d %d", o->attackTarget & 2 ? 1 : 0, o->attackTarget & 4 ? 1 : 0,
          o->attackTarget & 8 ? 1 : 0, o->attackTarget & 16 ? 1 : 0);
    if (o->behaviour & 1) s += "DEFENDER\n";
    if (o->behaviour & 2) s += "AGROLOS\n";
    if (o->flags & CreaturePeaceful) s += "PEACEFUL\n";
    if (o->flags & CreatureNoGroupRewards) s += "NOGROUPREWARDS\n";
    if (o->flags & CreatureTempDef) s += "TEMPDEF\n";
    if (o->flags & CreatureTempRepDef) s += "TEMPREPDEF\n";
    if (o->flags & CreatureMet) s += "MET\n";
    if (o->flags & CreatureSavesPC) s += "SAVESPC\n";
  }
  s += "END\n";
  return s;
}

std::string SaveVehicleListText(const VehicleList& list, const ItemTable* items) {
  DebugPrintLine("Saving V list");
  std::string s;
  Put(s, "VLIST: %d", list.Size());
  for (int id = 1; id <= list.Size(); ++id)
    if (const VehicleObject* v = list.Get(id)) PutVehicle(s, *v, items, false);
  s += "END\n";
  return s;
}

std::string SaveItemListText(const ItemList& list, const ItemTable* items) {
  DebugPrintLine("Saving I list");
  std::string s;
  Put(s, "ILIST: %d", list.Size());
  for (int id = 1; id <= list.Size(); ++id) {
    const ItemObject* o = list.Get(id);
    if (!o) continue;
    Put(s, "I: %d %d %d %d; %d %d", o->id, o->defId, o->x, o->y, o->quantity, o->charges);
    if (o->off) s += "ISTATEOFF\n";
    if (o->refType) {
      const char* name = WordName(WordTable::LockKind, o->refType);
      if (name) Put(s, "IREFTYPE: %s", name);
      else Put(s, "IREFTYPE: %d", o->refType);
    }
    if (o->refId) Put(s, "IREFID: %d", o->refId);
    if (o->refId2) Put(s, "IREFID2: %d", o->refId2);
    if (o->flags & ItemSecCheck) s += "SECCHECK\n";
    if (o->flags & ItemUsed) s += "USED\n";
    if (o->flags & ItemLookScript) s += "LOOKSCRIPT\n";
    if (o->defender) Put(s, "IDEFENDER: %d", o->defender);
    if (o->behaviourParam) Put(s, "BPARAM: %d", o->behaviourParam);
    if (!o->treasureTable.empty()) {
      s += "TRTAB: " + o->treasureTable[0] + "\n";
      for (size_t i = 1; i < o->treasureTable.size(); ++i) s += o->treasureTable[i] + "\n";
    } else if (o->vehicle) {
      PutVehicle(s, *o->vehicle, items, true);
    } else if (o->contents) {
      s += WriteContainerEntries(*o->contents, items);
    }
  }
  s += "END\n";
  return s;
}

bool HasObjectListSection(const std::string& text, char kind) {
  ScanCursor c(text);
  return FindSection(c, std::string(1, kind) + "LIST:");
}
