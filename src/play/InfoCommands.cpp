#include "play/InfoCommands.h"

#include "platform/Keys.h"
#include "play/CharacterSheets.h"
#include "play/Game.h"
#include "play/ScreenToggles.h"
#include "text/Output.h"

int InfoCommandKey(CGame& game, const UIServices& ui, int key, bool ctrl, bool* handled) {
  *handled = true;
  switch (key) {
    case 'Z': return ctrl ? DetailedStats(game) : Stats(game, ui);
    case keys::Tab: return ToggleDebugMovement(game);
    case keys::F8:
      // The first-person view answers "NOT HERE!".
      return ctrl ? ScreenLockOptions(game, ui) : ToggleScreenLock(game, ui);
    case 0xBB: return AdjustAnimationFrame(game, ui, 1);   // "="
    case 0xBD: return AdjustAnimationFrame(game, ui, -1);  // "-"
    default: break;
  }
  *handled = false;
  return 1;
}
