// The demo scenario's scripts and triggers load and behave as the demo
// describes (map 1, the Vale, 24 x 18 cells).
#include "ScriptTestSupport.h"

namespace {
std::string DemoDir() { return std::string(KORVA_TEST_DATA) + "/../demo"; }
}  // namespace

TEST(Demo, StartScriptSignCoinAndGarden) {
  InDirectory dir(DemoDir());
  FakeInput::Install();
  FakeWorld world;
  world.cells = TriggerCellArray(24, 18);
  ScriptContext game(&world, 1);
  Capture capture;
  game.triggerListNumber = 1;
  ASSERT_TRUE(LoadTriggerList(game));
  ASSERT_TRUE(RunScriptNumber(game, 1, ScriptTypeStart));
  ASSERT_TRUE(RunScriptNumber(game, 1, ScriptTypeStart));
  auto step = [&](int x, int y) {
    world.partyX = x;
    world.partyY = y;
    CheckTriggers(game, x, y);
  };
  step(5, 6);
  step(5, 6);
  step(2, 8);
  step(2, 8);
  step(16, 12);
  world.moveAction = 0;  // passing a turn inside the garden
  step(16, 12);
  EXPECT_EQ(capture.text,
            "Welcome to the Vale of Korva. Walk the paths with the arrow keys.\n"
            "You are back in the Vale.\n"
            "An old milestone leans by the path. It reads: KORVA - founded in the year of the long winter.\n"
            "Someone has scratched a small arrow under the words, pointing east.\n"
            "The milestone still reads KORVA. The arrow points east.\n"
            "Something glints between the cobbles: an old copper coin.\n"
            "You pocket it. (It is worth nothing, but it is pretty.)\n"
            "Birds sing in the walled garden.\n");
  ResetScriptInputOutput();
}

TEST(Demo, VillagerConversation) {
  InDirectory dir(DemoDir());
  FakeInput::Install();
  for (const char* line : {"hello", "Well", "weather", "name", "byebye"}) FakeInput::Lines().push_back(line);
  FakeWorld world;
  ScriptContext game(&world, 1);
  Capture capture;
  ASSERT_TRUE(RunScriptNumber(game, 10, ScriptTypeConv));
  EXPECT_EQ(capture.text,
            "The villager Aino looks up from her work.\n"
            "'Hello, stranger. Ask me about the WELL, the ROAD or my NAME.'\n"
            "> hello\n'Hello to you too.'\n"
            "> Well\n'The well is north of the square. Its water is sweet.'\n"
            "> weather\n'I know nothing about that.'\n"
            "> name\n'I am Aino. And you are Aino, I think.'\n"
            "> byebye\n'Farewell, and mind the garden gate.'\n");
  capture.text.clear();
  FakeInput::Lines().push_back("");
  ASSERT_TRUE(RunScriptNumber(game, 10, ScriptTypeConv));
  EXPECT_EQ(capture.text,
            "The villager Aino looks up from her work.\n'Back again? Ask away.'\n> \n"
            "Aino nods and returns to her work.\n");
  ResetScriptInputOutput();
}
