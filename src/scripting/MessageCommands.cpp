// CMessage (CM) and PMessage: lines built from pieces with Print.
#include <climits>
#include <string>

#include "scripting/GameCommands.h"
#include "scripting/PriceRules.h"
#include "scripting/ScriptArgs.h"
#include "scripting/ScriptContext.h"
#include "text/Output.h"

namespace {
float ActivePriceFactor(ScriptContext& game, bool hasModifier, int modifier) {
  int intelligence = 0, charisma = 0, mod = 0;
  game.World().PriceAttributes(&intelligence, &charisma, &mod);
  return PriceFactor(intelligence, charisma, mod, hasModifier, modifier);
}

// "%hu%c%hu": spell, a separator, a multiplier.
bool ParseSpellCost(const char* text, int* spell, char* separator, int* mult) {
  const char* p = text;
  if (*p < '0' || *p > '9') return false;
  uint32_t v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) v = (v * 10 + static_cast<uint32_t>(*p - '0')) & 0xFFFF;
  *spell = static_cast<int>(v);
  *separator = 0;
  *mult = 1;
  if (*p == '\0') return true;
  *separator = *p++;
  if (*p < '0' || *p > '9') return true;
  v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) v = (v * 10 + static_cast<uint32_t>(*p - '0')) & 0xFFFF;
  *mult = static_cast<int>(v);
  return true;
}
}  // namespace

bool CMessageCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "CMessage");
  if (!args.More()) {
    PrintUnderrun("CMessage", nullptr);
    return GameFail(engine);
  }
  ScriptWorld& world = game.World();
  while (args.More()) {
    const ScriptArg& a = *args.Next();
    const std::string& w = a.text;
    if (w.empty() || w[0] != '-') {
      Print("%s", a.c_str());
    } else if (w == "-NL") {
      PrintNewLine();
    } else if (w == "-PCNAME") {
      Print("%s", world.ActiveCharName().c_str());
    } else if (w == "-CURRENCY") {
      Print("%d", world.CurrencyCount());
    } else if (w == "-PRICE" || w == "-SELLPRICE") {
      const bool sell = w == "-SELLPRICE";
      int32_t cost = 0;
      if (!args.NextInt(&cost, w.c_str())) return GameFail(engine);
      if (cost < 1) {
        PrintLine("SCRIPT ERROR (CMessage %s): Invalid cost %d", w.c_str(), cost);
        return GameFail(engine);
      }
      const float f = ActivePriceFactor(game, false, 0);
      Print("%d", sell ? SellingPrice(cost, f) : BuyingPrice(cost, f));
    } else if (w == "-CREDIT") {
      int credit = 0;
      if (!world.ObjectCredit(game.creatureValue, &credit)) credit = 0;
      Print("%d", credit);
    } else if (w == "-CREATURE") {
      std::string name;
      if (world.ObjectName(game.creatureValue, &name)) Print("%s", name.c_str());
    } else if (w == "-DIR") {
      static const char* const names[] = {"NORTH", "EAST", "SOUTH", "WEST"};
      const int facing = world.PartyFacing();
      if (facing >= 0 && facing < 4) Print("%s", names[facing]);
    } else if (w == "-DEF") {
      int32_t id = 0;
      if (!args.NextInt(&id, "-DEF")) return GameFail(engine);
      const ScriptArg* value = engine.GetDefValue(static_cast<uint16_t>(id), 0);
      if (!value) {
        PrintLine("SCRIPT ERROR (CMessage -DEF): Invalid DEF tag %d", static_cast<uint16_t>(id));
        return GameFail(engine);
      }
      Print("%s", value->c_str());
    } else if (w == "-DEFARGS") {
      int32_t id = 0;
      if (!args.NextInt(&id, "-DEFARGS")) return GameFail(engine);
      const ScriptLine* def = engine.FindLine(static_cast<uint16_t>(id));
      if (!def) {
        PrintLine("SCRIPT ERROR (CMessage -DEFARGS): Invalid DEF tag %d", static_cast<uint16_t>(id));
        return GameFail(engine);
      }
      for (int i = 0; i < def->ArgCount(); ++i) Print(i ? " %s" : "%s", def->Arg(i));
    } else if (w == "-SPELLNAME") {
      int32_t spell = 0;
      if (!args.NextInt(&spell, "-SPNAME")) return GameFail(engine);
      std::string name;
      if (!world.SpellName(spell, &name)) {
        PrintLine("SCRIPT ERROR (CMessage -SPELLNAME): Invalid spell %d", spell);
        return GameFail(engine);
      }
      Print("%s", name.c_str());
    } else if (w == "-SPCOST") {
      const ScriptArg* v = args.Next("-SPCOST");
      if (!v) return GameFail(engine);
      int spell = 0, mult = 1, cost = 0;
      char separator = 0;
      if (!ParseSpellCost(v->c_str(), &spell, &separator, &mult) || !world.SpellCost(spell, &cost)) {
        PrintLine("SCRIPT ERROR (CMessage -SPCOST): Invalid spell %s", v->c_str());
        return GameFail(engine);
      }
      const int64_t total = separator == '*' ? static_cast<int64_t>(cost) * mult : cost;
      Print("%lld", static_cast<long long>(total));
    } else if (w == "-ICOUNT") {
      const ScriptArg* v = args.Next("-ICOUNT");
      if (!v) return GameFail(engine);
      Print("%d", v->text == "TARGET" ? world.ItemRefCount(game.targetValue) : world.ItemCount(v->number));
    } else if (w == "-SHM") {
      const ScriptArg* v = args.Next("-SHM");
      if (!v) return GameFail(engine);
      if (v->text != "NEUSE") return true;
      Print("No effect");
    } else if (w == "-TARGETX") {
      Print("%d", game.positionX);
    } else if (w == "-TARGETY") {
      Print("%d", game.positionY);
    } else if (w == "-TARGETNUMBER") {
      Print("%d", game.numberValue);
    } else if (w == "-SFLAG") {
      Print("%d", game.sflag);
    } else if (w == "-PARTYONLY") {
      if (!world.HasParty()) return true;
    } else {
      Print("%s", a.c_str());
    }
  }
  return true;
}

bool PMessageCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "PMessage");
  if (!args.More()) {
    PrintUnderrun("PMessage", nullptr);
    return GameFail(engine);
  }
  bool sell = false, exact = false, qmult = false, hasModifier = false;
  int modifier = 0;
  while (args.More()) {
    const ScriptArg& a = *args.Next();
    const std::string& w = a.text;
    if (w.empty() || w[0] != '-') {
      Print("%s", a.c_str());
    } else if (w == "-NL") {
      PrintNewLine();
    } else if (w == "-SELL") {
      sell = true;
    } else if (w == "-EXACT") {
      exact = true;
    } else if (w == "-QMULT") {
      qmult = true;
    } else if (w == "-PMP") {
      int32_t p = 0;
      if (!args.NextInt(&p, "-PMP")) return GameFail(engine);
      hasModifier = true;
      modifier = p & 0xFF;
    } else if (w == "-PRICE") {
      int32_t cost = 0;
      if (!args.NextInt(&cost, "-PRICE")) return GameFail(engine);
      if (cost < 1) {
        PrintLine("SCRIPT ERROR (PMessage -PRICE): Invalid cost %d", cost);
        return GameFail(engine);
      }
      int64_t base = cost;
      if (qmult) base *= game.amountValue;
      if (base > INT_MAX) base = INT_MAX;
      if (base < INT_MIN) base = INT_MIN;
      int price = static_cast<int>(base);
      if (!exact) {
        const float f = ActivePriceFactor(game, hasModifier, modifier);
        price = sell ? SellingPrice(price, f) : BuyingPrice(price, f);
      }
      Print("%d", price);
    } else {
      PrintLine("SCRIPT ERROR (PMessage): Invalid option: %s", a.c_str());
      return GameFail(engine);
    }
  }
  return true;
}
