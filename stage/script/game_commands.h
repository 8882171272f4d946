#pragma once
// What the game and display commands share with other code: the point that
// the effect and picture commands place their objects at. The commands
// themselves are declared with the other kinds (stage/script/flow_commands.h).
class cChara;

// Placement choices of PlacePoint.
enum {
    PLACE_SCREEN_CENTRE = 0, PLACE_CHARA_CENTRE = 1, PLACE_HERO_CENTRE = 2,
    PLACE_SCREEN_CELLS = 3, PLACE_STAGE_CELLS = 4,
};

// The stage position of the top left of a width x height object placed by
// choice (cells and pixels on each axis) for the running character chara.
// An unknown choice, or a character that is missing, gives the view's top left.
void PlacePoint(const cChara* chara, int choice, int cellsX, int cellsY, int pixelsX, int pixelsY,
                int width, int height, double* x, double* y);
