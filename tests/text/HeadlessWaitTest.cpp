// Full waits through the frame's message pump and the headless backend.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TextFixture.h"
#include "platform/Backend.h"
#include "platform/Frame.h"
#include "platform/HeadlessBackend.h"
#include "text/Output.h"

namespace {
// The controller's part: quit on Destroy, every other message to the key input.
class KeyApp : public CAppBase {
 public:
  int HandleMessage(WindowId, uint32_t message, uint64_t wParam, int64_t, int64_t*) override {
    if (message == msg::Destroy) {
      RequestQuit();
      return 1;
    }
    CGetString* input = GetKeyInput();
    return input ? input->ProcessMessage(message, wParam) : 0;
  }
};

struct HeadlessConsole : testing::Test {
  void Start(const std::string& script) {
    std::string error;
    auto backend = CreateHeadlessBackend(script, error);
    ASSERT_TRUE(backend) << error;
    headless = backend.get();
    SetBackend(std::move(backend));
    ASSERT_TRUE(CreateWindow("test", false, false, 640, 480, nullptr));
    SetActiveApp(&app);
    display = std::make_unique<TextDisplay>("main");
    display->SetFont(&font);  // drawing into the backend's canvas
    display->SetWindowAndPosition(MainWindow(), 0, 0);
    display->SetSize(40, 10);
    display->InitBuffer(50);
    input = std::make_unique<CGetString>(display.get());
    SetConsole(input.get());
    SetInputMode(InputModeUnset);
  }
  ~HeadlessConsole() override {
    SetConsole(nullptr);
    SetOutput(nullptr);
    input.reset();
    display.reset();
    ResetFrameForTests();
    SetBackend(nullptr);
  }
  std::string Line(int i) { return display->LineText(static_cast<size_t>(i)); }

  KeyApp app;
  CellFont font;
  HeadlessBackend* headless = nullptr;
  std::unique_ptr<TextDisplay> display;
  std::unique_ptr<CGetString> input;
};
}  // namespace

TEST_F(HeadlessConsole, AskYesNoAnswers) {
  Start("n <Esc> <Enter> y");
  for (int i = 0; i < 3; ++i) {
    Print("Go on? ");
    EXPECT_FALSE(AskYesNo());
  }
  Print("Go on? ");
  EXPECT_TRUE(AskYesNo());
  EXPECT_EQ(Line(2), "Go on? NO");
  EXPECT_EQ(Line(3), "Go on? YES");
  // The script is used up: the window closes and every wait answers at once.
  EXPECT_EQ(GetKey(), 0);
  EXPECT_TRUE(QuitRequested());
  EXPECT_FALSE(AskYesNoStrict());
}

TEST_F(HeadlessConsole, PageUpDuringGetKeyScrolls) {
  Start("<PgUp> k");
  for (int i = 0; i < 30; ++i) PrintLine("line %d", i);
  EXPECT_EQ(GetKey(), 'K');
  EXPECT_LT(display->ScrollOffset(), 0);
}

TEST_F(HeadlessConsole, LineInputAndQuitting) {
  Start("\"Conan\" <Enter> \"half\"");
  Print("Name? ");
  EXPECT_STREQ(InputLine(0), "Conan");
  EXPECT_EQ(Line(0), "Name? Conan");
  EXPECT_STREQ(InputLine(0), "");  // closed half-way: nothing of "half"
}

TEST_F(HeadlessConsole, EditorPastesTheClipboard) {
  Start("\"ab\" <Home> <C-v> <End> \"!\" <Enter>");
  headless->SetClipboard("XYZ\nmore");
  SetInputMode(InputModeOvertype);
  // The paste overwrites from the cursor; the line break becomes a blank.
  EXPECT_STREQ(InputLineMode(0, 0), "XYZ more!");
}

TEST_F(HeadlessConsole, EditorWordMovesWithControlHeld) {
  Start("\"one two three\" <C-Left> <C-Left> <Enter>");
  SetInputMode(InputModeInsert);
  EXPECT_STREQ(InputLineMode(0, 0), "one ");
}

TEST_F(HeadlessConsole, CaretFollowsFocusAndScrolling) {
  Start("<PgUp> <PgDn> x");
  display->SetCaretOn(true);
  input->ProcessMessage(msg::SetFocus, 0);
  EXPECT_TRUE(headless->CaretVisible());
  for (int i = 0; i < 30; ++i) PrintLine("line %d", i);
  display->ScrollPages(-1);
  EXPECT_FALSE(headless->CaretVisible());
  display->ScrollPages(1);
  EXPECT_TRUE(headless->CaretVisible());
  input->ProcessMessage(msg::KillFocus, 0);
  EXPECT_FALSE(headless->CaretVisible());
}

TEST_F(HeadlessConsole, TextPauseTakesAKey) {
  Start("a q");
  display->SetPauseRoutine(&TextDisplayPause, 3);
  SetTextPause(true);
  for (int i = 0; i < 20; ++i) PrintLine("entry %d", i);
  EXPECT_EQ(GetTextPause(), 2);  // Q: the rest ran through
  EXPECT_EQ(Line(3), "entry 3");  // the prompt was erased again
  EXPECT_EQ(GetKey(), 0);
}

TEST_F(HeadlessConsole, FontsFromTheBackend) {
  Start("");
  TextDisplay d("party");
  int step = -1;
  ASSERT_TRUE(d.SelectFont(1, 1, &step));
  EXPECT_GT(d.CharWidth(), 0);
  EXPECT_GT(d.CharHeight(), 0);
  ASSERT_TRUE(d.SelectFont(2, 2, &step));
  EXPECT_EQ(step, 0);
  d.SetSize(20, 5);
  d.InitBuffer(10);
  ASSERT_TRUE(d.AutoTextSize(0, 0));  // fits the 640 x 480 window
  EXPECT_LE(d.Columns(), 20);
  d.WriteWrapped("drawn", true);
}
