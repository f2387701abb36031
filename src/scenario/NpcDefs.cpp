// The NPC section (N) of objdefs.dat, with offer and give records.
#include "scenario/Keywords.h"
#include "scenario/ObjDefsReader.h"

namespace {
struct NpcLoad {
  NpcLoad(ObjDefsReader& r, NpcTable& t) : r(r), table(t) {}
  ObjDefsReader& r;
  NpcTable& table;
  NpcDef* current = nullptr;
  std::unique_ptr<NpcDef> discarded;
  OfferDef* offer = nullptr;  // created by the latest OFFER: line
  NpcDef* offerOwner = nullptr;

  void Free(std::unique_ptr<NpcDef> def) {
    if (def && def.get() == offerOwner) {
      offer = nullptr;
      offerOwner = nullptr;
    }
  }
  void Record();
  void Keyword(const std::string& w);
};

// Reads a quoted text into `slot` ("<NULL>" is none). False when the scan
// stops here (slot unchanged); an unterminated text sets `broken`.
bool Quoted(ScanCursor& c, OwnedText& slot, bool& broken) {
  c.SkipWhite();
  std::string text;
  QuotedResult q = LineQuoted(c, text);
  if (q == QuotedUnterminated) broken = true;
  if (q != QuotedOk) return false;
  SetQuotedText(slot, text);
  return true;
}

void NpcLoad::Record() {
  Free(std::move(discarded));
  current = nullptr;
  auto def = std::make_unique<NpcDef>();
  ScanCursor c = r.Line();
  bool broken = false;
  std::string word;
  uint16_t store = 0;
  if (c.U16(def->id) && Quoted(c, def->name, broken) && c.Word(word)) {
    def->state = uint8_t(ParseWord(WordTable::CreatureState, word));
    if (c.U16(store)) {
      def->store = store;
      Quoted(c, def->conversation, broken);
    }
  }
  int id = def->id;
  if (broken || id < 1 || id > table.Count()) {
    if (!broken) ReportBadDefId('N', id);
    current = def.get();
    discarded = std::move(def);
    return;
  }
  Free(table.Remove(id));
  current = def.get();
  table.Set(id, std::move(def));
}

void NpcLoad::Keyword(const std::string& w) {
  NpcDef* d = current;
  if (!d) return;
  ScanCursor c = r.Line();
  std::string word;
  bool broken = false;
  if (w == "LOOK:") {
    std::string text;
    if (r.FileQuoted(text) == QuotedOk) SetQuotedText(d->look, text);
  } else if (w == "OFFER:") {
    if (c.AtEnd()) return;
    auto o = std::make_unique<OfferDef>();
    uint16_t chance;
    if (c.Word(word)) {
      o->kind = uint16_t(ParseWord(WordTable::RewardKind, word));
      if (c.U16(o->id) && c.Int(o->amount) && c.Int(o->minimum) && c.U16(chance)) {
        o->chance = uint8_t(chance & 0xFF);
        if (c.U16(o->requiredFlag) && Quoted(c, o->acceptText, broken)) Quoted(c, o->declineText, broken);
      }
    }
    if (broken) return;
    offer = o.get();
    offerOwner = d;
    d->offer = std::move(o);
  } else if (w == "OFFERONCE:") {
    if (offer) c.U16(offer->onceFlag);
  } else if (w == "GIVE:") {
    if (c.AtEnd()) return;
    auto g = std::make_unique<GiveDef>();
    if (c.Word(word)) {
      g->kind = uint16_t(ParseWord(WordTable::RewardKind, word));
      if (c.U16(g->id) && c.Int(g->amount) && c.U16(g->doneFlag) && c.U16(g->requiredFlag) &&
          Quoted(c, g->givenText, broken))
        Quoted(c, g->refusalText, broken);
    }
    if (broken) return;
    d->give = std::move(g);
  } else if (w == "CCONV:") {
    c.U16(d->convScript);
  } else if (w == "ANCHOR:") {
    uint16_t v;
    if (c.U16(v)) d->anchor = uint8_t(v & 0xFF);
  } else if (w == "NOCHECKREP") {
    d->flags |= NpcNoCheckRep;
  } else if (w == "COMBATTALK") {
    d->flags |= NpcCombatTalk;
  } else if (w == "NOCOMBAT") {
    d->flags |= NpcNoCombat;
  } else if (w == "HIDENAME") {
    d->flags |= NpcHideName;
  } else if (w == "NOSETMET") {
    d->flags |= NpcNoSetMet;
  }
}
}  // namespace

bool ReadNpcSection(ObjDefsReader& r, std::unique_ptr<NpcTable>& table) {
  NpcLoad load(r, *table);
  std::string w;
  while (r.NextWord(w)) {
    if (w == "END") break;
    if (w == "N:")
      load.Record();
    else
      load.Keyword(w);
    r.SkipLine();
  }
  return true;
}
