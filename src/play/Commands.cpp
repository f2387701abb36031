// From a key to a player command in overhead play (mode 2) and first-person
// play (mode 3).
#include "platform/Keys.h"
#include "play/ActionCommands.h"
#include "play/Game.h"
#include "text/GetString.h"
#include "text/Output.h"

namespace {
bool ControlDown() { return GetKeyInput() && GetKeyInput()->IsControlDown(); }
bool ShiftDown() { return GetKeyInput() && GetKeyInput()->IsShiftDown(); }

// Key-map command codes of the moves and the commands built so far.
enum Code {
  CodeWest = 1, CodeEast = 2, CodeNorth = 3, CodeSouth = 4, CodeAttack = 5, CodeDescend = 8, CodeEnter = 10, CodeJump = 16,
  CodeKlimb = 17, CodeLaunch = 18, CodeLook = 19, CodePass = 24, CodeParty = 25, CodeQuit = 26, CodeQuitNoSave = 27,
  CodeTalk = 31, CodeXit = 38,
};
}  // namespace

int CGame::HandleOverheadKey(int key) { return HandleKey(key, false); }
int CGame::HandleFirstPersonKey(int key) { return HandleKey(key, true); }

int CGame::RunCode(int code, bool fp) {
  switch (code) {
    case CodeWest: return fp ? FirstPersonTurn(-1) : OverheadMove(-1, 0, "WEST");
    case CodeEast: return fp ? FirstPersonTurn(1) : OverheadMove(1, 0, "EAST");
    case CodeNorth: return fp ? StepFacing(0, "ADVANCE") : OverheadMove(0, -1, "NORTH");
    case CodeSouth: return fp ? StepFacing(2, "RETREAT") : OverheadMove(0, 1, "SOUTH");
    case CodeAttack: return fp ? AttackAheadCommand(*this) : AttackCommand(*this);
    case CodeLook: return fp ? LookRelativeCommand(*this) : LookCommand(*this);
    case CodeTalk: return fp ? IllegalCommand() : TalkCommand(*this);
    case CodeDescend: return KlimbDescend(true);
    case CodeEnter: return Enter();
    case CodeJump: return Jump();
    case CodeKlimb: return KlimbDescend(false);
    case CodeLaunch:
      if (!playerMayAct) return 1;
      Print("LAUNCH--");
      return Refuse("WHAT?");
    case CodePass: return Pass();
    case CodeParty:
      if (scenario.config.party > 1) return IllegalCommand();
      return Pass();
    case CodeQuit:
    case CodeQuitNoSave:
      if (hooks_.quitGame) return hooks_.quitGame(code == CodeQuitNoSave);
      return IllegalCommand();
    case CodeXit:
      if (!playerMayAct) return 1;
      Print("X-IT");
      if (!pc || !pc->vehicle) return Refuse(" WHAT?");
      return Refuse(" NOT HERE!");
    default:
      // Commands of the later parts of play (combat, inventory, talking,
      // magic, vehicles ...) are not available yet.
      return IllegalCommand();
  }
}

int CGame::StepFacing(int turn, const char* word) {
  static const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
  int d = (facing + turn) & 3;
  return OverheadMove(dx[d], dy[d], word);
}

int CGame::HandleKey(int key, bool fp) {
  const int mode = fp ? FirstPersonPlay : OverheadPlay;
  if (!map || !qmap || !pc) {
    PrintLine("ERROR (CGame): No game is loaded");
    return 0;
  }
  int code = 0;
  if (hooks_.keyMap && hooks_.keyMap(key, mode, &code)) return RunCode(code, fp);
  const bool ctrl = ControlDown();
  if (hooks_.infoKey) {
    bool handled = false;
    int result = hooks_.infoKey(key, ctrl, &handled);
    if (handled) return result;
  }
  switch (key) {
    case keys::Left: return RunCode(CodeWest, fp);
    case keys::Right: return RunCode(CodeEast, fp);
    case keys::Up: return RunCode(CodeNorth, fp);
    case keys::Down: return RunCode(CodeSouth, fp);
    case keys::Space: return RunCode(CodePass, fp);
    case 'D': return ctrl ? IllegalCommand() : RunCode(CodeDescend, fp);
    case 'E': return RunCode(CodeEnter, fp);
    case 'J': return RunCode(CodeJump, fp);
    case 'K': return RunCode(CodeKlimb, fp);
    case 'L': return RunCode(ctrl ? CodeLook : CodeLaunch, fp);
    case 'A': return ctrl ? IllegalCommand() : RunCode(CodeAttack, fp);
    case 'T': return ctrl ? IllegalCommand() : RunCode(CodeTalk, fp);
    case 'P': return RunCode(CodeParty, fp);
    case 'Q': return RunCode(ctrl ? CodeQuitNoSave : CodeQuit, fp);
    case 'X': return RunCode(CodeXit, fp);
    case 'F':
    case 'O':
    case 'S':
      if (fp) return IllegalCommand();
      return IllegalCommand();
    case keys::F1:
      if (hooks_.quickHelp) return hooks_.quickHelp(ctrl);
      return 1;
    case keys::F2:
      if (hooks_.optionsMenu) return hooks_.optionsMenu();
      return 1;
    case keys::F3: {
      PrintLine("Save Game");
      int r = SaveNamedGame();
      if (r == 1 && hooks_.saveGameState) hooks_.saveGameState();
      return r == 0 ? 0 : 1;
    }
    case keys::F4:
      PrintLine("Load Game");
      return LoadGameCommand();
    case keys::F11:
      PrintLine("F11: Test key");
      CommandPrompt();
      return 1;
    case keys::F12:
      if (hooks_.debugMenu) return hooks_.debugMenu(ShiftDown());
      return 1;
    default:
      break;
  }
  if (key >= '0' && key <= 'Z') return IllegalCommand();
  return 1;
}

int CGame::AskDirection(bool allowHere, int& dx, int& dy) {
  int key = GetKey();
  dx = dy = 0;
  switch (key) {
    case keys::Space:
      if (!allowHere) {
        PrintLine("NOT HERE!");
        return 0;
      }
      Print("HERE");
      return 1;
    case keys::Left: dx = -1; Print("WEST"); return 1;
    case keys::Up: dy = -1; Print("NORTH"); return 1;
    case keys::Right: dx = 1; Print("EAST"); return 1;
    case keys::Down: dy = 1; Print("SOUTH"); return 1;
    default:
      PrintLine("NOTHING!");
      return 0;
  }
}

int CGame::AskRelativeDirection(int& dx, int& dy) {
  static const int ox[4] = {0, 1, 0, -1}, oy[4] = {-1, 0, 1, 0};
  int key = GetKey();
  dx = dy = 0;
  int turn;
  switch (key) {
    case keys::Space: Print("HERE"); return 1;
    case keys::Up: turn = 0; Print("AHEAD"); break;
    case keys::Right: turn = 1; Print("RIGHT"); break;
    case keys::Down: turn = 2; Print("BEHIND"); break;
    case keys::Left: turn = 3; Print("LEFT"); break;
    default:
      PrintLine("NOTHING!");
      return 0;
  }
  int d = (facing + turn) & 3;
  dx = ox[d];
  dy = oy[d];
  return 1;
}
