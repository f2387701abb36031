#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TextFixture.h"
#include "text/Output.h"

int ScriptedKeys::Pump() {
  auto& q = Queue();
  if (q.empty()) {
    Quit() = true;
    return 1;
  }
  WindowMessage m = q.front();
  q.pop_front();
  if (CGetString* input = GetKeyInput()) input->ProcessMessage(m.message, m.wParam);
  return 1;
}

namespace {
// A main display with its key input as the current console.
struct Console : testing::Test {
  Console() : screen(40, 6, 50, "main"), input(&screen.display) {
    ScriptedKeys::Install();
    SetConsole(&input);
    SetInputMode(InputModeUnset);
    screen.display.SetPauseRoutine(&TextDisplayPause, 0);
  }
  ~Console() override {
    ScriptedKeys::Uninstall();
    SetConsole(nullptr);
    SetOutput(nullptr);
  }
  std::string Line(int i) { return screen.display.LineText(static_cast<size_t>(i)); }
  TestScreen screen;
  CGetString input;
};
}  // namespace

TEST_F(Console, ProcessMessageRoutesKeysByWaitMode) {
  // Nobody waits: command keys go on to the mode handler.
  EXPECT_EQ(input.ProcessMessage(msg::KeyDown, 'A'), 0);
  EXPECT_EQ(input.ProcessMessage(msg::KeyDown, keys::PageUp), 1);
  EXPECT_EQ(input.ProcessMessage(msg::KeyDown, keys::Control), 1);
  EXPECT_TRUE(input.IsControlDown());
  EXPECT_EQ(input.ProcessMessage(msg::KeyDown, keys::Up), 1);
  EXPECT_EQ(input.ProcessMessage(msg::KeyUp, keys::Control), 1);
  EXPECT_FALSE(input.IsControlDown());
  EXPECT_EQ(input.ProcessMessage(msg::Paint, 0), 0);
  EXPECT_EQ(input.ProcessMessage(msg::Timer, 1), 0);

  int key = 0;
  input.BeginKeyPoll();  // wait mode 1: the key-down is the key
  EXPECT_EQ(input.PollKey(&key), 0);
  EXPECT_EQ(input.ProcessMessage(msg::KeyDown, 255), 1);
  EXPECT_EQ(input.PollKey(&key), 0);
  input.ProcessMessage(msg::KeyDown, 'A');
  input.ProcessMessage(msg::Char, 'a');
  ASSERT_EQ(input.PollKey(&key), 1);
  EXPECT_EQ(key, 'A');
  EXPECT_EQ(input.WaitMode(), 0);

  char text[8] = "";
  int length = 0;
  ASSERT_EQ(input.CGetStringInit(text, &length, false), 1);  // wait mode 2
  input.ProcessMessage(msg::KeyDown, 'B');
  EXPECT_EQ(input.PollKey(&key), 0);  // waits for the character
  input.ProcessMessage(msg::Char, 'b');
  ASSERT_EQ(input.PollKey(&key), 1);
  EXPECT_EQ(key, 'b');
  EXPECT_EQ(input.WaitMode(), 0);  // the poll ended the wait
  input.CGetStringInit(text, &length, false);
  input.ProcessMessage(msg::KeyDown, keys::Home);  // editing keys come as key-downs
  ASSERT_EQ(input.PollKey(&key), 1);
  EXPECT_EQ(key, keys::Home);
}

TEST_F(Console, StepwiseInputIsBoundedAndChecksParameters) {
  char text[4] = "";
  int length = 0;
  EXPECT_EQ(input.CGetStringInit(nullptr, &length, false), 0);
  EXPECT_EQ(Line(0), "ERROR (CGetStringInit): Missing");
  ASSERT_EQ(input.CGetStringInit(text, &length, false), 1);
  for (char c : std::string("abcdef")) input.CGetStringProcessKey(text, &length, c, 1, sizeof text);
  EXPECT_EQ(length, 3);
  EXPECT_EQ(input.CGetStringProcessKey(text, &length, keys::Return, 1, sizeof text), 2);
  ASSERT_EQ(input.CGetStringEnd(text, length), 1);
  EXPECT_STREQ(text, "abc");
  ScriptedKeys::Type('q');
  int key = 0, isChar = 0;
  input.CGetStringInit(text, &length, false);
  EXPECT_EQ(input.CGetStringGetKey(&key, &isChar), 1);
  EXPECT_EQ(key, 'q');
  EXPECT_EQ(isChar, 1);
  EXPECT_EQ(input.CGetStringGetKey(&key, &isChar), 2);  // no more keys: quitting
}

TEST_F(Console, AskYesNoOnlyYMeansYes) {
  for (int key : {int{'N'}, keys::Escape, keys::Return}) {
    ScriptedKeys::KeyDown(key);
    Print("Sure? ");
    EXPECT_FALSE(AskYesNo());
  }
  ScriptedKeys::KeyDown('Y');
  Print("Sure? ");
  EXPECT_TRUE(AskYesNo());
  EXPECT_EQ(Line(0), "Sure? NO");
  EXPECT_EQ(Line(2), "Sure? NO");
  EXPECT_EQ(Line(3), "Sure? YES");
  // Strict: other keys are ignored; quitting answers no without echo.
  ScriptedKeys::KeyDown('X');
  ScriptedKeys::KeyDown('N');
  EXPECT_FALSE(AskYesNoStrict());
  EXPECT_EQ(Line(4), "NO");
  EXPECT_FALSE(AskYesNoStrict());
  EXPECT_EQ(Line(5), "");
}

TEST_F(Console, AskQuitPrintsTheQuestion) {
  ScriptedKeys::KeyDown('Y');
  EXPECT_TRUE(AskQuit());
  EXPECT_EQ(Line(0), "Are you sure you want to quit? YES");
}

TEST_F(Console, PageUpDuringGetKeyScrollsWithoutEndingTheWait) {
  for (int i = 0; i < 20; ++i) PrintLine("line %d", i);
  ScriptedKeys::KeyDown(keys::PageUp);
  ScriptedKeys::KeyDown('K');
  EXPECT_EQ(GetKey(), 'K');
  EXPECT_LT(screen.display.ScrollOffset(), 0);
  EXPECT_EQ(GetKey(), 0);  // nothing left: quitting
}

TEST_F(Console, ReadLineEscapeKeepsThePrompt) {
  Print("Name? ");
  ScriptedKeys::Type("abc");
  ScriptedKeys::Type('\x1b');
  ScriptedKeys::Type("d");
  ScriptedKeys::Enter();
  EXPECT_STREQ(InputLine(0), "d");
  EXPECT_EQ(Line(0), "Name? d");
  EXPECT_EQ(screen.display.WriteLine(), 1);
}

TEST_F(Console, FullLineEndsWithoutEnter) {
  std::string typed;
  for (int i = 0; i < 512; ++i) typed.push_back(static_cast<char>('a' + i % 26));
  ScriptedKeys::Type(typed);
  ScriptedKeys::Type("z");  // must stay for the next wait
  std::string got = InputLine(512);
  EXPECT_EQ(got, typed);
  EXPECT_EQ(GetKey(), 'Z');
}

TEST_F(Console, QuittingDuringLineInputGivesAnEmptyLine) {
  ScriptedKeys::Type("half typed");
  EXPECT_STREQ(InputLine(80), "");
  ScriptedKeys::Install();
  SetInputMode(InputModeInsert);
  ScriptedKeys::Type("half typed");
  EXPECT_STREQ(InputLineMode(80, 0), "");
}

TEST_F(Console, EditorThroughTheWait) {
  SetInputMode(InputModeOvertype);
  ScriptedKeys::Type("abcdef");
  ScriptedKeys::KeyDown(keys::Home);
  ScriptedKeys::KeyDown(keys::Control);
  ScriptedKeys::KeyDown(keys::Right);  // word move with Control held
  ScriptedKeys::KeyUp(keys::Control);
  ScriptedKeys::KeyDown(keys::Left);
  ScriptedKeys::KeyDown(keys::Left);
  ScriptedKeys::Enter();
  EXPECT_STREQ(InputLineMode(0, 0), "abcd");
  EXPECT_EQ(Line(0), "abcd");
}

TEST_F(Console, InputTextWithInitialText) {
  char out[InputLineMax + 1];
  ScriptedKeys::Type("\b\b");
  ScriptedKeys::Type("XY");
  ScriptedKeys::Enter();
  EXPECT_EQ(InputText(out, "Hero"), 1);
  EXPECT_STREQ(out, "HeXY");
  ScriptedKeys::Enter();
  EXPECT_EQ(InputText(out, nullptr), 0);
  ScriptedKeys::KeyDown(keys::Home);
  ScriptedKeys::Type("Z");
  ScriptedKeys::KeyDown(keys::End);
  ScriptedKeys::Enter();
  EXPECT_EQ(EditText(out, "Hero"), 1);
  EXPECT_STREQ(out, "Zero");
}

TEST_F(Console, NumericInput) {
  uint16_t word = 7;
  ScriptedKeys::Type("70000");
  ScriptedKeys::Enter();
  EXPECT_EQ(InputWord(&word), 1);
  EXPECT_EQ(word, 0);
  ScriptedKeys::Type("65535");
  ScriptedKeys::Enter();
  EXPECT_EQ(InputWord(&word), 1);
  EXPECT_EQ(word, 65535);
  ScriptedKeys::Enter();
  EXPECT_EQ(InputWord(&word), 0);  // empty line
  int value = 1;
  ScriptedKeys::Type(" -42x");
  ScriptedKeys::Enter();
  EXPECT_EQ(InputInt(&value), 1);
  EXPECT_EQ(value, -42);
  ScriptedKeys::Type("abc");
  ScriptedKeys::Enter();
  EXPECT_EQ(InputInt(&value), 1);
  EXPECT_EQ(value, 0);
  uint8_t byte = 1;
  ScriptedKeys::Type("256");
  ScriptedKeys::Enter();
  EXPECT_EQ(InputByte(&byte), 1);
  EXPECT_EQ(byte, 0);
  int16_t shortValue = 0;
  ScriptedKeys::Type("65537");
  ScriptedKeys::Enter();
  EXPECT_EQ(InputShort(&shortValue), 1);
  EXPECT_EQ(shortValue, 1);
}

TEST_F(Console, PausePromptAndWaitAnyKey) {
  screen.display.SetPageFromRows();  // 5 lines a page
  SetTextPause(true);
  ScriptedKeys::KeyDown('A');  // answers the pause prompt
  ScriptedKeys::KeyDown('B');  // must still be there afterwards
  for (int i = 0; i < 5; ++i) PrintLine("line %d", i);
  EXPECT_EQ(Line(5), "");  // the prompt is erased again
  EXPECT_EQ(WaitAnyKey(), 1);  // right after the prompt: nothing shown
  EXPECT_EQ(GetKey(), 'B');
  // After output, WaitAnyKey shows the prompt and takes a key.
  PrintLine("more");
  ScriptedKeys::KeyDown('Q');
  EXPECT_EQ(WaitAnyKey(), 2);
  EXPECT_EQ(screen.display.RowText(screen.display.CursorRow()), "");
}

TEST_F(Console, QAtThePauseLetsTheListingRunThrough) {
  screen.display.SetPageFromRows();
  SetTextPause(true);
  ScriptedKeys::KeyDown('Q');
  ScriptedKeys::KeyDown('X');
  for (int i = 0; i < 30; ++i) PrintLine("row %d", i);
  EXPECT_EQ(GetTextPause(), 2);
  EXPECT_EQ(ScriptedKeys::Queue().size(), 1u);  // only one pause took a key
  EXPECT_EQ(GetKey(), 'X');
  EXPECT_EQ(GetTextPause(), 1);  // the key wait turned it on again
}

TEST_F(Console, OutputFormattingAndCapture) {
  std::string capture;
  SetOutputCapture(&capture);
  PrintLine("%s=%d", "hp", 12);
  Print("Which? ");
  PrintText("100%s%n sure");  // text, never a format
  PrintLine(nullptr);
  PrintLine("%s", std::string(600, 'x').c_str());
  SetDebugMode(false);
  DebugPrintLine("hidden");
  SetDebugMode(true);
  DebugPrintLine("value %d", 3);
  SetDebugMode(false);
  SetOutputCapture(nullptr);
  EXPECT_EQ(capture, "hp=12\nWhich? 100%s%n sure\n\n" + std::string(511, 'x') + "\nDBG: value 3\n");
  EXPECT_EQ(Line(0), "hp=12");
  EXPECT_EQ(Line(1), "Which? 100%s%n sure");
  EXPECT_EQ(Line(2), "");
}

TEST_F(Console, SwitchOutputMovesPrintsAndInput) {
  TestScreen full(60, 10, 10, "full");
  EXPECT_EQ(SwitchOutput(nullptr), 0);
  EXPECT_EQ(SwitchOutput(&screen.display), 1);
  ASSERT_EQ(SwitchOutput(&full.display), 1);
  EXPECT_EQ(GetOutput(), &full.display);
  EXPECT_EQ(input.Display(), &full.display);
  PrintLine("menu");
  EXPECT_EQ(full.display.LineText(0), "menu");
  EXPECT_EQ(Line(0), "");
  SwitchOutput(&screen.display);
}

TEST(OutputTargets, DestroyedDisplayOrInputIsNoLongerUsed) {
  auto screen = std::make_unique<TestScreen>(20, 3, 5);
  auto input = std::make_unique<CGetString>(&screen->display);
  SetConsole(input.get());
  screen.reset();
  EXPECT_EQ(GetOutput(), nullptr);
  EXPECT_EQ(input->Display(), nullptr);
  EXPECT_EQ(PrintLine("nowhere"), 1);
  input.reset();
  EXPECT_EQ(GetKeyInput(), nullptr);
  EXPECT_EQ(GetKey(), 0);
}
