// Sound, text pause, redraw debugging, debug movement, screen locking and
// the animation frame.
#include "play/ScreenToggles.h"

#include "graphics/GameViews.h"
#include "graphics/OverheadDisplay.h"
#include "play/Game.h"
#include "text/Output.h"

namespace {
const char* FacingWord(int facing) {
  static const char* const words[] = {"NORTH", "EAST", "SOUTH", "WEST"};
  return facing >= 0 && facing < 4 ? words[facing] : "NONE";
}

CMapView* CurrentView(CGame& game) {
  return game.viewMode == 2 ? game.displays_.firstPerson : game.displays_.overhead;
}

uint16_t PlayerTile(const CGame& game) {
  if (!game.pc) return 0;
  return game.pc->ownTile ? game.pc->ownTile : game.pc->def.tile;
}

// The player's cell in the overhead display's view; false when not in view.
bool PlayerCell(CGame& game, CMDisplay& display, int* col, int* row) {
  return display.MapPosToCell(game.playerX, game.playerY, col, row) == 1;
}

int NotHere(CGame& game) {
  PrintLine("NOT HERE!");
  game.CommandPrompt();
  return 1;
}
}  // namespace

void InitGameOptions(CGame& game) {
  game.options = GameOptions();
  game.options.textPause = game.scenario.config.textPause != 0;
}

void RestoreTextPause(CGame& game) { SetTextPause(game.options.textPause && !game.debugMove); }

int ToggleSound(CGame& game) {
  game.options.soundOn = !game.options.soundOn;
  PrintLine(game.options.soundOn ? "Sound on" : "Sound off");
  return 1;
}

int ToggleTextPause(CGame& game) {
  game.options.textPause = !game.options.textPause;
  RestoreTextPause(game);
  PrintLine(game.options.textPause ? "Text pause on" : "Text pause off");
  return 1;
}

int ToggleRedrawDebug(CGame& game) {
  game.options.redrawDebug = !game.options.redrawDebug;
  PrintLine(game.options.redrawDebug ? "Redraw debug on" : "Redraw debug off");
  return 1;
}

int ToggleDebugMovement(CGame& game) {
  if (!game.scenario.config.cheat) return 1;
  game.debugMove = !game.debugMove;
  // The party's own tile is hidden while moving freely.
  if (CMapView* v = CurrentView(game)) v->ShowPlayer(!game.debugMove, PlayerTile(game));
  int ok = 1;
  if (game.debugMove) {
    PrintLine("Cheat mode on");
    DebugPrintLine("Position: %d %d, Facing: %s", game.playerX, game.playerY, FacingWord(game.facing));
    SetTextPause(false);
    ok = game.RedrawAll();
  } else {
    PrintLine("Cheat mode off");
    RestoreTextPause(game);
    ok = game.RedrawAll();
    Print("CMD: ");
  }
  return ok;
}

int ToggleScreenLock(CGame& game, const UIServices& ui) {
  if (game.viewMode == 2) return NotHere(game);
  ScreenLockState& lock = game.options.screenLock;
  if (!lock.on) {
    CMDisplay* d = ui.overhead;
    if (!d || d->ViewWidth() < 2 || d->ViewHeight() < 2) return 0;
    int col = 0, row = 0;
    if (!PlayerCell(game, *d, &col, &row)) return 0;
    lock.on = true;
    lock.col = col;
    lock.row = row;
    lock.lastCol = d->ViewWidth() - 1;
    lock.lastRow = d->ViewHeight() - 1;
    PrintLine("Screen locked");
  } else {
    lock.on = false;
    if (CMapView* v = game.displays_.overhead) v->Move(game.playerX, game.playerY, game.facing);
    if (!game.RedrawAll()) return 0;
    PrintLine("Screen unlocked");
  }
  game.CommandPrompt();
  return 1;
}

int ScreenLockOptions(CGame& game, const UIServices& ui) {
  if (game.viewMode == 2) return NotHere(game);
  ScreenLockState& lock = game.options.screenLock;
  PrintLine("Screen locking options");
  PrintLine("C: Center");
  PrintLine("M: Set/reset map default position");
  PrintLine("F: Fit by map and position");
  Print("? ");
  int key = GetKey();
  CMDisplay* d = ui.overhead;
  switch (key) {
    case 'C':
      PrintLine("CENTER");
      if (!lock.on) {
        PrintLine("Screen locking not active");
        game.CommandPrompt();
        return 1;
      }
      if (CMapView* v = game.displays_.overhead) v->Move(game.playerX, game.playerY, game.facing);
      if (d) PlayerCell(game, *d, &lock.col, &lock.row);
      break;
    case 'F':
      PrintLine("FIT");
      if (!lock.on) {
        PrintLine("Screen locking not active");
        game.CommandPrompt();
        return 1;
      }
      if (d) FitViewToMap(*d, game.playerX, game.playerY, &lock.col, &lock.row);
      break;
    case 'M':
      PrintLine("MAP");
      if (!d || d->ViewWidth() < d->MapWidth() || d->ViewHeight() < d->MapHeight()) {
        PrintLine("Not here");
        game.CommandPrompt();
        return 1;
      }
      // The whole map fits the view: it is shown centred and stays put.
      d->SetViewPos(d->MapWidth() / 2, d->MapHeight() / 2);
      lock.on = true;
      lock.lastCol = d->ViewWidth() - 1;
      lock.lastRow = d->ViewHeight() - 1;
      PlayerCell(game, *d, &lock.col, &lock.row);
      break;
    default:
      if (key == 0) return 1;  // the application is quitting
      PrintLine("NONE!");
      game.CommandPrompt();
      return 1;
  }
  int ok = game.RedrawAll();
  game.CommandPrompt();
  return ok;
}

int AdjustAnimationFrame(CGame& game, const UIServices& ui, int step) {
  if (!game.debugMove) return 1;
  if (ui.mapVisible && !ui.mapVisible()) return 1;
  if (game.viewMode == 2 || !ui.overhead) return 1;  // the first-person view has no frames to step yet
  ui.overhead->AddAnimPhase(step);
  int ok = game.RedrawAll();
  PrintLine("ADJUST ANIMATION FRAME: %d", ui.overhead->Phase());
  game.CommandPrompt();
  return ok;
}
