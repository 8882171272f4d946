#pragma once
// What the menu screens (title, world map, world-map menu, challenge select,
// options) share: player 1's input made ready for menus, the request of a
// screen's tune, the fades of a screen change and the hand-over at the end of
// a fade-out. Game thread only.
class cInput;

// Key repeat on the directions, confirm and cancel passing once per press;
// the input of player 1 afterwards.
cInput& PrepareMenuInput();
// Asks the window thread for the tune of menu slot 0 to 3 (title, world map,
// challenge, options) when its number is 0 or differs from the last request,
// so that a tune already playing goes on without a restart.
void RequestMenuBgm(int slot);
// One step of the fade of a screen change; true once it is complete.
bool MenuFadeIn();
bool MenuFadeOut();
// After the fade-out: the back buffer in the empty colour, the menu cursor
// reset, and the screen of the manager's next id made current.
void FinishMenuFadeOut(int ownId);
// Whether the display keeps its colours in a palette, where a fade may have
// left a screen's own surfaces to be drawn again.
bool IsPaletteDisplay();

struct DDSURFACEDATA;
// The screens' extra surfaces released and emptied, then one blank surface
// of that size made in their place; null (the record left empty) when it
// cannot be created.
DDSURFACEDATA* NewScreenSurface(int width, int height, int colorKey);
// The screens' extra surfaces released and emptied.
void ReleaseScreenSurfaces();

// The system texts firstText .. firstText + count - 1 as a menu window of the
// 16-pixel font on the back buffer at (x, y), one text a row, with a column
// for the cursor when cursor is set; nothing for a count of 0.
void DrawMenuTexts(int x, int y, int firstText, int count, int cursor);

// Writes the running game into story slot 0..98. A save that fails is heard
// (the refusal sound) and written to the report log, and the slot list keeps
// what it showed; 1 when the slot holds the game.
int SaveStoryGame(int slot);
