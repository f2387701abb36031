#pragma once
// The game's operations on its map displays: redrawing the overhead game
// view, the view map (a second CMDisplay of 64 x 64 cells), pictures shown
// in place of the map, and fitting a locked view to the map. They take the
// game's state as plain values, so the game object calls them and sets the
// UI mode from their results. Each returns 1 for success and 0 for failure.
#include <cstdint>
#include <vector>

class CBArray;
class CMDisplay;
class CMap;
class ImageDisplay;

inline constexpr int ViewMapSize = 64;

// A tile shown on a map position (the player, party members).
struct PlacedTile {
  int x = 0, y = 0;
  uint16_t tile = 0;
};

// What the game tells a redraw of its overhead view.
struct GameViewRedraw {
  // Party members acting one by one, in the order they are put on the view
  // (the game gives them from the last to the first).
  std::vector<PlacedTile> members;
  bool showPlayer = true;  // off after a win or death and in debug movement
  PlacedTile player;
  // The screen lock: the view does not follow the player, and sight is
  // taken from the locked cell.
  bool screenLocked = false;
  int lockedCol = 0, lockedRow = 0;
  bool lineOfSight = false;  // VISIBILITY on and debug movement off
};

// Puts a tile on the view cell of a map position, over a wrapping edge when
// the plain position is outside the view.
int PlaceTileAtMapPos(CMDisplay& view, int x, int y, uint16_t tile);

// The redraw of the game view: tile map, members, player, frame map, sight,
// output. Prints "ERROR: Could not redraw" on failure. (Redraw debugging and
// the map-drawing switch are the game's to check before calling.)
int RedrawGameView(CMDisplay& view, const GameViewRedraw& redraw);

// Whether the view map may be shown: it exists and VMTYPE allows it on this
// kind of map.
bool ViewMapAllowed(bool exists, int vmType, bool firstPersonMap, bool mapHasAltDisplay);

// The player's marker on the view map.
struct ViewMapMarker {
  uint16_t charTile = 0;  // VMCHARTILE; 0 draws none
  bool show = false;      // the player's tile is shown, or debug movement is on
  int x = 0, y = 0;
};

// Shows `map` on the view map from its middle with the game view's overlay
// (null for none); the game view (when given) is blanked first. On failure
// the overlay is forgotten and the view map blanked; the caller returns to
// the play mode and marks the game view for redraw. On success the caller
// sets UI mode 4.
int OpenViewMap(CMDisplay& viewMap, CMap* map, CBArray* overlay, CMDisplay* gameView,
                const ViewMapMarker& marker);
// Prints "ERROR: Could not redraw" on failure.
int RedrawViewMap(CMDisplay& viewMap, const ViewMapMarker& marker);
// Scrolling keys: a step or a jump to a fraction of the map, then a redraw.
int ScrollViewMap(CMDisplay& viewMap, int dx, int dy, const ViewMapMarker& marker);
int JumpViewMap(CMDisplay& viewMap, float fx, float fy, const ViewMapMarker& marker);
// Forgets the overlay and blanks the view map; the caller returns to the
// play mode of the map.
int CloseViewMap(CMDisplay& viewMap);

// Loads "DATA<scenario>\<name>" (an array file of 4-byte pixels) into
// `picture` (left as it was on failure), blanks the game view and shows the
// picture centred in the map area's size. The caller then sets UI mode 5.
int ShowImage(ImageDisplay* imageDisplay, CMDisplay& gameView, CBArray* picture, int scenario,
              const char* name);
// Blacks out the picture's area (its bytes set to 0 and shown once more).
// The caller returns to the play mode, redraws the game view and frees the
// picture.
int EndImage(ImageDisplay& imageDisplay, CBArray* picture);

// For a locked screen: centres the view on the party at (px, py) as far as
// the map's edges allow (the middle of a map narrower than the view) and
// gives the party's view cell, which becomes the locked cell. When the party
// would not be in view, the view goes back on the party and 0 is returned.
int FitViewToMap(CMDisplay& view, int px, int py, int* lockedCol, int* lockedRow);
