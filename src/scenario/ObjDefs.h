#pragma once
// Loading of the five sections of DATA<n>\objdefs.dat: creatures (C), NPC
// overlays (N), locations (L), vehicles (V) and items (I).
#include <memory>
#include <string>

#include "scenario/Definitions.h"

struct ObjDefTables {
  std::unique_ptr<CreatureTable> creatures;
  std::unique_ptr<NpcTable> npcs;
  std::unique_ptr<LocationTable> locations;
  std::unique_ptr<VehicleTable> vehicles;
  std::unique_ptr<ItemTable> items;
};

// Reads section `kind` ('C', 'N', 'L', 'V' or 'I') of DATA<n>\objdefs.dat
// and stores its table in `tables` (replacing an earlier one). Returns 1 on
// success, also when some records were rejected; returns 0 and leaves the
// table unchanged when the file or the section cannot be used.
int LoadCreateDefs(ObjDefTables& tables, char kind, int scenarioNumber);
// The same on a file already in memory; `fileName` names it in messages.
int LoadCreateDefsText(ObjDefTables& tables, char kind, const std::string& text, const std::string& fileName);

// Name of a definition kind as the loader's messages write it.
const char* DefKindName(char kind);
