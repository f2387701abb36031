#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>

#include "graphics/MapSet.h"
#include "graphics/MapText.h"
#include "text/Output.h"

namespace {

const std::string kMaps = std::string(KORVA_TEST_DATA) + "/graphics/fixtures/maps";
const std::string kData = kMaps + "/DATA1";
const std::string kSave = kMaps + "/save/Default1";

std::unique_ptr<CMap> Load(uint16_t id, std::string* out) {
  out->clear();
  SetOutputCapture(out);
  std::unique_ptr<CMap> map = LoadCreateMapMSFromDirs(kData, kSave, id);
  SetOutputCapture(nullptr);
  return map;
}

std::string TempDir() {
  std::string pattern = testing::TempDir() + "mapsXXXXXX";
  EXPECT_NE(mkdtemp(pattern.data()), nullptr);
  return pattern;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

int RunTool(const std::string& args) {
  return std::system((std::string("\"") + KORVA_TOOL + "\" " + args + " 2>/dev/null").c_str());
}

}  // namespace

TEST(MapSet, SectionWithEveryKeyword) {
  std::string out;
  std::unique_ptr<CMap> map = Load(4, &out);
  ASSERT_TRUE(map);
  EXPECT_EQ(out, "");
  EXPECT_EQ(map->Width(), 4);
  EXPECT_EQ(map->Height(), 3);
  EXPECT_EQ(map->Tile(0, 0), 1);
  EXPECT_EQ(map->Tile(3, 2), 12);
  EXPECT_EQ(map->Tile(1, 1), 99);  // from the template
  EXPECT_EQ(map->Tile(2, 1), 7);   // template cell 0 leaves the map's
  EXPECT_EQ(map->startX, 10);
  EXPECT_EQ(map->startY, 12);
  EXPECT_EQ(map->startFacing, 2);
  EXPECT_EQ(map->viewMode, ViewModeFirstPerson);
  EXPECT_EQ(map->flags, MapLockScreen | MapRetreatAndSplit);
  EXPECT_EQ(map->collisionShift, 5);
  EXPECT_EQ(map->altX, 1);
  EXPECT_EQ(map->altY, 2);
  EXPECT_EQ(map->altFacing, 3);
  EXPECT_TRUE(map->hasGameDataFile);
  EXPECT_EQ(map->gameDataFile, "town.dat");

  const MapBorder* link = map->Border(BorderN);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(map->Border(BorderE), link);
  EXPECT_EQ(link->fillType, BorderFillFill);
  EXPECT_EQ(link->fillTile, 7);
  EXPECT_EQ(link->action, BorderActionLink);
  EXPECT_EQ(link->targetMap, 3);
  EXPECT_EQ(link->x, 10);
  EXPECT_EQ(link->y, 20);
  EXPECT_EQ(link->facing, 2);
  EXPECT_EQ(link->message, "The gate is shut.");
  EXPECT_EQ(link->collisionShift, 2);
  EXPECT_EQ(link->flags, BorderDoTriggers);
  EXPECT_EQ(link->entryX, 10);
  EXPECT_EQ(link->entryY, 12);

  const MapBorder* exit = map->Border(BorderS);
  ASSERT_NE(exit, nullptr);
  EXPECT_EQ(map->Border(BorderSW), exit);
  EXPECT_EQ(exit->fillType, BorderFillEcho);
  EXPECT_EQ(exit->action, BorderActionExit);
  EXPECT_EQ(exit->targetMap, 9);
  EXPECT_EQ(exit->x, -1);
  EXPECT_EQ(exit->y, 2);
  EXPECT_EQ(exit->facing, KeepFacing);
  EXPECT_EQ(exit->flags, BorderCrFirstTurn);
  EXPECT_EQ(exit->entryX, 5);
  EXPECT_EQ(exit->entryY, 6);

  const MapBorder* drb = map->Border(BorderW);
  ASSERT_NE(drb, nullptr);
  EXPECT_EQ(drb->action, BorderActionExit);
  EXPECT_EQ(drb->flags, BorderDoTriggers);
  EXPECT_EQ(drb->x, -1);
  EXPECT_EQ(drb->y, 0);
  EXPECT_EQ(drb->facing, 3);
  EXPECT_EQ(drb->entryX, 3);
  EXPECT_EQ(drb->entryY, 4);
  EXPECT_EQ(map->Border(BorderNE), nullptr);
  EXPECT_EQ(map->Border(BorderNW), nullptr);

  // "UDB: U D": one stair border in both places.
  ASSERT_TRUE(map->upBorder);
  EXPECT_EQ(map->upBorder, map->downBorder);
  EXPECT_EQ(map->upBorder->targetMap, 6);
  EXPECT_EQ(map->upBorder->x, 2);
  EXPECT_EQ(map->upBorder->y, 3);
  EXPECT_EQ(map->upBorder->exit, 1);
  EXPECT_EQ(map->upBorder->buffering, 1);
}

TEST(MapSet, SavedCopyTakesPrecedenceAndBordersAreShared) {
  std::string out;
  std::unique_ptr<CMap> map = Load(5, &out);
  ASSERT_TRUE(map);
  EXPECT_EQ(map->Tile(0, 0), 55);  // save\Default1\5.map, not DATA1\5.map
  EXPECT_EQ(map->startX, -1);
  EXPECT_EQ(map->startFacing, KeepFacing);
  const MapBorder* all = map->Border(BorderN);
  ASSERT_NE(all, nullptr);
  for (int d = 0; d < 8; ++d) EXPECT_EQ(map->Border(d), all);
  EXPECT_EQ(all->fillType, BorderFillWrap);
  EXPECT_EQ(all->action, BorderActionWrap);
  ASSERT_TRUE(map->downBorder && map->upBorder);
  EXPECT_EQ(map->downBorder->exit, 1);
  EXPECT_EQ(map->upBorder->targetMap, 12);
  EXPECT_EQ(out, "ERROR (LoadCreateMapMS, TEMPLATE): Template dims 1 1 2 do not match 2 2 2\n");
  EXPECT_EQ(map->Tile(0, 0), 55);

  // A map without a section comes from the scenario directory only.
  std::unique_ptr<CMap> eight = Load(8, &out);
  ASSERT_TRUE(eight);
  EXPECT_EQ(eight->Tile(1, 1), 80);
}

TEST(MapSet, BadKeywordsAreReportedAndSkipped) {
  std::string out;
  std::unique_ptr<CMap> map = Load(7, &out);
  ASSERT_TRUE(map);
  EXPECT_EQ(map->startX, 1);
  EXPECT_EQ(map->startFacing, KeepFacing);
  EXPECT_EQ(out,
            "ERROR (LoadCreateMapMS, M): Invalid facing 9\n"
            "ERROR (LoadCreateMapMS, BSTART): Can't set border entry; border not defined\n"
            "ERROR (LoadCreateMapMS, UDBMAP): Can't set UD border entry; border not defined\n"
            "ERROR (LoadCreateMapMS, B): Invalid border Q\n"
            "ERROR (LoadCreateMapMS, DRB): Invalid border X\n"
            "ERROR (LoadCreateMapMS, UDB): Invalid UD border Z\n"
            "ERROR (LoadCreateMapMS, UDB): Invalid UD border Q 5\n"
            "ERROR (LoadCreateMapMS, BCSHIFT): Missing parameter\n"
            "ERROR (LoadCreateMapMS, BCSHIFT ALL): Missing parameter\n"
            "ERROR (LoadCreateMapMS, TEMPLATE): Missing file param\n"
            "ERROR (LoadCreateMapMS, TEMPLATE): Could not load nothere\n");
  EXPECT_EQ(map->Border(BorderN)->fillTile, 2);
  EXPECT_NE(map->upBorder, nullptr);  // "UDB: U Z": U is taken, Z reported
  EXPECT_EQ(map->downBorder, nullptr);
}

TEST(MapSet, MissingOrWrongMapFilesFailTheLoad) {
  std::string out;
  EXPECT_FALSE(Load(9, &out));
  EXPECT_EQ(out, "ERROR (LoadCreateMapMS): Could not load " + kData + "\\9.map\n");
  EXPECT_FALSE(Load(10, &out));
  EXPECT_EQ(out, "ERROR (LoadCreateMapMS, M): Could not load " + kData +
                     "\\wrongsize.map\nERROR (LoadCreateMapMS, M): " + kData +
                     "\\wrongsize.map has 4-byte elements; map cells have 2\n");
  out.clear();
  SetOutputCapture(&out);
  EXPECT_FALSE(LoadCreateMapMSFromDirs(kMaps + "/nowhere", kSave, 4));
  std::unique_ptr<CMap> direct = LoadMapObjectFromDirs(kMaps + "/nowhere", kSave, 4);
  SetOutputCapture(nullptr);
  EXPECT_FALSE(direct);
  EXPECT_EQ(out, "ERROR: Could not load " + kMaps + "/nowhere\\4.map\n");
}

TEST(MapSet, SaveMapWritesTheWorkingCopy) {
  std::string dir = TempDir();
  std::unique_ptr<CMap> map = LoadMapDirectFromDir(kData, 8);
  ASSERT_TRUE(map);
  map->SetTile(0, 1, 0x1234);
  ASSERT_EQ(SaveMapToDir(map.get(), dir), 1);
  EXPECT_EQ(ReadBytes(dir + "/8.map"),
            std::string("QUORVELLIAN914 B1 V1\n2 2 2\n<Data>\n") +
                std::string("\x50\x00\x50\x00\x34\x12\x50\x00", 8));
  EXPECT_EQ(MapSavePath(3, 8), "save\\Default3\\8.map");
  CMap empty;
  empty.mapID = 4;
  std::string out;
  SetOutputCapture(&out);
  EXPECT_EQ(SaveMapToDir(&empty, dir), 0);
  SetOutputCapture(nullptr);
  EXPECT_EQ(out, "ERROR (SaveMap): Could not get map array for map 4\n");
}

TEST(MapText, ToolsRoundTripAMap) {
  std::string dir = TempDir();
  ASSERT_EQ(RunTool("map2txt \"" + kData + "/town.map\" \"" + dir + "/town.txt\""), 0);
  std::string text = ReadBytes(dir + "/town.txt");
  EXPECT_NE(text.find("MAP 4 3\n1 2 3 4\n5 6 7 8\n9 10 11 12\n"), std::string::npos);
  std::ofstream(dir + "/edited.txt") << "# edited\nMAP 2 2\n\n65535 0\n  7   8  \n";
  ASSERT_EQ(RunTool("txt2map \"" + dir + "/edited.txt\" \"" + dir + "/edited.map\""), 0);
  EXPECT_EQ(ReadBytes(dir + "/edited.map"), std::string("QUORVELLIAN914 B1 V1\n2 2 2\n<Data>\n") +
                                                std::string("\xFF\xFF\x00\x00\x07\x00\x08\x00", 8));
  ASSERT_EQ(RunTool("txt2map \"" + dir + "/town.txt\" \"" + dir + "/town.map\""), 0);
  EXPECT_EQ(ReadBytes(dir + "/town.map"), ReadBytes(kData + "/town.map"));
}

TEST(MapText, BadGridsSayWhere) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"", "line 1: no \"MAP width height\" line"},
      {"MAP 2\n", "line 1: expected \"MAP width height\""},
      {"MAP 0 2\n", "line 1: map size 0 x 2 is out of range"},
      {"MAP 2 1\n1\n", "line 2: row 0 has 1 tile IDs; 2 are needed"},
      {"MAP 2 1\n1 2 3\n", "line 2: row 0 has more than 2 tile IDs"},
      {"MAP 2 1\n1 70000\n", "line 2: tile ID 70000 is out of range"},
      {"MAP 1 2\n1\n", "line 3: only 1 of 2 rows"},
      {"MAP 1 1\n1\n2\n", "line 3: more than 1 rows"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CBArray map;
    std::string error;
    EXPECT_EQ(MapFromText(c.text, &map, &error), 0);
    EXPECT_EQ(error, c.error);
    EXPECT_FALSE(map.HasData());
  }
}
